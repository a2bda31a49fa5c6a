// The vector copy of the graph as a PDF document: one page of the picture's size.
#pragma once

#include <string>

#include "graph/RecordingCanvas.h"

namespace lindor::qtgui {

// Writes the recorded picture as a one-page PDF document whose page is the picture's size
// at 96 pixels per inch. The file is written under a temporary name and renamed when
// complete, so on failure (false with a message naming the file) an older file of that
// name keeps its content.
bool savePdf(const graph::RecordingCanvas& recording, const std::string& path, std::string& error);

} // namespace lindor::qtgui
