// The log window: the analyses append their result lines here; the user may type too.
#pragma once

#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit TLogWindow(const lang::Language& language, QWidget* parent = nullptr);

    // Appends each line at the end (an empty text is an empty line).
    void appendLines(const std::vector<std::string>& lines);
    void clear();
    // Every line of the text, typed ones included.
    QStringList lines() const;
    QPlainTextEdit* memo() const { return m_memo; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const lang::Language& m_language;
    QPlainTextEdit* m_memo = nullptr;
};

} // namespace lindor::ui
