// A canvas that keeps every drawing operation as a primitive, with the pen, brush or font
// it was drawn with. It is the vector copy of the current picture (replayed into SVG) and
// the canvas of exact drawing tests. Text is measured with fixed metrics unless another
// canvas is given to measure on.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "graph/Canvas.h"

namespace lindor::graph {

namespace primitive {
struct Clear {
    int width = 0;
    int height = 0;
    Color color;
};
struct Line {
    Point from;
    Point to; // not drawn itself
    Pen pen;
};
struct Polyline {
    std::vector<Point> points; // every point drawn, the last one included
    Pen pen;
};
struct Pixel {
    Point at;
    Color color;
};
struct Ellipse {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Pen pen;
    Brush brush;
};
struct Polygon {
    std::vector<Point> points;
    Pen pen;
    Brush brush;
};
struct Text {
    Point at;
    std::string text;
    Font font;
    Brush brush;
};
} // namespace primitive

using Primitive =
    std::variant<primitive::Clear, primitive::Line, primitive::Polyline, primitive::Pixel,
                 primitive::Ellipse, primitive::Polygon, primitive::Text>;

class RecordingCanvas : public Canvas {
public:
    // Fixed text metrics: every character `charWidth` pixels wide, text `textHeight` high.
    explicit RecordingCanvas(int charWidth = 7, int textHeight = 13)
        : m_charWidth(charWidth), m_textHeight(textHeight) {}

    // Measures text on `measure` instead of the fixed metrics (null: fixed metrics).
    void setMeasuringCanvas(Canvas* measure) { m_measure = measure; }

    void clear(int width, int height, Color background) override;
    void setPen(const Pen& pen) override { m_pen = pen; }
    void setBrush(const Brush& brush) override { m_brush = brush; }
    void setFont(const Font& font) override { m_font = font; }
    void moveTo(int x, int y) override { m_position = {x, y}; }
    void lineTo(int x, int y) override;
    void polyline(const std::vector<Point>& points) override;
    void setPixel(int x, int y, Color color) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<Point>& points) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;

    const std::vector<Primitive>& primitives() const { return m_primitives; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Draws the recorded picture onto another canvas.
    void replay(Canvas& target) const;

private:
    std::vector<Primitive> m_primitives;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
    Point m_position;
    int m_width = 0;
    int m_height = 0;
    int m_charWidth;
    int m_textHeight;
    Canvas* m_measure = nullptr;
};

} // namespace lindor::graph
