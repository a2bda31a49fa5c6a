// Candidates, pointer coordinates, trace and the dispatch at the end of a drag.
#include "AnalysisTestSupport.h"
#include "graph/analysis/Candidates.h"
#include "graph/analysis/PointerText.h"
#include "graph/analysis/RangeSelection.h"

namespace lindor::graph::analysis::test {
namespace {

class InteractionTest : public AnalysisTest {
protected:
    InteractionTest() {
        m_state.setRange(Range{-10, 10, 1, -10, 10, 1});
        m_state.setClientSize(442, 327);
    }

    void plot(const std::string& text) {
        m_state.appendFunction(PlottedFunction{text, nullptr});
        m_curves.push_back(curve(text));
    }

    // A drag from plane point (x0, y0) to (x1, y1).
    void drag(long double x0, long double y0, long double x1, long double y1) {
        m_drag = {m_state.XToColumn(x0), m_state.YToRow(y0), m_state.XToColumn(x1),
                  m_state.YToRow(y1)};
    }
    std::vector<int> candidates() const { return collectCandidates(m_state, m_drag, m_curves); }
    SelectionEnd release(RangeSelectionHost& host) {
        return finishRangeSelection(m_state, m_drag, m_curves, host, m_context);
    }

    GraphState m_state;
    PixelDrag m_drag;
    std::vector<Curve> m_curves;
};

TEST_F(InteractionTest, CandidatesAreTheCurvesThroughTheRectangle) {
    plot("x^2");
    plot("x+20");
    plot("-x");
    plot("sqrt(-x)");
    drag(1, 5, 3, -1); // x^2 and -x pass; x+20 lies above; sqrt(-x) is undefined there
    EXPECT_EQ(candidates(), (std::vector<int>{0, 2}));
    // The same rectangle dragged from any corner.
    drag(1, -1, 3, 5);
    EXPECT_EQ(candidates(), (std::vector<int>{0, 2}));
    drag(3, -1, 1, 5);
    EXPECT_EQ(candidates(), (std::vector<int>{0, 2}));
    drag(3, 5, 1, -1);
    EXPECT_EQ(candidates(), (std::vector<int>{0, 2}));
    // Dragged beyond the window's right and lower edges.
    m_drag = {m_state.XToColumn(8), m_state.YToRow(-5), 5000, 5000};
    EXPECT_EQ(candidates(), (std::vector<int>{2}));
}

TEST_F(InteractionTest, PointerCoordinatesAreClampedToTheRange) {
    const PlotArea& a = m_state.area();
    EXPECT_EQ(pointerCoordinatesText(m_state, a.left - 5, a.bottom + 5, m_context.locale),
              "(-10, -10)");
    EXPECT_EQ(pointerCoordinatesText(m_state, m_state.XToColumn(2.5), m_state.YToRow(-0.3),
                                     m_context.locale),
              "(" + formatGeneral(m_state.PixelToX(m_state.XToColumn(2.5)), 2, m_context.locale) +
                  ", " +
                  formatGeneral(m_state.PixelToY(m_state.YToRow(-0.3)), 2, m_context.locale) + ")");
}

TEST_F(InteractionTest, TraceFollowsTheTracedCurve) {
    plot("x^2");
    plot("ln(x)");
    const int column = m_state.XToColumn(2);
    const long double x = m_state.PixelToX(column);
    EXPECT_FALSE(traceAt(m_state, m_curves, column, m_context.locale).has_value()); // off

    m_state.traceOn = true;
    m_state.tracedIndex = 0;
    auto shown = traceAt(m_state, m_curves, column, m_context.locale);
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(shown->visible);
    EXPECT_EQ(shown->statusText, "(" + formatGeneral(x, 5, m_context.locale) + ", " +
                                     formatGeneral(x * x, 5, m_context.locale) + ")");
    EXPECT_EQ(shown->markerLeft, column - 4);
    EXPECT_EQ(shown->markerTop, m_state.YToRow(x * x) - 4);

    m_state.tracedIndex = 1; // ln is undefined left of 0
    auto hidden = traceAt(m_state, m_curves, m_state.XToColumn(-3), m_context.locale);
    ASSERT_TRUE(hidden.has_value());
    EXPECT_FALSE(hidden->visible);
    EXPECT_TRUE(hidden->statusText.empty());

    m_state.tracedIndex = 2; // no such entry
    EXPECT_FALSE(traceAt(m_state, m_curves, column, m_context.locale).has_value());
}

// Answers the selection steps and the value query as a user would, and records what the
// window would show.
class RecordingHost : public RangeSelectionHost {
public:
    std::optional<int> selectOneFunction(const GraphState&,
                                         const std::vector<int>& candidates) override {
        ++selections;
        offered.push_back(candidates);
        if (candidates.empty() || cancel)
            return std::nullopt;
        return choice;
    }
    std::optional<std::pair<int, int>>
    selectTwoFunctions(const GraphState&, const std::vector<int>& candidates) override {
        offered.push_back(candidates);
        if (candidates.size() < 2 || cancel)
            return std::nullopt;
        return std::pair(0, 1);
    }
    bool askValue(const std::string& caption, const std::string& prompt,
                  std::string& text) override {
        queries.push_back(caption + "|" + prompt);
        text = typed;
        return !cancel;
    }
    void appendLog(const std::vector<std::string>& lines) override {
        log.insert(log.end(), lines.begin(), lines.end());
    }
    void markPoint(long double x, long double y) override { marks.push_back({x, y}); }
    void showError(const std::string& message) override { errors.push_back(message); }
    void zoomToBox(const SearchBox& box) override { zoomBoxes.push_back(box); }

