// The drawing surface the graph draws on: a pen, a brush and a font, lines from the
// current position (the end pixel is not set), polylines, single pixels, ellipses, filled
// polygons and opaque text. Implementations: RecordingCanvas (a list of primitives), TeeCanvas
// (several surfaces at once) and the Qt canvas of the program.
#pragma once

#include <string>
#include <vector>

#include "graph/Color.h"
#include "graph/ViewSettings.h"

namespace lindor::graph {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
};

enum class PenStyle { Solid, Dotted };

struct Pen {
    Color color = colors::kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool smooth = false; // antialiased: the edges blend into what lies below
    bool operator==(const Pen& o) const {
        return color == o.color && width == o.width && style == o.style && smooth == o.smooth;
    }
    bool operator!=(const Pen& o) const { return !(*this == o); }
};

struct Brush {
    Color color = colors::kWhite;
    bool clear = false; // a clear brush fills nothing and draws text without background
    bool operator==(const Brush& o) const { return color == o.color && clear == o.clear; }
    bool operator!=(const Brush& o) const { return !(*this == o); }
};

struct Font {
    std::string name = kDefaultFontName;
    int size = 10;           // points
    double pixelScale = 1.0; // device pixels per pixel of the design
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = colors::kBlack;
    bool operator==(const Font& o) const {
        return name == o.name && size == o.size && pixelScale == o.pixelScale && bold == o.bold &&
               italic == o.italic && underline == o.underline && color == o.color;
    }
    bool operator!=(const Font& o) const { return !(*this == o); }
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Resizes the surface to width by height pixels and fills it with `background`.
    virtual void clear(int width, int height, Color background) = 0;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const Font& font) = 0;

    // Moves the current position without drawing.
    virtual void moveTo(int x, int y) = 0;
    // Draws a line with the pen from the current position to (x, y), without the pixel
    // at (x, y) itself, and makes (x, y) the current position.
    virtual void lineTo(int x, int y) = 0;
    // Lines with the pen through the points in order, the pixels of every point included
    // (one point sets one pixel). The current position is not used and does not move.
    virtual void polyline(const std::vector<Point>& points) = 0;
    virtual void setPixel(int x, int y, Color color) = 0;
    // Ellipse inside the rectangle (right and bottom exclusive): outlined with the pen,
    // filled with the brush unless the brush is clear.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Closed polygon outlined with the pen and filled with the brush.
    virtual void polygon(const std::vector<Point>& points) = 0;
    // Text with its top-left corner at (x, y), in the font's colour, on the brush colour
    // unless the brush is clear.
    virtual void textOut(int x, int y, const std::string& text) = 0;

    virtual int textWidth(const std::string& text) = 0;
    virtual int textHeight(const std::string& text) = 0;

    // Pushes any batched drawing to the surface.
    virtual void flush() {}
};

// Draws everything on several canvases alike, in the order given. Text is measured on
// the first one.
class TeeCanvas : public Canvas {
public:
    explicit TeeCanvas(std::vector<Canvas*> targets) : m_targets(std::move(targets)) {}

    void clear(int width, int height, Color background) override;
    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setFont(const Font& font) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<Point>& points) override;
    void setPixel(int x, int y, Color color) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<Point>& points) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    void flush() override;

private:
    std::vector<Canvas*> m_targets;
};

} // namespace lindor::graph
