// The function pad driven as a user would: mouse clicks on its keys, Tab and the space bar,
// typing while it has the focus, holding the back-space key.
#include "ui/FunctionPad.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// Readable texts in failure messages.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace lindor::ui::test {
namespace {

class FakeFrame : public FunctionPadTarget {
public:
    QString entry;
    bool plotSucceeds = true;
    QStringList plotted; // the entry's text at each plot command
    int derivatives = 0, tangents = 0, normals = 0;

    QString entryText() const override { return entry; }
    void setEntryText(const QString& text) override { entry = text; }
    bool plotEntry() override {
        plotted << entry;
        return plotSucceeds;
    }
    void derivativeCommand() override { ++derivatives; }
    void tangentCommand() override { ++tangents; }
    void normalCommand() override { ++normals; }
    void runCommand(const std::function<void()>& command) override { command(); }
};

class FunctionPadTest : public ::testing::Test {
protected:
    explicit FunctionPadTest(NumberLocale locale = {}, const char* languageName = "English")
        : pad(language, frame, locale) {
        language.setMessageHandler([this](const std::string& m) { messages.push_back(m); });
        language.LoadLanguage(languageName, LINDOR_DATA_DIR);
        pad.show();
        pad.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&pad));
    }

    QToolButton* key(const char* name) {
        auto* button = pad.findChild<QToolButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    void click(const char* name) { QTest::mouseClick(key(name), Qt::LeftButton); }

    lang::Language language;
    std::vector<std::string> messages;
    FakeFrame frame;
    TFunctionPadWindow pad;
};

TEST_F(FunctionPadTest, MouseComposesAFunctionAndExePlotsItEmptyingTheEntryOnlyOnSuccess) {
    for (const char* name : {"Button4", "Button38", "Button1", "Button21"}) // Sin x ^ 2
        click(name);
    EXPECT_EQ(frame.entry, "sin x^2");
    for (const char* name :
         {"spdbtnBack", "Button36", "Button12", "Button39", "Button30", "Button24", "Button33",
          "Button23", "Button40"}) // <-- * 10^ ( . 1 E 0 )
        click(name);
    EXPECT_EQ(frame.entry, "sin x^*10^(.1E0)");
    click("spdbtnDelete");
    EXPECT_EQ(frame.entry, "");

    frame.entry = "sqrt x";
    click("spdbtnEXE");
    EXPECT_EQ(frame.plotted, QStringList{"sqrt x"});
    EXPECT_EQ(frame.entry, "");

    // A text the plot command refuses stays in the entry box to be corrected.
    frame.entry = "sin(x))";
    frame.plotSucceeds = false;
    click("spdbtnEXE");
    EXPECT_EQ(frame.plotted.size(), 2);
    EXPECT_EQ(frame.entry, "sin(x))");

    click("Button22");
    click("Button18");
    click("Button20");
    EXPECT_EQ(frame.derivatives + frame.tangents + frame.normals, 3);
}

TEST_F(FunctionPadTest, KeysOnAFocusedButtonGoThroughTheKeyPathNotTheButton) {
    // Tab from "^" to "Sin", then the space bar: a space, not "sin ".
    key("Button1")->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), key("Button4"));
    QTest::keyClick(key("Button4"), Qt::Key_Space);
    EXPECT_EQ(frame.entry, " ");
    // A key that presses the button without typing text: the button does not act either.
    QTest::keyClick(key("Button4"), Qt::Key_Select);
    EXPECT_EQ(frame.entry, " ");

    QTest::keyClicks(key("Button4"), "2x");
    QTest::keyClick(key("Button4"), Qt::Key_Backspace);
    EXPECT_EQ(frame.entry, " 2");
    // Enter plots and leaves the text in place.
    QTest::keyClick(key("Button4"), Qt::Key_Return);
    EXPECT_EQ(frame.plotted, QStringList{" 2"});
    EXPECT_EQ(frame.entry, " 2");

    // Control keys add nothing, whether typed with QTest or carrying a control character.
    QTest::keyClick(&pad, Qt::Key_Escape);
    QTest::keyClick(key("Button4"), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QKeyEvent pasteKey(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    pad.handleKey(&pasteKey);
    EXPECT_FALSE(pasteKey.isAccepted());
    QKeyEvent escapeText(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x1b)));
    pad.handleKey(&escapeText);
    EXPECT_EQ(frame.entry, " 2");
    EXPECT_EQ(QApplication::focusWidget(), key("Button5")); // Tab kept its meaning

    // Typing handed over by the graph window, then a mouse click: the click acts again.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+");
    pad.handleKey(&typed);
    EXPECT_TRUE(typed.isAccepted());
    click("Button38");
    EXPECT_EQ(frame.entry, " 2+x");
}

TEST_F(FunctionPadTest, HoldingBackSpaceDeletesRepeatedlyAndOnceMoreOnRelease) {
    frame.entry = "abcdefghijklmnopqrst";
    QTest::mousePress(key("spdbtnBack"), Qt::LeftButton);
    QTest::qWait(550);
    QTest::mouseRelease(key("spdbtnBack"), Qt::LeftButton);
    // Five repeats at 100 ms steps plus the release; a busy machine may lose a few ticks,
    // but without the repeat only the release would delete.
    const int deleted = 20 - static_cast<int>(frame.entry.size());
    EXPECT_GE(deleted, 2);
    EXPECT_LE(deleted, 7);
    EXPECT_TRUE(QString("abcdefghijklmnopqrst").startsWith(frame.entry));
}

TEST_F(FunctionPadTest, DivideKeyIsTheBottomRightReferenceAndTextsComeFromTheLanguage) {
    const QRect divide = pad.divideButton()->geometry();
    for (QToolButton* button : pad.findChildren<QToolButton*>()) {
        EXPECT_LE(button->geometry().right(), divide.right()) << button->objectName().toStdString();
        EXPECT_LE(button->geometry().bottom(), divide.bottom())
            << button->objectName().toStdString();
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
            << button->objectName().toStdString() << " cuts its caption";
    }
    EXPECT_EQ(pad.windowTitle(), "Function Pad");
    EXPECT_EQ(key("Button2")->toolTip(), "Square Root (sqrt)");
    EXPECT_TRUE(messages.empty()) << messages.front();
}

class SwedishCommaPadTest : public FunctionPadTest {
protected:
    SwedishCommaPadTest() : FunctionPadTest(NumberLocale{',', ' '}, "Swedish") {}
};

TEST_F(SwedishCommaPadTest, SeparatorKeyShowsAndAppendsTheLocaleSeparator) {
    EXPECT_EQ(key("Button30")->text(), ",");
    click("Button21");
    click("Button30");
    click("Button27");
    EXPECT_EQ(frame.entry, "2,6");
    EXPECT_EQ(key("spdbtnDelete")->text(), "Töm");
    EXPECT_EQ(pad.windowTitle(), "Funktionspanel");
    EXPECT_FALSE(key("Button22")->toolTip().isEmpty());
    EXPECT_TRUE(messages.empty()) << messages.front();
}

} // namespace
} // namespace lindor::ui::test
