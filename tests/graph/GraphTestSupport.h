// Helpers for reading what the graph drew onto a recording canvas.
#pragma once

#include <string>
#include <vector>

#include "graph/GraphState.h"
#include "graph/RecordingCanvas.h"

namespace lindor::graph::testing {

template <typename T> std::vector<T> primitivesOf(const RecordingCanvas& canvas) {
    std::vector<T> out;
    for (const Primitive& p : canvas.primitives())
        if (const T* t = std::get_if<T>(&p))
            out.push_back(*t);
    return out;
}

inline std::vector<primitive::Line> linesInColor(const RecordingCanvas& canvas, Color color) {
    std::vector<primitive::Line> out;
    for (const primitive::Line& l : primitivesOf<primitive::Line>(canvas))
        if (l.pen.color == color)
            out.push_back(l);
    return out;
}

inline std::vector<primitive::Polyline> polylinesInColor(const RecordingCanvas& canvas,
                                                         Color color) {
    std::vector<primitive::Polyline> out;
    for (const primitive::Polyline& l : primitivesOf<primitive::Polyline>(canvas))
        if (l.pen.color == color)
            out.push_back(l);
    return out;
}

inline const primitive::Text* findText(const std::vector<primitive::Text>& texts,
                                       const std::string& text) {
    for (const primitive::Text& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

// A state laid out on a client area with the given Range.
inline GraphState laidOut(const Range& range, int clientWidth = 442, int clientHeight = 327) {
    GraphState s;
    s.setRange(range);
    s.setClientSize(clientWidth, clientHeight);
    return s;
}

inline Range symmetric(long double bound, long double step = 1) {
    return Range{-bound, bound, step, -bound, bound, step};
}

} // namespace lindor::graph::testing
