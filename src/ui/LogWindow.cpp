#include "ui/LogWindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "lang/Language.h"
#include "ui/DialogParts.h"

namespace lindor::ui {

TLogWindow::TLogWindow(const lang::Language& language, QWidget* parent)
    : QWidget(parent), m_language(language) {
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(QStringLiteral("Log"));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    // Long result lines wrap at the window's edge; they stay one line each (printing and
    // lines() see them whole).
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Lines wrap, so nothing is ever off to the side. A horizontal scroll bar could only
    // appear and vanish in turn in a very narrow window, relaying out the text each time.
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setMinimumWidth(10 * m_memo->fontMetrics().averageCharWidth());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

void TLogWindow::appendLines(const std::vector<std::string>& lines) {
    // Every line ends with a line break, so an empty line counts as a line even at the
    // start. The lines go to the end whatever the user's cursor, which stays where it was.
    QTextCursor cursor(m_memo->document());
    cursor.movePosition(QTextCursor::End);
    if (!cursor.block().text().isEmpty())
        cursor.insertBlock(); // the user typed a last line without ending it
    for (const std::string& line : lines) {
        cursor.insertText(qtText(line));
        cursor.insertBlock();
    }
    m_memo->verticalScrollBar()->setValue(m_memo->verticalScrollBar()->maximum());
}

void TLogWindow::clear() {
    m_memo->clear();
}

QStringList TLogWindow::lines() const {
    QStringList result = m_memo->toPlainText().split(QLatin1Char('\n'));
    // The empty block after the last line break is no line of its own.
    if (result.back().isEmpty())
        result.removeLast();
    return result;
}

void TLogWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setWindowTitle(qtText(m_language.text("Log")));
}

void TLogWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(qtText(m_language.text("Log")));
}

} // namespace lindor::ui
