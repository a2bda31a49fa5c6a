#include "ui/GifSave.h"

#include <QGuiApplication>
#include <exception>
#include <string>

#include "lang/Language.h"
#include "qt/GifImage.h"
#include "ui/ProgressWindow.h"

namespace lindor::ui {
namespace {

// The state of a running save: wait cursor and a window that cannot be closed, both
// undone when the save ends, however it ends.
class SavingState {
public:
    explicit SavingState(TProgressForm& progress) : m_progress(progress) {
        m_progress.setSaving(true);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~SavingState() {
        QGuiApplication::restoreOverrideCursor();
        m_progress.setSaving(false);
        m_progress.hide();
    }
    SavingState(const SavingState&) = delete;
    SavingState& operator=(const SavingState&) = delete;

private:
    TProgressForm& m_progress;
};

QString cannotWrite(const lang::Language& language, const QString& path) {
    return QString::fromStdString(language.text("GifCannotWriteFile"))
        .replace(QStringLiteral("%s"), path);
}

} // namespace

bool saveGifWithProgress(const QImage& snapshot, const QString& path, TProgressForm& progress,
                         QString& error, const lang::Language& language) {
    try {
        // The picture as it is now: what the caller passed may be drawn again while events
        // run, and drawing on a shared image detaches it first, so this copy stays as it is.
        const QImage picture = snapshot;
        SavingState saving(progress);
        std::string message;
        if (qtgui::saveGif(picture, path.toStdString(), message, progress.hook(), &language))
            return true;
        error = QString::fromStdString(message);
    } catch (const std::exception& e) {
        error = cannotWrite(language, path) + " (" + QString::fromStdString(e.what()) + ")";
    } catch (...) {
        error = cannotWrite(language, path);
    }
    return false;
}

} // namespace lindor::ui
