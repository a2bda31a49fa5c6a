// The value table dialog as the user works with it: typing, calculating, copying,
// mistakes, and opening it again.
#include "ui/ValueTableDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ScriptedQuestions.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"

namespace lindor::ui::test {
namespace {

class ValueTableDialogTest : public ::testing::Test {
protected:
    ValueTableDialogTest() : m_dialog(m_language, m_questions, m_engine) {
        m_language.LoadLanguage("English", LINDOR_DATA_DIR);
        m_engine.language = &m_language;
    }

    template <class W> W* child(const char* name) {
        W* w = m_dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void type(const char* box, const QString& text) {
        QLineEdit* edit = child<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void fill(const QString& f, const QString& xmin, const QString& xmax, const QString& step) {
        type("editFunction", f);
        type("editXmin", xmin);
        type("editXmax", xmax);
        type("editXstep", step);
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    QString table() { return child<QPlainTextEdit>("Memo1")->toPlainText(); }

    lang::Language m_language;
    expr::EngineContext m_engine;
    ScriptedQuestions m_questions;
    TfrmValueTable m_dialog;
};

TEST_F(ValueTableDialogTest, CalculatesAndCopiesTheWholeTableWithWindowsLineEnds) {
    m_dialog.show();
    EXPECT_EQ(m_dialog.windowTitle(), "Value Table");
    EXPECT_EQ(child<QPushButton>("btnCopyToClipboard")->text(), "Copy to Clipboard");
    EXPECT_EQ(m_dialog.focusWidget(), child<QLineEdit>("editFunction"));

    // Limits as expressions; x = Xmin + i * Xstep reaches Xmax; values with 10 digits.
    fill("x^2/3", "-1", "sqrt 1", "1/2");
    click("btnCalculate");
    const QString expected = "y=x^2/3\nx\ty\ty'\n\n-1\t0.3333333333\t-0.6666666667\n"
                             "-0.5\t0.08333333333\t-0.3333333333\n0\t0\t0\n"
                             "0.5\t0.08333333333\t0.3333333333\n1\t0.3333333333\t0.6666666667";
    EXPECT_EQ(table(), expected);
    QGuiApplication::clipboard()->clear();
    click("btnCopyToClipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(expected).replace("\n", "\r\n"));
}

TEST_F(ValueTableDialogTest, MistakesAreReportedAndLeaveTheTableAsItWas) {
    m_dialog.show();
    fill("x^2", "-1", "1", "1");
    click("btnCalculate");
    const QString before = table();

    m_questions.expectError("Xstep must be greater than 0")
        .expectError("'abc' is not a number.")
        .expectError("'2x' is not a number: it depends on x.")
        .expectError("parentheses")
        .expectError("Choose a larger Xstep");
    fill("x^2", "-1", "1", "0");
    click("btnCalculate");
    fill("x^2", "0", "abc", "1");
    click("btnCalculate");
    fill("x^2", "2x", "1", "1");
    click("btnCalculate");
    fill("(x+1))", "0", "1", "1");
    click("btnCalculate");
    fill("x", "0", "1", "1E-9");
    click("btnCalculate");
    EXPECT_TRUE(m_questions.done());
    EXPECT_EQ(table(), before);
}

TEST_F(ValueTableDialogTest, KeepsItsTextsBetweenOpeningsAndFollowsTheAngleMode) {
    m_dialog.show();
    fill("sin x", "90", "90", "1");
    click("btnCalculate");
    m_dialog.hide();

    // The frame switches to degrees while the dialog is closed.
    m_engine.angleMode = expr::AngleMode::Degrees;
    m_dialog.show();
    EXPECT_EQ(child<QLineEdit>("editFunction")->text(), "sin x");
    EXPECT_EQ(child<QLineEdit>("editXstep")->text(), "1");
    EXPECT_TRUE(table().endsWith("90\t0.8939966636\t-0.4480736161")) << table().toStdString();
    EXPECT_EQ(m_dialog.focusWidget(), child<QLineEdit>("editFunction"));
    click("btnCalculate");
    EXPECT_TRUE(table().contains("\n90\t1\t")) << table().toStdString();
}

TEST_F(ValueTableDialogTest, TabWalksFromTheFunctionToTheTable) {
    m_dialog.show();
    QApplication::setActiveWindow(&m_dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    child<QLineEdit>("editFunction")->setFocus();
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"editXmin", "editXmax", "editXstep", "btnCalculate",
                                    "btnCopyToClipboard", "Memo1"}));
}

} // namespace
} // namespace lindor::ui::test
