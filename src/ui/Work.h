// The user's work as one value: what a document keeps (the mode, the view settings, the
// applied range texts, the plotted texts), the exact Range drawn and the range undo copy.
// The commands change it, the windows show it, and an undo step holds it before and after
// the change. The graph keeps the compiled functions of the plotted texts as a cache.
#pragma once

#include <string>
#include <vector>

#include "files/Document.h"
#include "graph/Model.h"
#include "graph/analysis/ZoomTexts.h"

namespace lindor::ui {

struct Work {
    graph::Mode mode = graph::Mode::Function;
    // Function mode: the plotted functions in plotting order; integral mode: the integral
    // shown, if any.
    std::vector<std::string> plotted;
    // The range texts last applied (the range window may hold others being typed) and the
    // Range drawn. A pan or a zoom with the pointer sets the Range exactly and writes its
    // texts with 15 digits.
    graph::RangeTexts rangeTexts = graph::standardRangeTexts();
    graph::Range range = graph::Range::standard();
    // The range texts before the last zoom, which Undo Zoom returns to.
    graph::analysis::RangeUndo rangeUndo;
    graph::ViewSettings view;

    // What a document keeps of it.
    files::Document document() const;
};

bool operator==(const Work& a, const Work& b);
inline bool operator!=(const Work& a, const Work& b) {
    return !(a == b);
}

} // namespace lindor::ui
