#include "graph/Background.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lindor::graph {

namespace {

// Indices beyond this can no longer be counted one by one in long double arithmetic.
constexpr long double kLargestIndex = 4.0e18L;

int penWidth(const GraphState& s) {
    return s.rendering().lineWidth(s.view.lineStyle == LineStyle::Bold ? 2 : 1);
}

// The axis-text font in the state's device pixels.
Font stateFont(const GraphState& s, Color color = colors::kBlack) {
    return axisCanvasFont(s.view, color, s.rendering().pixelRatio);
}

// Tick bounds along `pixels` device pixels of the state's device.
TickBounds stateTicks(const GraphState& s, long double min, long double max, long double step,
                      int pixels) {
    return tickBounds(min, max, step, pixels, s.rendering().pixelRatio);
}

void line(Canvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
}

// The multiples k * step that lie across the plot width, give or take half a pixel.
// Ticks and grid lines of multiples outside the view are not drawn: the nearest-column
// search would otherwise stack them, with their labels, on the left or right edge.
struct IndexWindow {
    long double low = 0;
    long double high = -1;
};

IndexWindow columnsWindow(const GraphState& s, long double step) {
    const PlotArea& a = s.area();
    const long double lo = std::min(s.range().xMin, s.range().xMax);
    const long double hi = std::max(s.range().xMin, s.range().xMax);
    const long double halfPixel = (hi - lo) / a.width / 2;
    return {std::ceil((lo - halfPixel) / step), std::floor((hi + halfPixel) / step)};
}

// The multiples whose rows lie in the window or within a text height of it.
IndexWindow rowsWindow(const GraphState& s, long double step, int textHeight) {
    const PlotArea& a = s.area();
    auto yAtRow = [&](long double row) {
        return s.range().yMax - (row - a.top) / a.height * (s.range().yMax - s.range().yMin);
    };
    const long double y0 = yAtRow(-textHeight - 1.0L);
    const long double y1 = yAtRow(s.clientHeight() + textHeight + 1.0L);
    return {std::floor(std::min(y0, y1) / step), std::ceil(std::max(y0, y1) / step)};
}

bool rowVisible(const GraphState& s, int row, int margin) {
    return row >= -margin && row < s.clientHeight() + margin;
}

// Scale text is written whole or not at all: a label that would stick out of the picture
// is left out (its tick stays).
bool textFits(const GraphState& s, int left, int top, int width, int height) {
    return left >= 0 && top >= 0 && left + width <= s.clientWidth() &&
           top + height <= s.clientHeight();
}

} // namespace

Font axisCanvasFont(const ViewSettings& view, Color color, double pixelRatio) {
    Font f;
    f.name = view.axisFont.name;
    f.size = view.axisFont.size;
    f.pixelScale = pixelRatio;
    f.bold = view.axisFont.bold;
    f.italic = view.axisFont.italic;
    f.underline = view.axisFont.underline;
    f.color = color;
    return f;
}

TickBounds tickBounds(long double min, long double max, long double step, int pixels,
                      double pixelRatio) {
    TickBounds b;
    if (min > max)
        std::swap(min, max);
    if (!(step > 0) || !(max > min) || pixels <= 0)
        return b;
    b.low = std::trunc(min / step - 0.1L);
    b.high = std::trunc(max / step + 0.1L);
    const long double spacing = step / (max - min) * pixels;
    b.usable = std::isfinite(b.low) && std::isfinite(b.high) &&
               spacing >= kMinimumTickSpacing * pixelRatio && std::fabs(b.low) < kLargestIndex &&
               std::fabs(b.high) < kLargestIndex;
    return b;
}

