// The state of the graph view shared by drawing and analyses: the Range, the plot area
// inside the client area, the mapping between plane coordinates and pixels, the lists of
// what is plotted, the pending range operations and the trace.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/Color.h"
#include "graph/Model.h"
#include "graph/Rendering.h"

namespace lindor::expr {
class TFunction;
}

namespace lindor::graph {

// The plot area in window pixels, recomputed from the client size and the Range whenever
// either changes. The margins are pixels of the design; on a device of a higher pixel
// ratio they are that many times wider.
struct PlotArea {
    static constexpr int kLeftMargin = 15;
    static constexpr int kRightGap = 22;
    static constexpr int kTopMargin = 22;
    static constexpr int kBottomGap = 15;

    int left = kLeftMargin;
    int right = 0; // client width - 22
    int top = kTopMargin;
    int bottom = 0; // client height - 15
    int width = 0;  // right - left
    int height = 0; // bottom - top
    // Column of x = 0 and row of y = 0; 0 when that axis lies outside the view.
    int yAxisColumn = 0;
    int xAxisRow = 0;
    long double xSpan = 0; // Xmax - Xmin
    long double ySpan = 0; // Ymax - Ymin

    // True when there is at least one pixel of plot area to draw on.
    bool drawable() const { return width > 0 && height > 0; }
};

// The eight range operations run on the next rectangle dragged over the graph.
enum class RangeOperation {
    Root = 1,
    Maximum = 2,
    Minimum = 3,
    Intersection = 4,
    ZoomBox = 5,
    XCalc = 6,
    YCalc = 7,
    YIntersection = 8,
};
constexpr int kRangeOperationCount = 8;

// Constants of the numerical searches and of their result lines.
constexpr int kFirstSubdivisions = 200;
constexpr int kLaterSubdivisions = 100;
constexpr int kPassLimit = 20;
constexpr int kResultDigits = 10;

// A plotted function: its text as typed and the compiled function that draws it.
struct PlottedFunction {
    std::string text;
    std::shared_ptr<expr::TFunction> compiled;
};

// The integral of integral mode: the whole text ("f;lower;upper"), the compiled integrand
// and the limits, lower <= upper; `reversed` when they were typed upper first.
struct PlottedIntegral {
    std::string text;
    std::shared_ptr<expr::TFunction> compiled;
    long double lower = 0;
    long double upper = 0;
    bool reversed = false;
};

class GraphState {
public:
    ViewSettings view; // a copy of the frame's, read when drawing
    // Trace: on, and the position in the plotted-function list of the function it follows
    // (-1: none chosen).
    bool traceOn = false;
    int tracedIndex = -1;

    // The Range and the client size; setting either lays the plot area out again, so the
    // mapping below always belongs to the Range it reports.
    const Range& range() const { return m_range; }
    void setRange(const Range& range);
    void setClientSize(int clientWidth, int clientHeight);
    const PlotArea& area() const { return m_area; }
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // The client size, the plot area and every length drawn are in device pixels.
    const Rendering& rendering() const { return m_rendering; }
    void setRendering(const Rendering& rendering);
    // A length of the design in device pixels.
    int px(int length) const { return m_rendering.px(length); }

    Mode mode() const { return m_mode; }
    // Switches the mode and forgets everything that belonged to the old one: both plotted
    // lists, the pending operations and the trace.
    void switchMode(Mode mode);
    // Forgets the plotted lists and what referred to them (pending operations, trace); the
    // mode stays.
    void clearPlotted();

    // Function mode: what is plotted, in plotting order (at most kMaxFunctions).
    const std::vector<PlottedFunction>& functions() const { return m_functions; }
    int functionCount() const { return static_cast<int>(m_functions.size()); }
    bool isPlottedPosition(int position) const {
        return position >= 0 && position < functionCount();
    }
    void appendFunction(PlottedFunction function) { m_functions.push_back(std::move(function)); }
    // Removes the entries at these positions. Later entries move forward, the traced
    // index with them; trace stops when its function went away.
    void eraseFunctions(std::vector<int> positions);

    // Integral mode: the integral shown, if any.
    const std::optional<PlottedIntegral>& integral() const { return m_integral; }
    void setIntegral(PlottedIntegral integral) { m_integral = std::move(integral); }

    // The texts of the list of the current mode, in plotting order (documents keep them).
    std::vector<std::string> plottedTexts() const;

    // Pending range operations.
    bool isPending(RangeOperation op) const { return m_pending[index(op)]; }
    void setPending(RangeOperation op, bool on = true) { m_pending[index(op)] = on; }
    bool anyPending() const;
    void clearPending() { m_pending.fill(false); }

    // Plane x of plot column i (0..W from the left margin).
    long double ColumnToX(int i) const;
    // Plane y of plot row j (0..H from the top margin).
    long double RowToY(int j) const;
    // Plane x of a window pixel column, Xmin left of the plot area, Xmax right of it.
    long double PixelToX(int px) const;
    // Plane y of a window pixel row, Ymax above the plot area, Ymin below it.
    long double PixelToY(int py) const;
    // Window column whose plane x is nearest to x (the leftmost of equally near columns);
    // values beyond the Range map to the left margin or the right edge. Not a number
    // maps to the left margin.
    int XToColumn(long double x) const;
    // Window row of plane y by formula, not limited to the plot area; saturates at
    // 2147483647 below and -2147483646 above. Not a number gives 2147483647.
    int YToRow(long double y) const;

    // True when (x, y) lies outside the box; the bounds count as inside.
    static bool IsOutside(long double left, long double right, long double bottom, long double top,
                          long double x, long double y);

private:
    static int index(RangeOperation op) { return static_cast<int>(op) - 1; }
    void layout();

    Range m_range;
    Mode m_mode = Mode::Function;
    std::vector<PlottedFunction> m_functions;
    std::optional<PlottedIntegral> m_integral;
    std::array<bool, kRangeOperationCount> m_pending{};
    PlotArea m_area;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    Rendering m_rendering;
};

// The plane x at column t (fractional between columns) of a plot `width` columns wide
// whose left edge is at xMin and that spans `span`: xMin + t * span / width, the product
// taken first. GraphState::ColumnToX and the refinement of curves between their columns
// both use it, so a whole column gives the same x in either.
long double columnX(long double xMin, long double span, int width, long double t);

// Rounds v, which lies within the int range, to the nearest integer in the current
// rounding mode (halves to the even neighbour by default), as nearbyint does.
int roundToInt(double v);

// Rounds to the nearest integer, halves to the even neighbour; saturates at the int range.
int roundHalfEven(long double v);

} // namespace lindor::graph
