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
    EXPECT_TRUE(app->modified());
    EXPECT_TRUE(frame->windowTitle().endsWith("*"));
}

TEST_F(FrameTest, ADocumentKeepsItsNumbersOnADesktopWithADecimalComma) {
    const NumberLocale comma{',', '.'};
    plot("0.5x");
    plot("1,000.25x^2 [-1.5; 2]");
    frame->rangeWindow().setTexts({"-2.5", "2.5", "0.5", "-pi/2", "pi/2", "0.25"});
    ASSERT_TRUE(frame->ranges().applyRange());
    const graph::Range range = state().range();
    const QString path = QString::fromStdString(dir.file("english.LDR"));
    questions.expectSaveFile(path);
    action("SaveAs1")->trigger();

    // Opened on a German desktop: the same numbers, written the way it reads them.
    restart();
    app->engine.locale = comma;
    questions.expectOpenFile(path);
    action("Open1")->trigger();
    ASSERT_EQ(state().functionCount(), 2);
    EXPECT_EQ(state().functions()[0].text, "0,5x");
    EXPECT_EQ(state().functions()[1].text, "1000,25x^2 [-1,5; 2]");
    EXPECT_EQ(frame->rangeWindow().texts(),
              (graph::RangeTexts{"-2,5", "2,5", "0,5", "-pi/2", "pi/2", "0,25"}));
    EXPECT_EQ(state().range(), range);
    long double y = 0;
    ASSERT_TRUE(state().functions()[1].compiled->Evaluate(2, y));
    EXPECT_EQ(y, 4001.0L);

    // Saved there, the file keeps its points.
    action("Save1")->trigger();
    const std::string saved = files::testing::readText(path.toStdString());
    EXPECT_NE(saved.find("Numbers=.\n"), std::string::npos);
    EXPECT_NE(saved.find("F2=1000.25x^2 [-1.5; 2]\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Cells[1,0]=-2.5\n"), std::string::npos) << saved;
}

TEST_F(FrameTest, ADocumentWithReversedOrMissingBoundsOpensInOrder) {
    const std::string path = dir.file("reversed.LDR");
    files::testing::writeText(path, "[MainMode]\nMode=F\n[Range]\nCells[1,0]=4\nCells[1,1]=-4\n"
                                    "Cells[1,2]=1\nCells[1,3]=3\nCells[1,4]=-3\nCells[1,5]=1\n"
                                    "[Functions]\nCount=1\nF1=x\n");
    questions.expectOpenFile(QString::fromStdString(path));
    action("Open1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), (graph::RangeTexts{"-4", "4", "1", "-3", "3", "1"}));
    EXPECT_EQ(state().range(), (graph::Range{-4, 4, 1, -3, 3, 1}));

    files::testing::writeText(path, "[MainMode]\nMode=F\n[Functions]\nCount=1\nF1=x\n");
    questions.expectOpenFile(QString::fromStdString(path));
    action("Open1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), graph::standardRangeTexts());
    EXPECT_EQ(state().range(), graph::Range::standard());

    // A Range the graph cannot draw is refused, the texts wait in the range window, and
    // saving writes them back unchanged rather than the Range still shown.
    files::testing::writeText(path, "[MainMode]\nMode=F\n[Range]\nCells[1,0]=-2\n"
                                    "Cells[1,1]=2\nCells[1,2]=1\nCells[1,3]=1\nCells[1,4]=1\n"
                                    "Cells[1,5]=1\n[Functions]\nCount=1\nF1=x\n");
    questions.expectOpenFile(QString::fromStdString(path));
    questions.expectError();
    action("Open1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), (graph::RangeTexts{"-2", "2", "1", "1", "1", "1"}));
    EXPECT_EQ(state().range(), graph::Range::standard());
    action("Save1")->trigger();
    const std::string saved = files::testing::readText(path);
    EXPECT_NE(saved.find("Cells[1,3]=1\nCells[1,4]=1\n"), std::string::npos) << saved;
    EXPECT_TRUE(questions.done());
}

} // namespace
} // namespace lindor::ui::test