void drawGrid(const GraphState& s, Canvas& canvas) {
    const PlotArea& a = s.area();
    canvas.setPen(Pen{colors::kSilver, s.rendering().lineWidth(1), PenStyle::Solid});

    const TickBounds yb = stateTicks(s, s.range().yMin, s.range().yMax, s.range().yStep, a.height);
    if (yb.usable && yb.high > yb.low) {
        const IndexWindow w = rowsWindow(s, s.range().yStep, 0);
        for (long double j = std::max(yb.low, w.low); j <= std::min(yb.high, w.high); ++j) {
            if (j == 0)
                continue;
            const int row = s.YToRow(j * s.range().yStep);
            if (rowVisible(s, row, 0))
                line(canvas, a.left, row, a.right, row);
        }
    }

    const TickBounds xb = stateTicks(s, s.range().xMin, s.range().xMax, s.range().xStep, a.width);
    if (xb.usable && xb.high > xb.low) {
        const IndexWindow w = columnsWindow(s, s.range().xStep);
        for (long double i = std::max(xb.low, w.low); i <= std::min(xb.high, w.high); ++i) {
            if (i == 0)
                continue;
            const int column = s.XToColumn(i * s.range().xStep);
            line(canvas, column, a.top, column, a.bottom);
        }
    }
}

namespace {

// Ticks of one direction: k = 1, 2, ... up to the high bound, then k = -1, -2, ... down
// to the low bound. The label is the running sum of the step, as a person counting along
// the axis would write it; `draw` gets the multiple's index and its label value.
template <typename Draw>
void forEachTick(const TickBounds& b, const IndexWindow& w, long double step, Draw draw) {
    const long double firstUp = std::max(1.0L, w.low);
    const long double lastUp = std::min(b.high, w.high);
    long double label = (firstUp - 1) * step;
    for (long double k = firstUp; k <= lastUp; ++k) {
        label += step;
        draw(k, label);
    }
    const long double firstDown = std::min(-1.0L, w.high);
    const long double lastDown = std::max(b.low, w.low);
    label = (firstDown + 1) * step;
    for (long double k = firstDown; k >= lastDown; --k) {
        label -= step;
        draw(k, label);
    }
}

} // namespace

void drawAxes(const GraphState& s, Canvas& canvas, const NumberLocale& locale) {
    const PlotArea& a = s.area();
    const int width = penWidth(s);
    const Font font = stateFont(s);
    const Pen axisPen{colors::kBlack, width, PenStyle::Solid};
    const Pen arrowPen{colors::kBlack, s.rendering().lineWidth(1), PenStyle::Solid};
    const auto px = [&s](int length) { return s.px(length); };
    const Brush black{colors::kBlack, false};
    const Brush white{colors::kWhite, false};

    canvas.setPen(axisPen);
    canvas.setBrush(black);
    const int r = a.xAxisRow;
    if (r != 0) {
        line(canvas, a.left - px(10), r, a.right + px(10), r);
        canvas.setPen(arrowPen);
        canvas.polygon(
            {{a.right + px(17), r}, {a.right + px(10), r + px(3)}, {a.right + px(10), r - px(3)}});
    }

    canvas.setPen(axisPen);
    canvas.setFont(font);
    canvas.setBrush(white);
    if (r != 0) {
        const TickBounds b =
            stateTicks(s, s.range().xMin, s.range().xMax, s.range().xStep, a.width);
        if (b.usable && b.low != b.high) {
            forEachTick(b, columnsWindow(s, s.range().xStep), s.range().xStep,
                        [&](long double k, long double label) {
                            const int col = s.XToColumn(k * s.range().xStep);
                            line(canvas, col, r + px(2), col, r - px(2));
                            if (s.view.showScaleText) {
                                const std::string text =
                                    formatGeneral(label, kScaleTextPrecision, locale);
                                const int w = canvas.textWidth(text);
                                if (textFits(s, col - w / 2, r + px(3), w, canvas.textHeight(text)))
                                    canvas.textOut(col - w / 2, r + px(3), text);
                            }
                        });
        }
    }

    canvas.setPen(axisPen);
    canvas.setBrush(black);
    const int col = a.yAxisColumn;
    if (col != 0) {
        line(canvas, col, a.top - px(9), col, a.bottom + px(10));
        canvas.setPen(arrowPen);
        canvas.polygon(
            {{col, a.top - px(17)}, {col - px(3), a.top - px(10)}, {col + px(3), a.top - px(10)}});
    }

    canvas.setPen(axisPen);
    canvas.setBrush(white);
    if (col != 0) {
        const TickBounds b =
            stateTicks(s, s.range().yMin, s.range().yMax, s.range().yStep, a.height);
        const int h = canvas.textHeight("0");
        if (b.usable) {
            forEachTick(b, rowsWindow(s, s.range().yStep, h), s.range().yStep,
                        [&](long double k, long double label) {
                            const int row = s.YToRow(k * s.range().yStep);
                            if (!rowVisible(s, row, h))
                                return;
                            line(canvas, col + px(2), row, col - px(2), row);
                            if (s.view.showScaleText) {
                                const std::string text =
                                    formatGeneral(label, kScaleTextPrecision, locale);
                                const int w = canvas.textWidth(text);
                                if (textFits(s, col - w - px(4), row - h / 2, w, h))
                                    canvas.textOut(col - w - px(4), row - h / 2, text);
                            }
                        });
        }
    }
}

