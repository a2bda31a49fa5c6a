// What the main frame does with something dropped on it: an .LDR file (from a file
// manager) is opened, text (from an editor or a web page) is plotted as a function.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;

namespace lindor::ui {

struct DropContent {
    enum class Kind { None, Document, Text };
    Kind kind = Kind::None;
    QString value; // the document's path, or the text on one line
};

// The document when the data names a local file ending in ".ldr" (any letter case), else
// text when it holds any and no files, else nothing.
DropContent dropContent(const QMimeData& data);

// Watches a window for drops and runs `open` or `plot` for what it takes.
class DocumentDrops : public QObject {
public:
    DocumentDrops(QWidget& window, std::function<void(const QString& path)> open,
                  std::function<void(const QString& text)> plot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_open;
    std::function<void(const QString&)> m_plot;
};

} // namespace lindor::ui
