// The state of the graph view shared by drawing and analyses: the Range, the plot area
// inside the client area, the mapping between plane coordinates and pixels, the lists of
// what is plotted, the pending range operations and the interaction state.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "graph/Color.h"
#include "graph/ViewSettings.h"

namespace lindor::graph {

// The visible part of the plane and the spacing of grid lines, ticks and scale text.
struct Range {
    long double xMin = -7;
    long double xMax = 7;
    long double xStep = 1;
    long double yMin = -5;
    long double yMax = 5;
    long double yStep = 1;

    // The standard view: -7..7 by 1 across, -5..5 by 1 up.
    static Range standard() { return Range{}; }

    bool operator==(const Range& o) const {
        return xMin == o.xMin && xMax == o.xMax && xStep == o.xStep && yMin == o.yMin &&
               yMax == o.yMax && yStep == o.yStep;
    }
    bool operator!=(const Range& o) const { return !(*this == o); }
};

// A Range the graph can draw: every value finite, Xmin != Xmax, Ymin != Ymax, both steps
// above 0, and both spans finite. Reversed bounds (Xmin > Xmax) are usable and draw
// mirrored.
bool isUsableRange(const Range& range);

// The plot area in window pixels, recomputed by GraphState::layout from the client size.
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

// Mode letters: which list is plotted.
constexpr char kFunctionMode = 'F';
constexpr char kIntegralMode = 'I';

struct DragState {
    int startX = 0;
    int startY = 0;
    int currentX = 0;
    int currentY = 0;
    bool buttonDown = false;
    bool focusShown = false;
};

struct GraphState {
    Range range;
    ViewSettings view; // written by the frame, read when drawing
    char mode = kFunctionMode;
    bool traceOn = false;

    // Texts plotted in function mode, in plotting order (at most kMaxFunctions), and for
    // each the position of its compiled function in the engine's function list.
    std::vector<std::string> functions;
    std::array<int, kMaxFunctions> compiledPositions{};

    // The integral plotted in integral mode ("text;lower;upper"), at most one entry. Its
    // integrand is the compiled function at position 0 of the function list.
    std::vector<std::string> integrals;
    long double integralLower = 0;
    long double integralUpper = 0;
    // Set when the next drawing of the integral is to write its log lines.
    bool integralLogRequest = false;

    // Functions passing through the last dragged rectangle (function mode).
    std::vector<std::string> candidates;

    DragState drag;
    int selectedIndex = 0;
    int firstSelectedIndex = 0;
    int secondSelectedIndex = 0;

    // Pending range operations.
    bool isPending(RangeOperation op) const { return m_pending[index(op)]; }
    void setPending(RangeOperation op, bool on = true) { m_pending[index(op)] = on; }
    bool anyPending() const;
    void clearPending() { m_pending.fill(false); }

    // Recomputes the plot area, the spans and the axis row and column from the client
    // size and the current Range.
    void layout(int clientWidth, int clientHeight);
    const PlotArea& area() const { return m_area; }
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }

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

    std::array<bool, kRangeOperationCount> m_pending{};
    PlotArea m_area;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
};

// Rounds to the nearest integer, halves to the even neighbour; saturates at the int range.
int roundHalfEven(long double v);

} // namespace lindor::graph
