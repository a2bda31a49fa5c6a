// Canvases that paint with Qt: PainterCanvas draws through any QPainter (SVG, printer),
// QtCanvas owns the picture as a QImage (32-bit RGB). Only the lines of a smooth pen are
// antialiased; nothing else is, text neither, so every other pixel is one of the colours
// drawn. Consecutive connected lines with the same pen are drawn as one polyline.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <string>
#include <unordered_map>

#include "graph/Canvas.h"
#include "qt/DirtyCells.h"

namespace lindor::qtgui {

// Pixel size of a font given in points, at the 96 pixels per inch of a screen, on a device
// of `pixelScale` device pixels to a pixel of the screen.
int pixelSizeForPoints(int points, double pixelScale = 1.0);
QFont toQFont(const graph::Font& font);
QColor toQColor(graph::Color color);

class PainterCanvas : public graph::Canvas {
public:
    // `painter` must be active on its device for as long as this canvas draws.
    explicit PainterCanvas(QPainter* painter);
    ~PainterCanvas() override;

    void clear(int width, int height, graph::Color background) override;
    void setPen(const graph::Pen& pen) override;
    void setBrush(const graph::Brush& brush) override;
    void setFont(const graph::Font& font) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    // A polyline through the painter, with square caps so that its end pixels are drawn.
    void polyline(const std::vector<graph::Point>& points) override;
    void setPixel(int x, int y, graph::Color color) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<graph::Point>& points) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    void flush() override;

protected:
    // Called before any painting; a canvas whose painter is not active starts it here.
    virtual void activate() {}
    // Called with a rectangle that holds every pixel the painter is about to paint.
    virtual void painted(const QRect& /*area*/) {}
    // Takes the size of a cleared surface without painting it.
    void takeSize(int width, int height);
    // Starts the painter when needed; false when there is nothing to paint on.
    bool ready();
    // Pen, brush and font onto the painter (after it was started again).
    void applyState();

    QPainter* m_painter = nullptr;
    int m_width = 0;
    int m_height = 0;
    graph::Point m_position;
    graph::Pen m_pen;

private:
    // A text's measures in the current font.
    struct TextMeasure {
        int advance = 0;
        int height = 0;
        int ascent = 0;
        QRect glyphs; // around the glyphs, from the start of the base line
    };
    const TextMeasure& measure(const std::string& text);

    QPolygon m_polyline; // the connected lines not yet drawn
    graph::Brush m_brush;
    graph::Font m_font;
    QFont m_qfont;
    std::unordered_map<std::string, TextMeasure> m_measures; // in m_qfont
};

class QtCanvas : public PainterCanvas {
public:
    QtCanvas();
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Makes a new image of this size, filled with `background`.
    void clear(int width, int height, graph::Color background) override;
    // One-pixel solid lines are set pixel by pixel from the start towards the end, which
    // is left out whatever the direction; wider or dotted lines go through the painter.
    void lineTo(int x, int y) override;
    // One-pixel solid polylines are set pixel by pixel as their lines, then the last point.
    void polyline(const std::vector<graph::Point>& points) override;

    // The picture as drawn so far. Painting stops until the next drawing operation, so
    // copies of the image taken now stay as they are.
    const QImage& image();

    // The parts of the image that changed since the last call (all of it the first time):
    // a window that showed the image then needs to copy only these again. The canvas keeps
    // track of every pixel it paints, so a clear to the same size and background wipes only
    // what was painted, and a redraw that moved the picture a little changes only where its
    // lines were and are.
    QRegion takeChangedRegion();

protected:
    void activate() override;
    void painted(const QRect& area) override { m_cells.markArea(area); }

private:
    // True when the pen is one pixel wide, solid and not smooth: its lines are set pixel by
    // pixel.
    bool thinPen() const;
    // True when a point lies near enough to the image for its lines to be set directly;
    // lines reaching far beyond it are left to the painter, which clips them.
    bool near(graph::Point p) const;
    // The image's pixels, written directly (the painter stops).
    struct Pixels {
        uchar* bits;
        qsizetype stride;
        int width;
        int height;
    };
    Pixels directPixels();
    void setDirect(const Pixels& pixels, int x, int y, QRgb color) {
        reinterpret_cast<QRgb*>(pixels.bits + y * pixels.stride)[x] = color;
        m_cells.markPixel(x, y);
    }
    // Sets the pixels of the line from `from` to `to`, without `to`, inside the image.
    void rasterLine(const Pixels& pixels, graph::Point from, graph::Point to, QRgb color);

    QImage m_image;
    QPainter m_imagePainter;
    DirtyCells m_cells;
    graph::Color m_background;
};

} // namespace lindor::qtgui
