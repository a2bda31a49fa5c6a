#include "ui/Work.h"

namespace lindor::ui {

files::Document Work::document() const {
    files::Document doc;
    doc.mode = mode;
    doc.view = view;
    doc.range = rangeTexts;
    doc.plotted = plotted;
    return doc;
}

bool operator==(const Work& a, const Work& b) {
    return a.mode == b.mode && a.plotted == b.plotted && a.rangeTexts == b.rangeTexts &&
           a.range == b.range && a.rangeUndo.copy() == b.rangeUndo.copy() && a.view == b.view;
}

} // namespace lindor::ui
