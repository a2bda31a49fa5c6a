#include "graph/CurvePlotter.h"

#include <algorithm>

#include "graph/Background.h"

namespace lindor::graph {

void plotCurve(const GraphState& s, Canvas& canvas, const Evaluator& f, const CurveEnds& ends,
               int position, const std::string& name) {
    const bool sampled = s.area().drawable() && isUsableRange(s.range());
    const ColumnSamples samples = sampled ? sampleColumns(s, f) : ColumnSamples{};
    drawCurve(s, canvas, samples, curveLines(s, samples, f, ends), position, name);
}

std::vector<Polyline> curveLines(const GraphState& s, const ColumnSamples& samples,
                                 const Evaluator& f, const CurveEnds& ends) {
    if (s.view.lineStyle == LineStyle::Dotted || !isUsableRange(s.range()))
        return {};
    return traceCurve(s, samples, f, ends);
}

void drawCurve(const GraphState& s, Canvas& canvas, const ColumnSamples& samples,
               const std::vector<Polyline>& lines, int position, const std::string& name) {
    const PlotArea& a = s.area();
    const Color color = kFunctionColors[static_cast<std::size_t>(position) % kMaxFunctions];
    const Rendering& r = s.rendering();
    canvas.setPen(Pen{color, 1, PenStyle::Solid});
    canvas.setBrush(Brush{colors::kWhite, false});
    if (s.view.showFunctionNames)
        drawFunctionName(s, canvas, position, name);
    if (!a.drawable() || !isUsableRange(s.range()) ||
        samples.size() != static_cast<std::size_t>(a.width) + 1)
        return;
    if (s.view.lineStyle == LineStyle::Dotted) {
        // One dot per column, a pixel of the design in size.
        const int dot = r.lineWidth(1);
        canvas.setPen(Pen{color, dot, PenStyle::Solid});
        for (int i = 0; i <= a.width; ++i) {
            const ColumnSample& c = samples[static_cast<std::size_t>(i)];
            if (!c.defined)
                continue;
            if (dot == 1)
                canvas.setPixel(a.left + i, s.YToRow(c.y), color);
            else
                canvas.polyline({{a.left + i, s.YToRow(c.y)}});
        }
        canvas.setPen(Pen{color, 1, PenStyle::Solid});
        return;
    }
    canvas.setPen(Pen{color, r.lineWidth(s.view.lineStyle == LineStyle::Bold ? 2 : 1),
                      PenStyle::Solid, r.smoothCurves});
    for (const Polyline& line : lines)
        canvas.polyline(line);
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
    const int radius = s.px(5);
    canvas.setPen(Pen{colors::kRed, s.rendering().lineWidth(1), PenStyle::Solid});
    canvas.setBrush(Brush{colors::kWhite, true});
    canvas.ellipse(col - radius, row - radius, col + radius, row + radius);
    canvas.setPen(Pen{colors::kRed, 1, PenStyle::Solid});
    canvas.setBrush(Brush{colors::kWhite, false});
}

} // namespace lindor::graph
