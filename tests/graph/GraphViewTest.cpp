#include <gtest/gtest.h>

#include <cstdlib>

#include "GraphTestSupport.h"
#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "graph/Integral.h"
#include "lang/Language.h"

namespace lindor::graph {
namespace {

using namespace testing;

lang::Language graphTexts() {
    lang::Language language;
    language.loadFromText("Only=Only\nfunctionsSupported=functions are supported\n"
                          "Integral=Integral\nErrorWhenCalculatingIntegral=No integral\n"
                          "RangeNotUsable=Bad range\nIntegralTextNotValid=Write f;a;b\n"
                          "XminNotBelowXmax=Xmin first\nYminNotBelowYmax=Ymin first\n");
    return language;
}

class GraphViewTest : public ::testing::Test {
protected:
    GraphViewTest() : functions(context), language(graphTexts()), view(functions, language) {
        view.setClientSize(442, 327);
        view.setLogSink([this](const std::string& line) { log.push_back(line); });
    }

    expr::EngineContext context;
    expr::TFunctionDB functions;
    lang::Language language;
    GraphView view;
    RecordingCanvas canvas;
    std::vector<std::string> log;
};

TEST_F(GraphViewTest, PlotsUpToTwelveFunctionsInTheirColours) {
    for (int p = 0; p < kMaxFunctions; ++p) {
        const PlotOutcome o = view.plotRequest("x+" + std::to_string(p), canvas);
        ASSERT_EQ(o.status, PlotOutcome::Status::Plotted) << o.message;
        EXPECT_TRUE(o.reported);
    }
    const PlotOutcome thirteenth = view.plotRequest("x+12", canvas);
    EXPECT_EQ(thirteenth.status, PlotOutcome::Status::LimitReached);
    EXPECT_FALSE(thirteenth.reported); // refused: it stays out of the history
    EXPECT_EQ(thirteenth.message, "Only 12 functions are supported");
    EXPECT_EQ(view.state().functionCount(), 12);

    view.redraw(canvas);
    for (int p = 0; p < kMaxFunctions; ++p) {
        const Color c = kFunctionColors[static_cast<std::size_t>(p)];
        EXPECT_FALSE(polylinesInColor(canvas, c).empty()) << p;
        EXPECT_NE(findText(primitivesOf<primitive::Text>(canvas), "y = x+" + std::to_string(p)),
                  nullptr);
    }
}

TEST_F(GraphViewTest, EachEntryKeepsItsOwnCompiledFunction) {
    ASSERT_EQ(view.plotRequest("x^2", canvas).status, PlotOutcome::Status::Plotted);
    // Failed compilations leave nothing behind, "d/dx" operands included.
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(view.plotRequest(i % 2 ? "x+" : "d/dx(x^2)+", canvas).status,
                  PlotOutcome::Status::CompileError);
    EXPECT_EQ(functions.Count(), 1);
    ASSERT_EQ(view.plotRequest("2*x", canvas).status, PlotOutcome::Status::Plotted);
    long double y = 0;
    ASSERT_TRUE(view.evaluator(1)(3, y));
    EXPECT_EQ(y, 6);
    ASSERT_TRUE(view.evaluator(0)(3, y));
    EXPECT_EQ(y, 9);
}

TEST_F(GraphViewTest, EraseKeepsTheOthersAndWhatPointsAtThem) {
    // Entries are told apart by position, even when their texts differ only in case.
    for (const char* text : {"SIN x", "sin x", "x-1"})
        ASSERT_EQ(view.plotRequest(text, canvas).status, PlotOutcome::Status::Plotted);
    view.state().tracedIndex = 2;
    view.state().traceOn = true;
    view.eraseFunctions({0}, canvas);

    ASSERT_EQ(view.state().functionCount(), 2);
    EXPECT_EQ(view.state().functions()[0].text, "sin x");
    EXPECT_EQ(view.state().tracedIndex, 1);
    EXPECT_TRUE(view.state().traceOn);
    long double y = 0;
    ASSERT_TRUE(view.evaluator(1)(3, y));
    EXPECT_EQ(y, 2);
    // The survivors moved up a colour; the erased one is gone from the picture.
    const std::vector<primitive::Text> names = primitivesOf<primitive::Text>(canvas);
    EXPECT_EQ(findText(names, "y = SIN x"), nullptr);
    const primitive::Text* moved = findText(names, "y = x-1");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->font.color, kFunctionColors[1]);

