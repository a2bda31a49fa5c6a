// Work and settings kept while the program runs: the recovery copy after a crash and at
// the end of a session, the settings file written as things change, Open Recent, drops.
#include "FrameFixture.h"
#include "UiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <csignal>

#include "ui/ExitSignals.h"
#include "ui/WorkKeeping.h"

namespace lindor::ui::test {
namespace {

class KeepingTest : public FrameTest {
protected:
    QStringList copies() {
        return QDir(QString::fromStdString(dir.file("state")))
            .entryList({QStringLiteral("recovery-*.LDR")}, QDir::Files);
    }
    // Waits for the recovery copy that follows a change (at most two seconds later).
    bool copyWritten() {
        return QTest::qWaitFor([this] { return !copies().isEmpty(); }, 4000);
    }
    bool settingsHold(const std::string& text) {
        return QTest::qWaitFor(
            [&] {
                return files::testing::readText(app->settings.path()).find(text) !=
                       std::string::npos;
            },
            3000);
    }
    // The run ends without its exit path, as in a crash.
    void crash() {
        frame.reset();
        app.reset();
    }
    QList<QAction*> recentEntries() {
        auto* fileMenu = frame->menuBar()->findChild<QMenu*>("File1");
        emit fileMenu->aboutToShow();
        return frame->menuBar()->findChild<QMenu*>("OpenRecent1")->actions();
    }
    void drop(QMimeData& data) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame.get(), &event);
        QApplication::processEvents();
    }
};

TEST_F(KeepingTest, UnsavedWorkComesBackAfterACrashBeforeTheArgumentsArePlotted) {
    plot("x^2");
    questions.expectSaveFile(QString::fromStdString(dir.file("work")));
    action("Save1")->trigger();
    EXPECT_TRUE(copies().isEmpty()); // saved work needs no copy
    plot("sin x");
    action("BoldLines1")->trigger();
    ASSERT_TRUE(copyWritten());
    const QImage picture = graph().bitmap().copy();
    crash();

    questions.expectRestore(true, "Lindor was not closed properly. Restore the unsaved work from");
    start({"x^3"});
    EXPECT_TRUE(questions.done());
    EXPECT_EQ(questions.buttons(), QStringList({"&Restore", "&Discard"}));
    ASSERT_EQ(state().functionCount(), 3);
    EXPECT_EQ(state().plottedTexts(), (std::vector<std::string>{"x^2", "sin x", "x^3"}));
    EXPECT_TRUE(action("BoldLines1")->isChecked());
    EXPECT_EQ(frame->windowTitle(), "Lindor - work.LDR *");
    // The restored work is this run's now: one copy, its own.
    EXPECT_EQ(copies().size(), 1);
    EXPECT_EQ(QDir(QString::fromStdString(dir.file("state"))).filePath(copies().front()),
              frame->keeping().store().copyFile());

    // A normal exit removes the copy, and the next start asks nothing.
    stop();
    EXPECT_TRUE(copies().isEmpty());
    start();
    EXPECT_EQ(state().functionCount(), 0);

    // Discard drops the work for good.
    plot("x");
    ASSERT_TRUE(copyWritten());
    crash();
    questions.expectRestore(false);
    start();
    EXPECT_EQ(state().functionCount(), 0);
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_EQ(frame->windowTitle(), "Lindor - Untitled");
}

TEST_F(KeepingTest, AnotherInstanceNeverTakesACopyWhoseOwnerRuns) {
    plot("x");
    ASSERT_TRUE(copyWritten());
    // A second instance on the same state folder while the first runs: no question.
    ScriptedQuestions otherQuestions;
    AppState other(AppPaths{LINDOR_DATA_DIR, LINDOR_DATA_DIR, dir.file("lindor.INI")},
                   NumberLocale{});
    other.loadSettings();
    other.stateFolder = dir.file("state");
    {
        TMDIFrame second(other, otherQuestions);
        second.FormShow({});
        EXPECT_EQ(other.graphState().functionCount(), 0);
        // Each keeps a copy of its own.
        second.entryBox().setText("x^2");
        QTest::keyClick(&second.entryBox(), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([this] { return copies().size() == 2; }, 4000));
        other.undoStack.setClean();
        second.close();
    }
    EXPECT_EQ(copies().size(), 1);
    EXPECT_EQ(state().functionCount(), 1);
}

