// The vector copy of the graph: the recording of the current picture written as SVG.
#pragma once

#include <QByteArray>
#include <string>

#include "graph/RecordingCanvas.h"

namespace lindor::qtgui {

// The whole recorded picture as an SVG document of the recording's size.
QByteArray svgFromRecording(const graph::RecordingCanvas& recording);

// Writes svgFromRecording to `path`; false with a message when the file cannot be written.
bool saveSvg(const graph::RecordingCanvas& recording, const std::string& path, std::string& error);

} // namespace lindor::qtgui
