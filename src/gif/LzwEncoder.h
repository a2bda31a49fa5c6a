// LZW coding of one image's colour indices into GIF data sub-blocks.
#pragma once

#include "gif/ByteBuffer.h"
#include "gif/GifDecl.h"

#include <cstddef>
#include <cstdint>

namespace lindor::gif {

// Codes `count` pixels (at least one) with the LZW minimum code size `minCodeSize`
// (2 to 8): clear code first, codes of growing width up to 12 bits, a clear code as soon
// as the string table is full, the end code last. Every pixel must be below
// 2^minCodeSize. Reports progress 0 at the start, at every table reset and 1 at the end.
TByteBuffer encodeLzw(const std::uint8_t* pixels, std::size_t count, int minCodeSize,
                      const ProgressHook& progress);

} // namespace lindor::gif