TEST_F(KeepingTest, AnEndedSessionKeepsTheWorkWithoutAsking) {
    plot("x^2-1");
    const ExitSignals exitSignals([this] { frame->endKeepingWork(); });
    ASSERT_TRUE(exitSignals.installed());
    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !frame->isVisible(); }, 2000));
    EXPECT_EQ(copies().size(), 1); // written at once, not two seconds later
    EXPECT_TRUE(settingsHold("F1=x^2-1"));
    crash();

    questions.expectRestore(true);
    start();
    EXPECT_EQ(state().plottedTexts(), std::vector<std::string>{"x^2-1"});
    EXPECT_EQ(frame->windowTitle(), "Lindor - Untitled *");
}

TEST_F(KeepingTest, SettingsReachTheFileAsTheyChangeAndKeepForeignKeys) {
    files::testing::writeText(app->settings.path(), "[Other]\nKey=kept\n");
    plot("x^2-1");
    EXPECT_TRUE(settingsHold("F1=x^2-1"));
    action("BoldLines1")->trigger();
    EXPECT_TRUE(settingsHold("BoldLines=1"));
    EXPECT_NE(files::testing::readText(app->settings.path()).find("Key=kept"), std::string::npos);

    // A settings file that cannot be written is reported once in a run.
    app->settings = unwritableSettings(app->settings.path());
    questions.expectError("could not be written");
    plot("x^3");
    QTest::qWait(1200); // the next write comes a second after the last
    plot("x^4");
    questions.expectSaveFile(QString::fromStdString(dir.file("during")));
    action("SaveAs1")->trigger();
    QTest::qWait(1200);
    EXPECT_TRUE(questions.done());
    EXPECT_EQ(questions.messages().size(), 1);

    // What could not be written goes with the next write, once the file can be written.
    const std::string path = app->settings.path();
    app->settings = files::SettingsFile(path);
    action("NormalLines1")->trigger();
    EXPECT_TRUE(settingsHold("F1=x^4"));
    EXPECT_TRUE(settingsHold("BoldLines=0"));
    EXPECT_EQ(app->settings.recentDocuments(), std::vector<std::string>{dir.file("during.LDR")});
}

TEST_F(KeepingTest, OpenRecentListsExistingDocumentsNewestFirst) {
    for (const char* name : {"a", "b", "c"}) {
        plot(name == QString("a") ? "x" : "x^2");
        questions.expectSaveFile(QString::fromStdString(dir.file(name)));
        action("SaveAs1")->trigger();
    }
    QFile::remove(QString::fromStdString(dir.file("b.LDR")));
    QList<QAction*> entries = recentEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 c.LDR");
    EXPECT_EQ(entries[1]->text(), "&2 a.LDR");
    entries[1]->trigger();
    EXPECT_EQ(frame->windowTitle(), "Lindor - a.LDR");
    EXPECT_EQ(state().plottedTexts(), std::vector<std::string>{"x"});

    // A document that goes while the menu is open is said so and leaves the list.
    entries = recentEntries();
    ASSERT_EQ(entries[1]->text(), "&2 c.LDR");
    QFile::remove(QString::fromStdString(dir.file("c.LDR")));
    questions.expectError("c.LDR");
    entries[1]->trigger();
    EXPECT_TRUE(questions.done());
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return app->settings.recentDocuments().size() == 2; }, 3000));
    EXPECT_EQ(app->settings.recentDocuments().front(), dir.file("a.LDR"));
}

TEST_F(KeepingTest, ADroppedDocumentOpensAndDroppedTextIsPlotted) {
    plot("x");
    questions.expectSaveFile(QString::fromStdString(dir.file("dropped")));
    action("SaveAs1")->trigger();
    action("New1")->trigger();
    action("toolbtnIntegralMode")->trigger();

    QMimeData text;
    text.setText("x^2\n+1");
    drop(text);
    EXPECT_EQ(state().mode(), graph::Mode::Function);
    EXPECT_EQ(state().plottedTexts(), std::vector<std::string>{"x^2 +1"});

    QMimeData document;
    document.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("dropped.LDR")))});
    questions.expectSaveChanges(Questions::Answer::Discard);
    drop(document);
    EXPECT_EQ(frame->windowTitle(), "Lindor - dropped.LDR");
    EXPECT_EQ(state().plottedTexts(), std::vector<std::string>{"x"});

    // Other files are not taken.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("notes.txt")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

} // namespace
} // namespace lindor::ui::test
