#include "graph/Canvas.h"

namespace lindor::graph {

void TeeCanvas::clear(int width, int height, Color background) {
    for (Canvas* c : m_targets)
        c->clear(width, height, background);
}

void TeeCanvas::setPen(const Pen& pen) {
    for (Canvas* c : m_targets)
        c->setPen(pen);
}

void TeeCanvas::setBrush(const Brush& brush) {
    for (Canvas* c : m_targets)
        c->setBrush(brush);
}

void TeeCanvas::setFont(const Font& font) {
    for (Canvas* c : m_targets)
        c->setFont(font);
}

void TeeCanvas::moveTo(int x, int y) {
    for (Canvas* c : m_targets)
        c->moveTo(x, y);
}

void TeeCanvas::lineTo(int x, int y) {
    for (Canvas* c : m_targets)
        c->lineTo(x, y);
}

void TeeCanvas::polyline(const std::vector<Point>& points) {
    for (Canvas* c : m_targets)
        c->polyline(points);
}

void TeeCanvas::setPixel(int x, int y, Color color) {
    for (Canvas* c : m_targets)
        c->setPixel(x, y, color);
}

void TeeCanvas::ellipse(int left, int top, int right, int bottom) {
    for (Canvas* c : m_targets)
        c->ellipse(left, top, right, bottom);
}

void TeeCanvas::polygon(const std::vector<Point>& points) {
    for (Canvas* c : m_targets)
        c->polygon(points);
}

void TeeCanvas::textOut(int x, int y, const std::string& text) {
    for (Canvas* c : m_targets)
        c->textOut(x, y, text);
}

int TeeCanvas::textWidth(const std::string& text) {
    return m_targets.empty() ? 0 : m_targets.front()->textWidth(text);
}

int TeeCanvas::textHeight(const std::string& text) {
    return m_targets.empty() ? 0 : m_targets.front()->textHeight(text);
}

void TeeCanvas::flush() {
    for (Canvas* c : m_targets)
        c->flush();
}

} // namespace lindor::graph
