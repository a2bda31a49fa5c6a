#include "qt/QtCanvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <vector>

namespace lindor::qtgui {

namespace {

// Coordinates further out than this are beyond any picture; they are pulled in so that
// Qt's integer geometry cannot overflow.
constexpr int kFarOut = 1 << 24;

int pullIn(int v) {
    return v < -kFarOut ? -kFarOut : (v > kFarOut ? kFarOut : v);
}

// A rectangle around points that a line with this pen joins: it holds the line's pixels
// with its caps and joins.
QRect withPen(const QRect& points, const graph::Pen& pen) {
    const int reach = 2 * std::max(pen.width, 1) + 2;
    return points.adjusted(-reach, -reach, reach, reach);
}

// A 32-bit image whose pixels lie in memory of its own, aligned for large pages where the
// system offers them: a picture of a large screen is written row by row in short pieces
// (the lines, and wiping them), and with small pages nearly every row would cost the
// processor a page translation of its own.
QImage pictureImage(QSize size) {
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    const qsizetype stride = static_cast<qsizetype>(size.width()) * 4;
    const std::size_t bytes =
        static_cast<std::size_t>(stride) * static_cast<std::size_t>(size.height());
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* memory = bytes >= kLargePage ? std::aligned_alloc(kLargePage, rounded) : nullptr;
    if (!memory)
        return QImage(size, QImage::Format_RGB32);
#ifdef MADV_HUGEPAGE
    madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    return QImage(
        static_cast<uchar*>(memory), size.width(), size.height(), stride, QImage::Format_RGB32,
        [](void* m) { std::free(m); }, memory);
}

QPen toQPen(const graph::Pen& pen) {
    QPen p(toQColor(pen.color));
    p.setWidth(pen.width <= 1 ? 1 : pen.width);
    // A flat cap leaves out the end pixel of a one-pixel line, as moveTo/lineTo require.
    p.setCapStyle(Qt::FlatCap);
    // Smooth lines join round, which also tells them apart in a vector picture.
    p.setJoinStyle(pen.smooth ? Qt::RoundJoin : Qt::MiterJoin);
    p.setStyle(pen.style == graph::PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    return p;
}

} // namespace

int pixelSizeForPoints(int points, double pixelScale) {
    const int pixels = static_cast<int>(std::lround(points * 96.0 / 72.0 * pixelScale));
    return pixels < 1 ? 1 : pixels;
}

QColor toQColor(graph::Color c) {
    return QColor(c.r, c.g, c.b);
}

QFont toQFont(const graph::Font& font) {
    QFont f(QString::fromStdString(font.name));
    f.setStyleHint(QFont::SansSerif); // a family that is not installed falls back to sans-serif
    f.setPixelSize(pixelSizeForPoints(font.size, font.pixelScale));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

PainterCanvas::PainterCanvas(QPainter* painter) : m_painter(painter) {
    m_qfont = toQFont(m_font);
    if (m_painter && m_painter->isActive())
        applyState();
}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::applyState() {
    m_painter->setRenderHint(QPainter::Antialiasing, m_pen.smooth);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    m_painter->setPen(toQPen(m_pen));
    m_painter->setBrush(m_brush.clear ? QBrush(Qt::NoBrush) : QBrush(toQColor(m_brush.color)));
    m_painter->setFont(m_qfont);
}

bool PainterCanvas::ready() {
    activate();
    return m_painter && m_painter->isActive();
}

void PainterCanvas::flush() {
    if (m_polyline.size() >= 2 && ready()) {
        painted(withPen(m_polyline.boundingRect(), m_pen));
        m_painter->drawPolyline(m_polyline);
    }
    m_polyline.clear();
}

void PainterCanvas::takeSize(int width, int height) {
    m_polyline.clear();
    m_width = width;
    m_height = height;
}

void PainterCanvas::clear(int width, int height, graph::Color background) {
    takeSize(width, height);
    if (!ready())
        return;
    painted(QRect(0, 0, width, height));
    m_painter->fillRect(0, 0, width, height, toQColor(background));
}

void PainterCanvas::setPen(const graph::Pen& pen) {
    if (pen == m_pen)
        return;
    flush();
    m_pen = pen;
    if (m_painter->isActive()) {
        m_painter->setPen(toQPen(pen));
        m_painter->setRenderHint(QPainter::Antialiasing, pen.smooth);
    }
}

void PainterCanvas::setBrush(const graph::Brush& brush) {
    if (brush == m_brush)
        return;
    flush();
    m_brush = brush;
    if (m_painter->isActive())
        m_painter->setBrush(brush.clear ? QBrush(Qt::NoBrush) : QBrush(toQColor(brush.color)));
}

void PainterCanvas::setFont(const graph::Font& font) {
    if (font == m_font)
        return;
    flush();
    m_font = font;
    QFont qfont = toQFont(font);
    if (qfont != m_qfont)
        m_measures.clear(); // the colour alone changes no measure
    m_qfont = std::move(qfont);
    if (m_painter->isActive())
        m_painter->setFont(m_qfont);
}

void PainterCanvas::moveTo(int x, int y) {
    const graph::Point p{pullIn(x), pullIn(y)};
    // Moving to where the last line ended keeps the polyline going.
    if (!m_polyline.isEmpty() && p == m_position)
        return;
    flush();
    m_position = p;
}

void PainterCanvas::lineTo(int x, int y) {
    const graph::Point p{pullIn(x), pullIn(y)};
    if (p == m_position)
        return; // a line to the current position sets no pixel
    if (m_polyline.isEmpty())
        m_polyline << QPoint(m_position.x, m_position.y);
    m_polyline << QPoint(p.x, p.y);
    m_position = p;
}

void PainterCanvas::polyline(const std::vector<graph::Point>& points) {
    flush();
    if (points.empty() || !ready())
        return;
    if (points.size() == 1) {
        const int w = m_pen.width <= 1 ? 1 : m_pen.width;
        const QRect dot(pullIn(points[0].x), pullIn(points[0].y), w, w);
        painted(dot);
        m_painter->fillRect(dot, toQColor(m_pen.color));
        return;
    }
    QPolygon line;
    line.reserve(static_cast<int>(points.size()));
    for (const graph::Point& p : points)
        line << QPoint(pullIn(p.x), pullIn(p.y));
    painted(withPen(line.boundingRect(), m_pen));
    QPen pen = toQPen(m_pen);
    pen.setCapStyle(Qt::SquareCap);
    m_painter->setPen(pen);
    m_painter->drawPolyline(line);
    m_painter->setPen(toQPen(m_pen));
}

void PainterCanvas::setPixel(int x, int y, graph::Color color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    flush();
    if (!ready())
        return;
    painted(QRect(x, y, 1, 1));
    m_painter->fillRect(x, y, 1, 1, toQColor(color));
}

void PainterCanvas::ellipse(int left, int top, int right, int bottom) {
    flush();
    if (!ready())
        return;
    // The ellipse covers left..right-1 and top..bottom-1.
    painted(withPen(QRect(QPoint(pullIn(left), pullIn(top)), QPoint(pullIn(right), pullIn(bottom))),
                    m_pen));
    m_painter->drawEllipse(pullIn(left), pullIn(top), right - left - 1, bottom - top - 1);
}

void PainterCanvas::polygon(const std::vector<graph::Point>& points) {
    flush();
    if (!ready())
        return;
    QPolygon poly;
    for (const graph::Point& p : points)
        poly << QPoint(pullIn(p.x), pullIn(p.y));
    painted(withPen(poly.boundingRect(), m_pen));
    m_painter->drawPolygon(poly);
}

const PainterCanvas::TextMeasure& PainterCanvas::measure(const std::string& text) {
    // Measuring shapes the text each time; the graph writes the same few texts in the same
    // font frame after frame.
    constexpr std::size_t kKeptMeasures = 4096;
    const auto found = m_measures.find(text);
    if (found != m_measures.end())
        return found->second;
    if (m_measures.size() >= kKeptMeasures)
        m_measures.clear();
    const QFontMetrics metrics(m_qfont);
    const QString s = QString::fromStdString(text);
    TextMeasure m;
    m.advance = metrics.horizontalAdvance(s);
    m.height = metrics.height();
    m.ascent = metrics.ascent();
    m.glyphs = metrics.boundingRect(s);
    return m_measures.emplace(text, m).first->second;
}

void PainterCanvas::textOut(int x, int y, const std::string& text) {
    flush();
    if (!ready())
        return;
    const TextMeasure& m = measure(text);
    x = pullIn(x);
    y = pullIn(y);
    // The glyphs may reach beyond the text's advance and height (italics, underline).
    const int reach = m.height / 2 + 2;
    painted((QRect(x, y, m.advance, m.height) | m.glyphs.translated(x, y + m.ascent))
                .adjusted(-reach, -reach, reach, reach));
    if (!m_brush.clear)
        m_painter->fillRect(x, y, m.advance, m.height, toQColor(m_brush.color));
    m_painter->setPen(toQColor(m_font.color));
    m_painter->drawText(x, y + m.ascent, QString::fromStdString(text));
    m_painter->setPen(toQPen(m_pen));
}

int PainterCanvas::textWidth(const std::string& text) {
    return measure(text).advance;
}

int PainterCanvas::textHeight(const std::string& text) {
    return measure(text).height;
}

QtCanvas::QtCanvas() : PainterCanvas(nullptr) {
    m_painter = &m_imagePainter;
}

QtCanvas::~QtCanvas() {
    if (m_imagePainter.isActive())
        m_imagePainter.end();
}

void QtCanvas::activate() {
    if (m_imagePainter.isActive() || m_image.isNull())
        return;
    m_imagePainter.begin(&m_image);
    applyState();
}

void QtCanvas::clear(int width, int height, graph::Color background) {
    flush();
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    const QSize size(width > 0 ? width : 1, height > 0 ? height : 1);
    const QRgb fill = toQColor(background).rgb();
    if (m_image.size() == size && background == m_background) {
        // Only what was painted since the last clear is not background.
        uchar* bits = m_image.bits();
        const qsizetype stride = m_image.bytesPerLine();
        // A colour of four equal bytes (white) is set with memset, in wide stores.
        const bool bytewise = (fill & 0xff) * 0x01010101u == fill;
        m_cells.takePainted([&](const QRect& r) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
                if (bytewise)
                    std::memset(row, static_cast<int>(fill & 0xff),
                                static_cast<std::size_t>(r.width()) * 4);
                else
                    std::fill_n(row, r.width(), fill);
            }
        });
    } else {
        m_image = pictureImage(size);
        m_image.fill(fill);
        m_cells.reset(size.width(), size.height());
        m_background = background;
    }
    takeSize(width, height);
}

QRegion QtCanvas::takeChangedRegion() {
    std::vector<QRect> runs;
    m_cells.takeChanged([&runs](const QRect& r) { runs.push_back(r); });
    QRegion region;
    // The runs come band by band from the top and from the left within a band, none
    // touching another: the order QRegion takes them in as they are.
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

bool QtCanvas::thinPen() const {
    return m_pen.width <= 1 && m_pen.style == graph::PenStyle::Solid && !m_pen.smooth;
}

bool QtCanvas::near(graph::Point p) const {
    const int reach = 4 * (m_width + m_height) + 64;
    return std::abs(p.x) < reach && std::abs(p.y) < reach;
}

void QtCanvas::lineTo(int x, int y) {
    const graph::Point to{pullIn(x), pullIn(y)};
    if (!thinPen() || !near(m_position) || !near(to) || m_image.isNull()) {
        PainterCanvas::lineTo(x, y);
        return;
    }
    flush();
    if (m_position != to) {
        const Pixels pixels = directPixels();
        rasterLine(pixels, m_position, to, toQColor(m_pen.color).rgb());
    }
    m_position = to;
}

void QtCanvas::polyline(const std::vector<graph::Point>& points) {
    const bool direct = thinPen() && !m_image.isNull() &&
                        std::all_of(points.begin(), points.end(),
                                    [this](const graph::Point& p) { return near(p); });
    if (!direct) {
        PainterCanvas::polyline(points);
        return;
    }
    if (points.empty())
        return;
    flush();
    const QRgb color = toQColor(m_pen.color).rgb();
    const Pixels pixels = directPixels();
    for (std::size_t k = 1; k < points.size(); ++k)
        rasterLine(pixels, points[k - 1], points[k], color);
    const graph::Point last = points.back();
    if (last.x >= 0 && last.y >= 0 && last.x < pixels.width && last.y < pixels.height)
        setDirect(pixels, last.x, last.y, color);
}

QtCanvas::Pixels QtCanvas::directPixels() {
    if (m_imagePainter.isActive())
        m_imagePainter.end(); // the pixels are written directly
    return {m_image.bits(), m_image.bytesPerLine(), m_image.width(), m_image.height()};
}

void QtCanvas::rasterLine(const Pixels& pixels, graph::Point from, graph::Point to, QRgb color) {
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int px = from.x;
    int py = from.y;
    while (px != to.x || py != to.y) {
        if (px >= 0 && py >= 0 && px < pixels.width && py < pixels.height)
            setDirect(pixels, px, py, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

const QImage& QtCanvas::image() {
    flush();
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    return m_image;
}

} // namespace lindor::qtgui
