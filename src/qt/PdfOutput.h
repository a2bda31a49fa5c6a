// The vector copy of the graph as a PDF document: one page of the picture's size.
#pragma once

#include <QByteArray>
#include <string>

#include "graph/RecordingCanvas.h"

namespace lindor::lang {
class Language;
}

namespace lindor::qtgui {

// The recorded picture as a one-page PDF document whose page is the picture's size at 96
// pixels per inch; empty when the document could not be made.
QByteArray pdfFromRecording(const graph::RecordingCanvas& recording);

// Writes pdfFromRecording to `path` through writePictureFile (qt/PictureWrite.h), so on
// failure (false with a message naming the file) an older file of that name keeps its
// content.
bool savePdf(const graph::RecordingCanvas& recording, const std::string& path, std::string& error,
             const lang::Language* translations = nullptr);

} // namespace lindor::qtgui