    bool cancel = false;
    int choice = 0;
    int selections = 0;
    std::string typed;
    std::vector<std::vector<int>> offered; // the candidates of each selection
    std::vector<std::string> queries, log, errors;
    std::vector<PlanePoint> marks;
    std::vector<SearchBox> zoomBoxes;
};

TEST_F(InteractionTest, ReleaseRunsThePendingOperationAndClearsIt) {
    plot("x^2-4");
    drag(1, 1, 3, -1);
    m_state.setPending(RangeOperation::Root);
    RecordingHost host;
    EXPECT_EQ(release(host), SelectionEnd::Ran);
    EXPECT_EQ(host.offered, std::vector<std::vector<int>>{{0}});
    ASSERT_EQ(host.log.size(), 3u);
    EXPECT_EQ(host.log[2], text("Root") + ": x = 2");
    ASSERT_EQ(host.marks.size(), 1u);
    EXPECT_EQ(host.marks[0].x, 2);
    EXPECT_FALSE(m_state.anyPending());

    // Nothing pending: the next release does nothing.
    EXPECT_EQ(release(host), SelectionEnd::Nothing);
    EXPECT_EQ(host.log.size(), 3u);
    EXPECT_EQ(host.selections, 1);
}

TEST_F(InteractionTest, AClickKeepsTheOperationPendingAndRunsNothing) {
    plot("x^2-4");
    m_state.setPending(RangeOperation::ZoomBox);
    m_drag = {100, 50, 100, 52}; // two pixels: still a click
    RecordingHost host;
    EXPECT_EQ(release(host), SelectionEnd::Click);
    EXPECT_TRUE(m_state.isPending(RangeOperation::ZoomBox));
    EXPECT_TRUE(host.zoomBoxes.empty());

    m_drag.endY = 53; // three pixels: a range
    EXPECT_EQ(release(host), SelectionEnd::Ran);
    EXPECT_FALSE(m_state.anyPending());
    ASSERT_EQ(host.zoomBoxes.size(), 1u);
    EXPECT_LT(host.zoomBoxes[0].bottom, host.zoomBoxes[0].top);
    EXPECT_EQ(release(host), SelectionEnd::Nothing);
}

TEST_F(InteractionTest, CancelledSelectionOrQueryLogsNothing) {
    plot("x^2");
    drag(1, 5, 3, 0);
    RecordingHost host;
    host.cancel = true;
    for (RangeOperation op :
         {RangeOperation::Maximum, RangeOperation::YCalc, RangeOperation::Intersection}) {
        m_state.setPending(op);
        release(host);
    }
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.marks.empty());
    EXPECT_TRUE(host.queries.empty());
}

TEST_F(InteractionTest, CalcAsksForTheValueAndReportsBadText) {
    plot("2x+1");
    drag(-1, 4, 2, 0);
    RecordingHost host;
    host.typed = "1";
    m_state.setPending(RangeOperation::XCalc);
    release(host);
    ASSERT_EQ(host.queries.size(), 1u);
    EXPECT_EQ(host.queries[0], text("XCalc") + "|" + text("PleaseEnterYValue") + ":");
    ASSERT_EQ(host.log.size(), 3u);
    EXPECT_EQ(host.log[2], text("XCalc") + ": y = 1 " + text("for") + " x = 0");

    host.typed = "1,5";
    m_state.setPending(RangeOperation::YCalc);
    release(host);
    EXPECT_EQ(host.queries.back(), text("YCalc") + "|" + text("PleaseEnterXValue") + ":");
    EXPECT_EQ(host.log.size(), 3u);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind("\",\" is not the decimal separator here", 0), 0u)
        << host.errors[0];
}

TEST_F(InteractionTest, IntersectionAndZoomBoxUseTheSameSearchBox) {
    plot("x");
    plot("2-x");
    drag(-0.3L, 2, 2.7L, 0);
    RecordingHost host;
    m_state.setPending(RangeOperation::Intersection);
    m_state.setPending(RangeOperation::ZoomBox);
    release(host);
    ASSERT_EQ(host.log.size(), 3u);
    EXPECT_EQ(host.log[1], "y1=x " + text("and") + " y2=2-x");
    EXPECT_EQ(host.log[2], text("Intersection") + ": y = 1 " + text("for") + " x = 1");
    ASSERT_EQ(host.zoomBoxes.size(), 1u);
    EXPECT_EQ(host.zoomBoxes[0].left, m_state.PixelToX(m_drag.startX));
    EXPECT_EQ(host.zoomBoxes[0].bottom, m_state.PixelToY(m_drag.endY));
}

} // namespace
} // namespace lindor::graph::analysis::test
