#include "graph/RecordingCanvas.h"

namespace lindor::graph {

void RecordingCanvas::clear(int width, int height, Color background) {
    // A clear wipes the picture, so the recording restarts with it.
    m_primitives.clear();
    m_width = width;
    m_height = height;
    m_primitives.emplace_back(primitive::Clear{width, height, background});
}

void RecordingCanvas::lineTo(int x, int y) {
    const Point to{x, y};
    // A line to the current position sets no pixel at all.
    if (to != m_position)
        m_primitives.emplace_back(primitive::Line{m_position, to, m_pen});
    m_position = to;
}

void RecordingCanvas::polyline(const std::vector<Point>& points) {
    if (!points.empty())
        m_primitives.emplace_back(primitive::Polyline{points, m_pen});
}

void RecordingCanvas::setPixel(int x, int y, Color color) {
    m_primitives.emplace_back(primitive::Pixel{{x, y}, color});
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    m_primitives.emplace_back(primitive::Ellipse{left, top, right, bottom, m_pen, m_brush});
}

void RecordingCanvas::polygon(const std::vector<Point>& points) {
    m_primitives.emplace_back(primitive::Polygon{points, m_pen, m_brush});
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    m_primitives.emplace_back(primitive::Text{{x, y}, text, m_font, m_brush});
}

int RecordingCanvas::textWidth(const std::string& text) {
    if (m_measure) {
        m_measure->setFont(m_font);
        return m_measure->textWidth(text);
    }
    return m_charWidth * static_cast<int>(text.size());
}

int RecordingCanvas::textHeight(const std::string& text) {
    if (m_measure) {
        m_measure->setFont(m_font);
        return m_measure->textHeight(text);
    }
    return m_textHeight;
}

namespace {

struct Replayer {
    Canvas& target;

    void operator()(const primitive::Clear& p) const { target.clear(p.width, p.height, p.color); }
    void operator()(const primitive::Line& p) const {
        target.setPen(p.pen);
        target.moveTo(p.from.x, p.from.y);
        target.lineTo(p.to.x, p.to.y);
    }
    void operator()(const primitive::Polyline& p) const {
        target.setPen(p.pen);
        target.polyline(p.points);
    }
    void operator()(const primitive::Pixel& p) const { target.setPixel(p.at.x, p.at.y, p.color); }
    void operator()(const primitive::Ellipse& p) const {
        target.setPen(p.pen);
        target.setBrush(p.brush);
        target.ellipse(p.left, p.top, p.right, p.bottom);
    }
    void operator()(const primitive::Polygon& p) const {
        target.setPen(p.pen);
        target.setBrush(p.brush);
        target.polygon(p.points);
    }
    void operator()(const primitive::Text& p) const {
        target.setFont(p.font);
        target.setBrush(p.brush);
        target.textOut(p.at.x, p.at.y, p.text);
    }
};

} // namespace

void RecordingCanvas::replay(Canvas& target) const {
    const Replayer replayer{target};
    for (const Primitive& p : m_primitives)
        std::visit(replayer, p);
    target.flush();
}

} // namespace lindor::graph
