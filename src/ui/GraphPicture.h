// Small pictures of graphs drawn by the program's own graph code, for the examples of
// the instruction dialogs and for the splash window.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <vector>

#include "graph/Model.h"

namespace lindor::ui {

struct GraphPictureRequest {
    std::vector<std::string> functions; // plotted in function mode, in their colours
    std::string integral;               // when not empty: integral mode with this text
    graph::Range range;
    QSize size{160, 110};
    graph::ViewSettings view; // defaults, except what the picture turns off
};

// Draws the picture with an engine and function list of its own. A text that does not
// compile is left out, and `failed` (when given) counts it.
QImage drawGraphPicture(const GraphPictureRequest& entry, int* failed = nullptr);

} // namespace lindor::ui
