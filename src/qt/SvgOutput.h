// The vector copy of the graph: the recording of the current picture written as SVG.
#pragma once

#include <QByteArray>
#include <string>

#include "graph/RecordingCanvas.h"

namespace lindor::lang {
class Language;
}

namespace lindor::qtgui {

// The whole recorded picture as an SVG document of the recording's size.
QByteArray svgFromRecording(const graph::RecordingCanvas& recording);

// Writes svgFromRecording to `path` through writePictureFile (qt/PictureWrite.h); false with
// a message naming the file when it cannot be written.
bool saveSvg(const graph::RecordingCanvas& recording, const std::string& path, std::string& error,
             const lang::Language* translations = nullptr);

} // namespace lindor::qtgui
