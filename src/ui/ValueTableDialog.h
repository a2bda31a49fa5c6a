// The value table: the user types a function, an x interval and a step, and gets a
// plain-text table of x, f(x) and f'(x) that can be copied to the clipboard. Created
// once and reused, so the boxes and the last table stay between openings.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lindor::expr {
struct EngineContext;
}
namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class Questions;

class TfrmValueTable : public QDialog {
    Q_OBJECT

public:
    // `engine` gives the angle mode, the number format and the error texts at the time
    // of each calculation; the table compiles its own function and never touches the
    // program's function list.
    TfrmValueTable(const lang::Language& language, Questions& questions,
                   const expr::EngineContext& engine, QWidget* parent = nullptr);

    // Builds the table from the boxes. A box that is not a number, a function that does
    // not compile or an unusable step is reported and leaves the table as it was.
    void btnCalculateClick();
    // Puts the whole table on the clipboard as text: lines ended by CR LF, tabs between
    // the columns.
    void btnCopyToClipboardClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    const lang::Language& m_language;
    Questions& m_questions;
    const expr::EngineContext& m_engine;

    QLabel* m_imageMainMode;
    QLineEdit* m_editFunction;
    QLabel* m_lblXmin;
    QLineEdit* m_editXmin;
    QLabel* m_lblXmax;
    QLineEdit* m_editXmax;
    QLabel* m_lblXStep;
    QLineEdit* m_editXstep;
    QPushButton* m_btnCalculate;
    QPushButton* m_btnCopyToClipboard;
    QPlainTextEdit* m_memo;
};

} // namespace lindor::ui
