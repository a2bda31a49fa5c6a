// The Window menu, the Swedish captions and the help, through the real frame.
#include "FrameFixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

#include "ui/FunctionPad.h"
#include "ui/HelpWindow.h"

namespace lindor::ui::test {
namespace {

TEST_F(FrameTest, SavedPositionsComeBackAndNothingSavedKeepsUsableWindows) {
    QMdiSubWindow* graphFrame = frame->subWindowOf(&graph());
    QMdiSubWindow* logFrame = frame->subWindowOf(&frame->logWindow());
    // Nothing saved yet: every window keeps its place and size.
    const QRect before = graphFrame->geometry();
    action("LoadPosition1")->trigger();
    EXPECT_EQ(graphFrame->geometry(), before);
    EXPECT_GT(logFrame->width(), 40);

    graphFrame->setGeometry(300, 20, 420, 330);
    logFrame->setGeometry(10, 400, 200, 150);
    action("Sparafnsterposition1")->trigger();
    graphFrame->setGeometry(50, 50, 200, 200);
    logFrame->setGeometry(0, 0, 100, 100);
    action("LoadPosition1")->trigger();
    EXPECT_EQ(graphFrame->geometry(), QRect(300, 20, 420, 330));
    EXPECT_EQ(logFrame->geometry(), QRect(10, 400, 200, 150));

    // A position saved on a larger screen comes back onto the visible area.
    app->settings.saveWindowPosition(files::kGraphWindow, {5000, 4000, 420, 330});
    action("LoadPosition1")->trigger();
    const QRect area(QPoint(0, 0), frame->mdiArea().viewport()->size());
    EXPECT_TRUE(area.contains(graphFrame->geometry())) << graphFrame->geometry().x();
}

// Default Position and Load Position with the graph maximised and the range window
// closed: restoring the closed one while the graph covered the area left it maximised
// under the place it was given. Save Position keeps a closed window's place, not its icon.
TEST_F(FrameTest, DefaultAndLoadPositionBringEveryChildBackToANormalWindow) {
    QMdiSubWindow* rangeFrame = frame->subWindowOf(&frame->rangeWindow());
    const QRect saved(20, 200, 300, 160);
    rangeFrame->setGeometry(saved);
    rangeFrame->close();
    action("Sparafnsterposition1")->trigger();
    for (const char* command : {"DefaultPosition1", "LoadPosition1"}) {
        rangeFrame->close();
        frame->subWindowOf(&graph())->showMaximized();
        ASSERT_TRUE(rangeFrame->isMinimized());
        action(command)->trigger();
        QApplication::processEvents();
        for (QMdiSubWindow* sub : frame->mdiArea().subWindowList()) {
            EXPECT_FALSE(sub->isMaximized()) << command << " " << sub->objectName().toStdString();
            EXPECT_FALSE(sub->isMinimized()) << command << " " << sub->objectName().toStdString();
        }
        EXPECT_LT(rangeFrame->height(), frame->mdiArea().viewport()->height() / 2) << command;
    }
    EXPECT_EQ(rangeFrame->geometry(), saved);
}

TEST_F(FrameTest, QuadraticGraphWindowKeepsTheShorterSide) {
    QMdiSubWindow* sub = frame->subWindowOf(&graph());
    sub->resize(sub->size() - graph().size() + QSize(400, 300));
    ASSERT_EQ(graph().size(), QSize(400, 300));
    action("MakeGraphWindowQuadratic1")->trigger();
    EXPECT_EQ(graph().size(), QSize(300, 300));
    QApplication::processEvents();
    EXPECT_EQ(graph().bitmap().size(), QSize(300, 300));
}

TEST_F(FrameTest, SwedishCaptionsComeFromTheSwedishFile) {
    app->settings.setLanguage("Swedish");
    restart();
    lang::Language english;
    english.LoadLanguage("English", LINDOR_DATA_DIR);
    int differing = 0;
    for (QAction* a : frame->findChildren<QAction*>()) {
        const ActionEntry* entry = FrameActions::find(a->objectName().toLatin1().constData());
        if (!entry || !entry->key)
            continue;
        EXPECT_EQ(a->text().toStdString(), app->language.text(entry->key)) << entry->name;
        if (english.text(entry->key) != app->language.text(entry->key)) {
            EXPECT_NE(a->text().toStdString(), english.text(entry->key)) << entry->name;
            ++differing;
        }
    }
    EXPECT_GT(differing, 40);
    EXPECT_EQ(action("Log1")->text(), "Lo&g");
    EXPECT_EQ(frame->windowTitle(), "Lindor - " + text("Untitled"));
}

TEST_F(FrameTest, InstructionsOpenTheirHelpTopic) {
    questions.expectDialog("TdlgFunctionInstructions", [](QDialog& dialog) {
        dialog.findChild<QPushButton*>("HelpBtn")->click();
        return int(QDialog::Rejected);
    });
    plot("");
    ASSERT_NE(frame->helpWindow(), nullptr);
    EXPECT_TRUE(frame->helpWindow()->isVisible());
    EXPECT_EQ(frame->helpWindow()->browser()->source().fragment(), "How_To_Plot_A_Function");
}

TEST_F(FrameTest, PadAndTypingOverTheGraphEditTheEntry) {
    TFunctionPadWindow& pad = frame->functionPad();
    for (const char* name : {"Button4", "Button38", "Button1", "Button21"})
        QTest::mouseClick(pad.findChild<QAbstractButton*>(name), Qt::LeftButton);
    EXPECT_EQ(entry().text(), "sin x^2");
    graph().setFocus();
    QTest::keyClicks(&graph(), "+1");
    QTest::keyClick(&graph(), Qt::Key_Return);
    ASSERT_EQ(state().functionCount(), 1);
    EXPECT_EQ(state().functions()[0].text, "sin x^2+1");
    QTest::mouseClick(pad.findChild<QAbstractButton*>("spdbtnEXE"), Qt::LeftButton);
    EXPECT_TRUE(entry().text().isEmpty());
}

} // namespace
} // namespace lindor::ui::test
