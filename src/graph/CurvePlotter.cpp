#include "graph/CurvePlotter.h"

#include <algorithm>

#include "graph/Background.h"

namespace lindor::graph {

int clipRow(ClipState& c, const PlotArea& area, int row) {
    c.previousAbove = c.above;
    c.previousBelow = c.below;
    if (c.previousAbove || c.previousBelow)
        c.penState = 0;
    c.above = false;
    c.below = false;
    int result = row;
    if (row > area.bottom) {
        c.below = true;
        result = area.bottom;
    } else if (row < area.top) {
        c.above = true;
        result = area.top;
    }
    if ((c.previousAbove || c.previousBelow) && !c.above && !c.below)
        c.penState = 1;
    return result;
}

void plotCurve(const GraphState& s, ClipState& clip, Canvas& canvas, const Evaluator& f,
               int position, const std::string& name) {
    const PlotArea& a = s.area();
    const Color color = kFunctionColors[static_cast<std::size_t>(position) % kMaxFunctions];
    canvas.setPen(Pen{color, 1, PenStyle::Solid});
    canvas.setBrush(Brush{colors::kWhite, false});
    if (s.view.showFunctionNames)
        drawFunctionName(s, canvas, position, name);
    if (!a.drawable() || !isUsableRange(s.range()))
        return;
    const bool dotted = s.view.lineStyle == LineStyle::Dotted;
    if (s.view.lineStyle == LineStyle::Bold)
        canvas.setPen(Pen{color, 2, PenStyle::Solid});

    clip.penState = 0;
    // The first sample reached in the drawing state is moved to, so that a curve never
    // starts with a line from where the previous curve ended.
    bool firstDraw = true;
    for (int i = 0; i <= a.width; ++i) {
        long double y = 0;
        if (!f(s.ColumnToX(i), y)) {
            clip.penState = 0;
            continue;
        }
        int row = s.YToRow(y);
        const int column = a.left + i;
        if (dotted) {
            canvas.setPixel(column, row, color);
            continue;
        }
        row = clipRow(clip, a, row);
        if (clip.penState == 0) {
            canvas.moveTo(column, row);
            clip.penState = 1;
        } else {
            if (firstDraw) {
                canvas.moveTo(column, row);
                firstDraw = false;
            }
            canvas.lineTo(column, row);
        }
    }
    canvas.setPen(Pen{color, 1, PenStyle::Solid});
}

void drawResultMarker(const GraphState& s, Canvas& canvas, long double x, long double y) {
    // Bounds in either order, so that a result in a mirrored view is marked as well.
    const Range& r = s.range();
    if (GraphState::IsOutside(std::min(r.xMin, r.xMax), std::max(r.xMin, r.xMax),
                              std::min(r.yMin, r.yMax), std::max(r.yMin, r.yMax), x, y))
        return;
    const int col = s.XToColumn(x);
    const int row = s.YToRow(y);
    canvas.setPen(Pen{colors::kRed, 1, PenStyle::Solid});
    canvas.setBrush(Brush{colors::kWhite, true});
    canvas.ellipse(col - 5, row - 5, col + 5, row + 5);
    canvas.setBrush(Brush{colors::kWhite, false});
}

} // namespace lindor::graph
