#include "qt/GraphSurfaces.h"

namespace lindor::qtgui {

GraphSurfaces::GraphSurfaces() : m_both({&m_bitmap, &m_recording}) {
    m_recording.setMeasuringCanvas(&m_bitmap);
}

} // namespace lindor::qtgui
