#include <gtest/gtest.h>

#include <cmath>

#include "graph/analysis/SearchBox.h"
#include "graph/analysis/ZoomTexts.h"
#include "lang/Language.h"

namespace lindor::graph::analysis::test {
namespace {

const RangeTexts kStandard = {"-7", "7", "1", "-5", "5", "1"};

class ZoomTextsTest : public ::testing::Test {
protected:
    ZoomTextsTest() {
        m_language.LoadLanguage("English", LINDOR_DATA_DIR);
        m_engine.language = &m_language;
    }

    lang::Language m_language{[this](const std::string& m) { m_messages.push_back(m); }};
    std::vector<std::string> m_messages;
    NumberLocale m_locale;
    expr::EngineContext m_engine;
    std::string m_error;
};

TEST_F(ZoomTextsTest, ZoomInAndOutScaleAboutTheOriginWithTheSteps) {
    RangeTexts texts = kStandard;
    ASSERT_TRUE(zoomRangeTexts(texts, ZoomDirection::In, 2, 2, m_engine, m_error));
    EXPECT_EQ(texts, (RangeTexts{"-3.5", "3.5", "0.5", "-2.5", "2.5", "0.5"}));
    ASSERT_TRUE(zoomRangeTexts(texts, ZoomDirection::Out, 1.5, 4, m_engine, m_error));
    EXPECT_EQ(texts, (RangeTexts{"-5.25", "5.25", "0.75", "-10", "10", "2"}));
    // Fifteen significant digits.
    RangeTexts third = kStandard;
    ASSERT_TRUE(zoomRangeTexts(third, ZoomDirection::In, 3, 1, m_engine, m_error));
    EXPECT_EQ(third[0], "-2.33333333333333");
    EXPECT_EQ(third[3], "-5");
}

TEST_F(ZoomTextsTest, UndoReturnsTheTextsOfTheLastZoomOnly) {
    RangeUndo undo;
    RangeTexts texts = kStandard;
    undo.fill(texts);
    zoomRangeTexts(texts, ZoomDirection::In, 2, 2, m_engine, m_error);
    const RangeTexts afterFirst = texts;
    undo.fill(texts);
    zoomRangeTexts(texts, ZoomDirection::In, 2, 2, m_engine, m_error);
    undo.restoreInto(texts);
    EXPECT_EQ(texts, afterFirst);
    undo.restoreInto(texts);
    EXPECT_EQ(texts, afterFirst);
}

TEST_F(ZoomTextsTest, ABadTextStopsTheZoomThere) {
    RangeTexts texts = {"-7", "7", "abc", "-5", "5", "1"};
    EXPECT_FALSE(zoomRangeTexts(texts, ZoomDirection::In, 2, 2, m_engine, m_error));
    EXPECT_EQ(m_error, "'abc' is not a number.");
    EXPECT_EQ(texts, (RangeTexts{"-3.5", "3.5", "abc", "-5", "5", "1"}));
}

TEST_F(ZoomTextsTest, UnusableFactorsOrResultsChangeNothing) {
    for (double fx :
         {0.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        RangeTexts texts = kStandard;
        m_error.clear();
        EXPECT_FALSE(zoomRangeTexts(texts, ZoomDirection::In, fx, 2, m_engine, m_error));
        EXPECT_EQ(texts, kStandard);
        EXPECT_EQ(m_error, m_language.text("ZoomNotPossible"));
    }
    RangeTexts huge = {"-1", "1", "1", "-1", "1E4930", "1"};
    EXPECT_FALSE(zoomRangeTexts(huge, ZoomDirection::Out, 2, 1e10, m_engine, m_error));
    EXPECT_EQ(huge[0], "-1");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ZoomTextsTest, ZoomBoxWritesTheBoundsAndKeepsTheSteps) {
    GraphState state;
    state.setRange(Range{-10, 10, 1, -10, 10, 1});
    state.setClientSize(442, 327);
    const PlotArea& a = state.area();
    // Pixels of x = -2, y = 3 and of x = 4, y = -1.
    const PixelDrag drag{state.XToColumn(-2), state.YToRow(3), state.XToColumn(4),
                         state.YToRow(-1)};
    const SearchBox box = searchBoxFromDrag(state, drag);
    RangeTexts texts = {"-10", "10", "1", "-10", "10", "1"};
    applyZoomBox(texts, box, m_locale);
    Range range;
    ASSERT_TRUE(rangeFromTexts(texts, range, m_engine, m_error));
    const double pixelX = 20.0 / a.width;
    const double pixelY = 20.0 / a.height;
    EXPECT_NEAR(double(range.xMin), -2, pixelX);
    EXPECT_NEAR(double(range.xMax), 4, pixelX);
    EXPECT_NEAR(double(range.yMin), -1, pixelY);
    EXPECT_NEAR(double(range.yMax), 3, pixelY);
    EXPECT_EQ(texts[kXstepRow], "1");
    EXPECT_EQ(texts[kYstepRow], "1");
}

TEST_F(ZoomTextsTest, RangeFromTextsStopsAtTheFirstBadText) {
    Range range{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(rangeFromTexts({"-1", "9", "x", "0", "0", "0"}, range, m_engine, m_error));
    EXPECT_EQ(m_error, "'x' is not a number: it depends on x.");
    EXPECT_EQ(range.xMin, -1);
    EXPECT_EQ(range.xMax, 9);
    EXPECT_EQ(range.xStep, 3);
    EXPECT_EQ(range.yMin, 4);
}

TEST_F(ZoomTextsTest, CellsHoldingConstantsZoomAndReadAsNumbers) {
    RangeTexts texts = {"-pi", "pi", "pi/2", "-1", "1", "1/2"};
    Range range;
    ASSERT_TRUE(rangeFromTexts(texts, range, m_engine, m_error)) << m_error;
    EXPECT_NEAR(double(range.xMax), M_PI, 1e-14);
    EXPECT_NEAR(double(range.yStep), 0.5, 1e-18);
    ASSERT_TRUE(zoomRangeTexts(texts, ZoomDirection::Out, 2, 2, m_engine, m_error)) << m_error;
    EXPECT_EQ(texts, (RangeTexts{"-6.28318530717958", "6.28318530717958", "3.14159265358979", "-2",
                                 "2", "1"}));
    // A grouped thousand is a number; a separator that groups nothing names itself.
    EXPECT_TRUE(
        rangeFromTexts({"-1,000", "1,000", "100", "-5", "5", "1"}, range, m_engine, m_error));
    EXPECT_EQ(range.xMax, 1000);
    EXPECT_FALSE(rangeFromTexts({"-3,5", "3", "1", "-5", "5", "1"}, range, m_engine, m_error));
    EXPECT_EQ(m_error.rfind("\",\" is not the decimal separator here", 0), 0u) << m_error;
}

TEST_F(ZoomTextsTest, ReversedBoundsAreSwappedPairByPair) {
    RangeTexts texts = {"7", "-7", "1", "-5", "5", "1"};
    EXPECT_TRUE(swapReversedBounds(texts, m_engine));
    EXPECT_EQ(texts, kStandard);
    EXPECT_FALSE(swapReversedBounds(texts, m_engine));
    texts = {"1", "2", "1", "pi", "-1", "1"};
    EXPECT_TRUE(swapReversedBounds(texts, m_engine));
    EXPECT_EQ(texts, (RangeTexts{"1", "2", "1", "-1", "pi", "1"}));
    // Texts that are not numbers, and equal bounds, stay as they are.
    texts = {"abc", "-7", "1", "3", "3", "1"};
    EXPECT_FALSE(swapReversedBounds(texts, m_engine));
    EXPECT_EQ(texts[0], "abc");
}

} // namespace
} // namespace lindor::graph::analysis::test