void drawCaptions(const GraphState& s, Canvas& canvas) {
    const PlotArea& a = s.area();
    canvas.setFont(stateFont(s));
    canvas.setBrush(Brush{colors::kWhite, false});
    if (a.xAxisRow != 0) {
        const std::string& text = s.view.axisTextX;
        const int left = a.right + s.px(10) + canvas.textWidth("x") - canvas.textWidth(text);
        canvas.textOut(left, a.xAxisRow - canvas.textHeight(text) - s.px(3), text);
    }
    if (a.yAxisColumn != 0)
        canvas.textOut(a.yAxisColumn + s.px(7), 0, s.view.axisTextY);
}

void drawBackground(const GraphState& s, Canvas& canvas, const NumberLocale& locale) {
    canvas.setFont(stateFont(s));
    if (!s.area().drawable() || !isUsableRange(s.range()))
        return;
    if (s.view.showGrid)
        drawGrid(s, canvas);
    if (s.view.showAxis) {
        drawAxes(s, canvas, locale);
        drawCaptions(s, canvas);
    }
}

namespace {

// The length of the first code point that starts at `at` of a UTF-8 text.
std::size_t codePointLength(const std::string& text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return end - at;
}

} // namespace

std::string fitText(Canvas& canvas, const std::string& text, int width) {
    if (canvas.textWidth(text) <= width)
        return text;
    static const std::string kEllipsis = "\u2026";
    // Code point boundaries, then the longest beginning that fits with the ellipsis.
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at < text.size(); at += codePointLength(text, at))
        ends.push_back(at);
    std::size_t low = 0; // this many code points fit
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (canvas.textWidth(text.substr(0, ends.size() > mid ? ends[mid] : text.size()) +
                             kEllipsis) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return text.substr(0, ends.size() > low ? ends[low] : text.size()) + kEllipsis;
}

void drawFunctionName(const GraphState& s, Canvas& canvas, int position, const std::string& entry) {
    const PlotArea& a = s.area();
    const Color color = kFunctionColors[static_cast<std::size_t>(position) % kMaxFunctions];
    canvas.setFont(stateFont(s, color));
    canvas.setBrush(Brush{colors::kWhite, false});
    // A name wider than the plot area is cut short, so that it never runs across the graph
    // and out of the picture on the left.
    const int right = a.right + s.px(10);
    const std::string text = fitText(canvas, "y = " + entry, std::max(right - a.left, 0));
    const int h = canvas.textHeight(text);
    canvas.textOut(right - canvas.textWidth(text), a.top - s.px(10) + position * (h + s.px(3)),
                   text);
}

} // namespace lindor::graph
