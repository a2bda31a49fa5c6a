// Documents through the real frame: save, reopen, unsaved work, failures.
#include "FrameFixture.h"

#include <QFile>

namespace lindor::ui::test {
namespace {

using graph::Mode;

TEST_F(FrameTest, SavedWorkReopensAsTheSamePicture) {
    plot("x^2-2");
    plot("sin x");
    action("BoldLines1")->trigger();
    action("Zoomin1")->trigger();
    const QImage picture = graph().bitmap().copy();
    EXPECT_TRUE(frame->windowTitle().endsWith("*"));

    questions.expectSaveFile(QString::fromStdString(dir.file("work")));
    action("Save1")->trigger(); // untitled: Save is Save As
    const QString saved = QString::fromStdString(dir.file("work.LDR"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(frame->windowTitle(), "Lindor - work.LDR");
    EXPECT_TRUE(questions.lastFilter().contains("*.ldr *.LDR"));

    action("New1")->trigger();
    action("NormalLines1")->trigger();
    EXPECT_EQ(state().functionCount(), 0);
    questions.expectSaveChanges(Questions::Answer::Discard); // the line style changed
    questions.expectOpenFile(saved);
    action("Open1")->trigger();
    EXPECT_EQ(questions.lastStartPath(), QString::fromStdString(dir.path()));
    EXPECT_EQ(state().functionCount(), 2);
    EXPECT_TRUE(action("BoldLines1")->isChecked());
    EXPECT_EQ(graph().bitmap(), picture);
    EXPECT_EQ(frame->windowTitle(), "Lindor - work.LDR");
    EXPECT_EQ(entry().history().front(), "sin x");

    // Opened from the command line, as a file manager does.
    restart({saved});
    EXPECT_EQ(state().functionCount(), 2);
    EXPECT_EQ(graph().bitmap(), picture);
}

TEST_F(FrameTest, UnsavedWorkIsAskedForAndCancelKeepsIt) {
    plot("x");
    questions.expectSaveChanges(Questions::Answer::Cancel);
    action("New1")->trigger();
    questions.expectSaveChanges(Questions::Answer::Cancel);
    action("Open1")->trigger();
    questions.expectSaveChanges(Questions::Answer::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(state().functionCount(), 1);

    // Save from the question, then close without another one.
    questions.expectSaveChanges(Questions::Answer::Save);
    questions.expectSaveFile(QString::fromStdString(dir.file("kept.txt")));
    action("New1")->trigger();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("kept.LDR"))));
    EXPECT_EQ(state().functionCount(), 0);
    EXPECT_TRUE(frame->close());
}

TEST_F(FrameTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    plot("x");
    const std::string path = dir.file("doc.LDR");
    files::testing::writeText(path, "[MainMode]\nMode=F\n");
    questions.expectSaveFile(QString::fromStdString(path));
    questions.expectYesNo(true, "doc.LDR"); // replace the file that is there
    action("SaveAs1")->trigger();
    const std::string saved = files::testing::readText(path);
    EXPECT_NE(saved.find("F1=x"), std::string::npos);

    // The disk turns full (or the folder read-only): one error naming the file, the file
    // as it was, the work still marked as changed.
    plot("x^2");
    app->replaceFile = [](const std::string&, const std::string&, std::string& error) {
        error = "No space left on device";
        return false;
    };
    questions.expectError("doc.LDR");
    action("Save1")->trigger();
    EXPECT_EQ(files::testing::readText(path), saved);
    EXPECT_TRUE(app->modified);
    EXPECT_TRUE(frame->windowTitle().endsWith("*"));
}

} // namespace
} // namespace lindor::ui::test
