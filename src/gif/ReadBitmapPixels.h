// Scanning a 24-bit bitmap into a colour table and a matrix of colour indices.
#pragma once

#include "gif/DynArrB.h"
#include "gif/GifDecl.h"

namespace lindor::gif {

// Fills `table` with the bitmap's colours in the order the scan first meets them (rows
// from the top, each from the left) and `matrix` with each pixel's colour index. The
// count is then rounded up to 2, 16 or 256 (a bitmap without pixels keeps 0); entries
// past the colours found are black and never referred to. Reports progress 0 and then
// y / height after each row.
// Raises ETooManyColors when a 257th colour is met, and EGifException when the bitmap's
// pixel vector does not match its size.
void ReadBitmapPixels(const Bitmap24& bitmap, TColorTable& table, TByteArray2D& matrix,
                      const ProgressHook& progress = {});

// The table size a file accepts for `colours` colours: 2, 16 or 256 (0 stays 0).
int roundedColorCount(int colours);

} // namespace lindor::gif