    // Erasing the traced function stops the trace.
    view.eraseFunctions({1}, canvas);
    EXPECT_EQ(view.state().tracedIndex, -1);
    EXPECT_FALSE(view.state().traceOn);
}

TEST_F(GraphViewTest, ModeSwitchForgetsTheOldMode) {
    ASSERT_EQ(view.plotRequest("x", canvas).status, PlotOutcome::Status::Plotted);
    view.state().tracedIndex = 0;
    view.state().setPending(RangeOperation::Root);
    view.state().traceOn = true;
    EXPECT_FALSE(view.setMode(Mode::Function, canvas));
    EXPECT_EQ(view.state().functionCount(), 1);
    EXPECT_TRUE(view.setMode(Mode::Integral, canvas));
    EXPECT_EQ(view.state().functionCount(), 0);
    EXPECT_EQ(view.state().tracedIndex, -1);
    EXPECT_FALSE(view.state().anyPending());
    EXPECT_FALSE(view.state().traceOn);
    EXPECT_EQ(functions.Count(), 0);
}

TEST_F(GraphViewTest, RefusedRequests) {
    const PlotOutcome bad = view.plotRequest("sin(", canvas);
    EXPECT_EQ(bad.status, PlotOutcome::Status::CompileError);
    EXPECT_FALSE(bad.reported);
    EXPECT_FALSE(bad.message.empty());
    EXPECT_TRUE(bad.showInstructions);
    EXPECT_EQ(view.state().functionCount(), 0);

    const PlotOutcome empty = view.plotRequest("", canvas);
    EXPECT_EQ(empty.status, PlotOutcome::Status::EmptyText);
    EXPECT_FALSE(empty.reported);
    EXPECT_TRUE(empty.showInstructions);
    EXPECT_TRUE(canvas.primitives().empty());
}

TEST_F(GraphViewTest, UnusableRangeKeepsThePreviousOne) {
    std::string error;
    const Range wide{-20, 20, 5, -10, 10, 2};
    ASSERT_TRUE(view.applyRange(wide, error));
    for (const Range& r :
         {Range{1, 1, 1, -1, 1, 1}, Range{-1, 1, 0, -1, 1, 1}, Range{-1, 1, 1, -1, 1, -2}}) {
        error.clear();
        EXPECT_FALSE(view.applyRange(r, error));
        EXPECT_EQ(error, r.xMin == r.xMax ? "Xmin first" : "Bad range");
        EXPECT_EQ(view.state().range(), wide);
    }
    // Reversed bounds name the pair that is out of order.
    EXPECT_FALSE(view.applyRange({5, -5, 1, -1, 1, 1}, error));
    EXPECT_EQ(error, "Xmin first");
    EXPECT_FALSE(view.applyRange({-5, 5, 1, 1, -1, 1}, error));
    EXPECT_EQ(error, "Ymin first");
    EXPECT_EQ(view.state().range(), wide);
}

TEST_F(GraphViewTest, FunctionUndefinedEverywhereDrawsNoCurve) {
    ASSERT_EQ(view.plotRequest("sqrt(-1-x^2)", canvas).status, PlotOutcome::Status::Plotted);
    view.redraw(canvas);
    EXPECT_TRUE(polylinesInColor(canvas, kFunctionColors[0]).empty());
    EXPECT_NE(findText(primitivesOf<primitive::Text>(canvas), "y = sqrt(-1-x^2)"), nullptr);
}

TEST_F(GraphViewTest, NewWorkEmptiesEverything) {
    view.plotRequest("x", canvas);
    view.plotRequest("x^2", canvas);
    view.newWork(canvas);
    EXPECT_EQ(view.state().functionCount(), 0);
    EXPECT_EQ(functions.Count(), 0);
    EXPECT_TRUE(polylinesInColor(canvas, kFunctionColors[0]).empty());
    EXPECT_FALSE(linesInColor(canvas, colors::kSilver).empty());
}

class IntegralModeTest : public GraphViewTest {
protected:
    IntegralModeTest() { view.setMode(Mode::Integral, canvas); }
};

TEST_F(IntegralModeTest, ShadesAndLogsOnce) {
    const PlotOutcome o = view.plotRequest("x^2;0;1", canvas, IntegralLog::Write);
    ASSERT_EQ(o.status, PlotOutcome::Status::Plotted) << o.message;
    EXPECT_EQ(log, (std::vector<std::string>{"", "y = x^2;0;1", "Integral=0.3333333333"}));
    EXPECT_NE(findText(primitivesOf<primitive::Text>(canvas), "y = x^2;0;1"), nullptr);

    // A redraw (a resize, an option) draws the shading again without logging again.
    view.setClientSize(600, 400);
    view.redraw(canvas);
    EXPECT_EQ(log.size(), 3u);
    std::size_t vertical = 0;
    for (const auto& l : linesInColor(canvas, kFunctionColors[0]))
        vertical += l.from.x == l.to.x && l.from.y == view.state().area().xAxisRow;
    EXPECT_GT(vertical, 20u);
}

TEST_F(IntegralModeTest, ANewIntegralReplacesTheOld) {
    ASSERT_EQ(view.plotRequest("x;0;1", canvas).status, PlotOutcome::Status::Plotted);
    ASSERT_EQ(view.plotRequest("x^3; 2 ; -1", canvas).status, PlotOutcome::Status::Plotted);
    ASSERT_TRUE(view.state().integral());
    EXPECT_EQ(view.state().integral()->text, "x^3; 2 ; -1");
    EXPECT_EQ(view.state().integral()->lower, -1);
    EXPECT_EQ(view.state().integral()->upper, 2);
    EXPECT_TRUE(view.state().integral()->reversed);
    EXPECT_EQ(functions.Count(), 1);
    // The integrand is its own function, wherever it stands in the function list.
    functions.Get(functions.Add()).Compile("x+100", log.emplace_back());
    functions.Delete(0);
    long double y = 0;
    ASSERT_TRUE(view.evaluator(0)(2, y));
    EXPECT_EQ(y, 8);
}

TEST_F(IntegralModeTest, RefusedIntegralsKeepTheOneShown) {
    ASSERT_EQ(view.plotRequest("x;0;1", canvas).status, PlotOutcome::Status::Plotted);
    const std::size_t shaded = linesInColor(canvas, kFunctionColors[0]).size();
    const std::size_t traced = polylinesInColor(canvas, kFunctionColors[0]).size();
    ASSERT_GT(traced, 0u);
    const PlotOutcome invalid = view.plotRequest("x;0", canvas);
    EXPECT_EQ(invalid.status, PlotOutcome::Status::InvalidIntegral);
    EXPECT_TRUE(invalid.showInstructions);
    EXPECT_FALSE(invalid.reported);

    const PlotOutcome number = view.plotRequest("x;zero;1", canvas);
    EXPECT_EQ(number.status, PlotOutcome::Status::BadNumber);
    EXPECT_NE(number.message.find("zero"), std::string::npos);

    const PlotOutcome compile = view.plotRequest("x+;0;1", canvas);
    EXPECT_EQ(compile.status, PlotOutcome::Status::CompileError);
    EXPECT_FALSE(compile.message.empty());
    // A typo loses nothing: the integral shown stays, with its function alone in the list.
    ASSERT_TRUE(view.state().integral());
    EXPECT_EQ(view.state().integral()->text, "x;0;1");
    EXPECT_EQ(functions.Count(), 1);
    view.redraw(canvas);
    EXPECT_EQ(linesInColor(canvas, kFunctionColors[0]).size(), shaded);
    EXPECT_EQ(polylinesInColor(canvas, kFunctionColors[0]).size(), traced);

    // An accepted text replaces it, and what the old one used leaves the list.
    ASSERT_EQ(view.plotRequest("d/dx(x^2);0;1", canvas).status, PlotOutcome::Status::Plotted);
    const int withOperand = functions.Count();
    ASSERT_EQ(view.plotRequest("x^2;0;2", canvas).status, PlotOutcome::Status::Plotted);
    EXPECT_EQ(view.state().integral()->text, "x^2;0;2");
    EXPECT_EQ(functions.Count(), 1);
    EXPECT_GT(withOperand, 1);
}

TEST_F(IntegralModeTest, UndefinedInsideTheLimitsLogsTheErrorLine) {
    ASSERT_EQ(view.plotRequest("ln x;-1;1", canvas, IntegralLog::Write).status,
              PlotOutcome::Status::Plotted);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], "No integral");
    // Shaded where defined; the integrand's curve runs down to the bottom edge at 0.
    EXPECT_FALSE(linesInColor(canvas, kFunctionColors[0]).empty());
    const auto curve = polylinesInColor(canvas, kFunctionColors[0]);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].points.front().y, view.state().area().bottom);
    EXPECT_LE(std::abs(curve[0].points.front().x - view.state().area().yAxisColumn), 1);
}

TEST(IntegralReport, LinesWithoutAGraph) {
    expr::EngineContext context;
    expr::TFunctionDB functions(context);
    const lang::Language language = graphTexts();
    const IntegralReport swapped = integralLogLines("x^2;1;0", functions, language);
    ASSERT_TRUE(swapped.ok) << swapped.error;
    EXPECT_EQ(swapped.lines,
              (std::vector<std::string>{"", "y = x^2;1;0", "Integral=-0.3333333333"}));
    const IntegralReport same = integralLogLines("sin(x);0;0", functions, language);
    ASSERT_TRUE(same.ok);
    EXPECT_EQ(same.lines[2], "Integral=0");
    const IntegralReport invalid = integralLogLines("x^2", functions, language);
    EXPECT_FALSE(invalid.ok);
    EXPECT_EQ(invalid.error, "Write f;a;b");
    const IntegralReport compile = integralLogLines("x^;0;1", functions, language);
    EXPECT_FALSE(compile.ok);
    EXPECT_FALSE(compile.error.empty());
}

} // namespace
} // namespace lindor::graph
