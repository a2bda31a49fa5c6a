// Writing a QImage as a GIF file through the core GIF writer.
#pragma once

#include <QImage>

#include <string>

#include "gif/GifDecl.h"

namespace lindor::lang {
class Language;
}

namespace lindor::qtgui {

// The picture as rows of 24-bit colours. Pixels that are not fully opaque are laid over
// white first, as the picture would look on a page.
gif::Bitmap24 bitmapFromImage(const QImage& image);

// `image` with at most `count` colours: unchanged when it has no more; otherwise the `count`
// most frequent colours stay and every other pixel takes the nearest of them. The colours
// the graph names are the frequent ones; the blends along smooth curves are the rare.
QImage withAtMostColours(const QImage& image, int count);

// Scans `image`, adds it as the one image of a GIF file and writes that file at `path`
// (the name is used as given). On failure returns false with a message in `error` and
// leaves any older file of that name as it was. `progress` receives the fractions done
// of the scan and then of the coding. With `translations`, the messages about an unwritable
// file and about too many colours are translated; the writer's own messages are fixed
// English texts.
bool saveGif(const QImage& image, const std::string& path, std::string& error,
             const gif::ProgressHook& progress = {}, const lang::Language* translations = nullptr);

} // namespace lindor::qtgui
