// Saving the graph as a GIF file with the progress window showing.
#pragma once

#include <QImage>
#include <QString>

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TProgressForm;

// Writes `snapshot` as a GIF file at `path` (the name as given) while `progress` shows
// how far the writer is. The picture is copied before anything else, so the graph may
// be drawn again while the save runs. The wait cursor shows and the progress window
// refuses to close for the whole save; on every way out, an error or an exception
// included, the window is hidden and the cursor restored. On failure returns false with
// the message in `error`; an older file of that name keeps its content.
bool saveGifWithProgress(const QImage& snapshot, const QString& path, TProgressForm& progress,
                         QString& error, const lang::Language& language);

} // namespace lindor::ui
