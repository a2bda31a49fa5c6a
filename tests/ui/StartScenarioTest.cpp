// The start and the windows around the graph: the default arrangement, documents and
// functions named on the command line, hand-made documents, trace after New, and the
// range window's cells, through the real frame.
#include "FrameFixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <variant>

namespace lindor::ui::test {
namespace {

using graph::Mode;

TEST_F(FrameTest, TheGraphWindowFitsTheAreaBelowTheEntryBox) {
    const QSize area = frame->mdiArea().viewport()->size();
    for (QWidget* child :
         {static_cast<QWidget*>(&graph()), static_cast<QWidget*>(&frame->logWindow())}) {
        const QRect r = frame->subWindowOf(child)->geometry();
        EXPECT_GE(r.top(), 0);
        EXPECT_LE(r.bottom(), area.height()) << child->objectName().toStdString();
        EXPECT_LE(r.right(), area.width()) << child->objectName().toStdString();
    }
    // Until a window is moved, the arrangement follows the frame.
    frame->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_LE(frame->subWindowOf(&graph())->geometry().bottom(),
              frame->mdiArea().viewport()->height());
    EXPECT_LE(frame->subWindowOf(&graph())->geometry().right(),
              frame->mdiArea().viewport()->width());
}

TEST_F(FrameTest, AHandMadeDocumentNamesWhatItCouldNotPlotInOneMessage) {
    std::string content = "[MainMode]\nMode=F\n[Range]\n";
    for (int i = 0; i < 6; ++i)
        content += "Cells[1," + std::to_string(i) + "]=0\n"; // a range that cannot be drawn
    content += "[Functions]\nCount=999999999\nF1=x^2\nF3=x+\n";
    for (int n = 4; n <= 20; ++n)
        content += "F" + std::to_string(n) + "=x+" + std::to_string(n) + "\n";
    const std::string path = dir.file("hand made.LDR");
    files::testing::writeText(path, content);
    frame->rangeWindow().setRedrawEnabled(false);
    questions.expectOpenFile(QString::fromStdString(path))
        .expectError(text("XminNotBelowXmax"))
        .expectError(text("DocumentEntriesNotPlotted"));
    action("Open1")->trigger();
    EXPECT_TRUE(questions.done());
    ASSERT_FALSE(questions.messages().isEmpty());
    const QString message = questions.messages().last();
    EXPECT_TRUE(message.contains(text("EmptyEntry").replace("%d", "2"))) << message.toStdString();
    EXPECT_TRUE(message.contains("x+:"));
    EXPECT_TRUE(message.contains(text("AndMore").replace("%d", QString::number(100 - 12 - 10))))
        << message.toStdString();
    EXPECT_EQ(state().functionCount(), 12);
    // The range waits in the range window, ready to be corrected and redrawn.
    EXPECT_TRUE(frame->rangeWindow().isRedrawEnabled());
    EXPECT_EQ(state().range(), graph::Range::standard());
}

TEST_F(FrameTest, FunctionsAfterAnIntegralDocumentArePlottedInFunctionMode) {
    const std::string path = dir.file("area.LDR");
    std::string content = "[MainMode]\nMode=I\n[Integrals]\nCount=1\nI1=x^2;0;1\n[Range]\n";
    const graph::RangeTexts range = graph::standardRangeTexts();
    for (std::size_t i = 0; i < range.size(); ++i)
        content += "Cells[1," + std::to_string(i) + "]=" + range[i] + "\n";
    files::testing::writeText(path, content);
    restart({QString::fromStdString(path), "sin x"});
    EXPECT_EQ(state().mode(), Mode::Function);
    ASSERT_EQ(state().functionCount(), 1);
    EXPECT_EQ(state().functions()[0].text, "sin x");
    EXPECT_TRUE(action("toolbtnFunctionMode")->isChecked());
}

TEST_F(FrameTest, NewReleasesTheTraceButton) {
    plot("x^2");
    action("toolbtnTrace")->trigger();
    ASSERT_TRUE(action("toolbtnTrace")->isChecked());
    questions.expectSaveChanges(Questions::Answer::Discard);
    action("New1")->trigger();
    EXPECT_FALSE(action("toolbtnTrace")->isChecked());
    EXPECT_FALSE(state().traceOn);
}

TEST_F(FrameTest, RangeCellsShowTheirWholeTextAndAreReplacedByTyping) {
    QTableWidget* grid = frame->rangeWindow().grid();
    const QString longNumber = "-1.23456789012345";
    graph::RangeTexts texts = graph::standardRangeTexts();
    texts[0] = longNumber.toStdString();
    frame->rangeWindow().setTexts(texts);
    EXPECT_EQ(grid->item(0, 1)->toolTip(), longNumber);
    EXPECT_GE(grid->columnWidth(1), grid->fontMetrics().horizontalAdvance(longNumber));

    // The cell open since the start, clicked while the entry box has the focus, then
    // typing: the typed value replaces the old one.
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(0, 1)));
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(entry().hasFocus() || entry().lineEdit()->hasFocus());
    QTest::mouseClick(editor, Qt::LeftButton, {}, editor->rect().center());
    QApplication::processEvents();
    QTest::keyClicks(editor, "-3");
    EXPECT_EQ(frame->rangeWindow().texts()[0], "-3");
}

TEST_F(FrameTest, ALongFunctionNameEndsInAnEllipsisInsideTheGraph) {
    QString function = "x";
    while (function.size() < 400)
        function += "+sin(x)";
    plot(function);
    plot("x^2");
    std::vector<graph::primitive::Text> names;
    for (const graph::Primitive& p : graph().surfaces().recording().primitives())
        if (const auto* t = std::get_if<graph::primitive::Text>(&p);
            t && t->text.rfind("y = ", 0) == 0)
            names.push_back(*t);
    ASSERT_EQ(names.size(), 2u);
    const QString shown = QString::fromStdString(names[0].text);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << names[0].text;
    EXPECT_TRUE(function.startsWith(shown.mid(4).chopped(1)));
    EXPECT_GE(names[0].at.x, state().area().left);
    EXPECT_EQ(names[1].text, "y = x^2");
}

TEST_F(FrameTest, LongLogLinesWrapAndStayOneLine) {
    const std::string line(300, '7');
    frame->logWindow().appendLines({line});
    EXPECT_EQ(frame->logWindow().memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(frame->logWindow().lines(), QStringList{QString::fromStdString(line)});
}

} // namespace
} // namespace lindor::ui::test
