// The two surfaces every graph drawing goes to: the bitmap the window shows (and that
// bitmap, PNG and GIF files are made from) and the recording of the whole current
// picture, which is the vector copy. A full redraw clears both.
#pragma once

#include <QImage>

#include "graph/Canvas.h"
#include "graph/RecordingCanvas.h"
#include "qt/QtCanvas.h"

namespace lindor::qtgui {

class GraphSurfaces {
public:
    GraphSurfaces();
    GraphSurfaces(const GraphSurfaces&) = delete;
    GraphSurfaces& operator=(const GraphSurfaces&) = delete;

    // Draw here: both surfaces alike. Text is measured on the bitmap.
    graph::Canvas& canvas() { return m_both; }

    const QImage& image() { return m_bitmap.image(); }
    // The parts of the bitmap that changed since the last call (see QtCanvas): what a
    // window showing the bitmap has to copy again.
    QRegion takeChangedRegion() { return m_bitmap.takeChangedRegion(); }
    const graph::RecordingCanvas& recording() const { return m_recording; }

private:
    QtCanvas m_bitmap;
    graph::RecordingCanvas m_recording;
    graph::TeeCanvas m_both;
};

} // namespace lindor::qtgui
