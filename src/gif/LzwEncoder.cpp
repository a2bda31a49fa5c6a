#include "gif/LzwEncoder.h"

#include "gif/CodeTable.h"

#include <memory>
#include <string>

namespace lindor::gif {

TByteBuffer encodeLzw(const std::uint8_t* pixels, std::size_t count, int minCodeSize,
                      const ProgressHook& progress) {
    if (count == 0)
        throw EGifException("The picture has no pixels");
    if (minCodeSize < 2 || minCodeSize > 8)
        throw EGifException("LZW minimum code size " + std::to_string(minCodeSize) +
                            " is not valid");
    const std::uint32_t clearCode = 1u << minCodeSize;
    const std::uint32_t endCode = clearCode + 1;
    const int rootWidth = minCodeSize + 1;
    if (anyByteAtLeast(pixels, count, clearCode))
        throw EGifException(
            "Colour index " + std::to_string(firstByteAtLeast(pixels, count, clearCode)) +
            " does not fit the LZW minimum code size " + std::to_string(minCodeSize));

    // The table is large (its child index alone is 2 MB); keep it off the stack.
    auto table = std::make_unique<TCodeTable>();
    TEncodedBytes packer;
    table->reset(rootWidth);

    packer.putCode(clearCode, rootWidth);
    std::uint16_t previous = pixels[0];
    packer.putCode(previous, rootWidth);
    std::size_t pos = 1;
    if (progress)
        progress(0.0);

    while (pos < count) {
        // The previous code's string followed by the next pixel becomes a new string.
        const std::uint8_t first = pixels[pos++];
        table->add(previous, first);

        // Longest string in the table that starts here.
        std::uint16_t current = first;
        while (pos < count) {
            const int code = table->find(current, pixels[pos]);
            if (code < 0)
                break;
            current = static_cast<std::uint16_t>(code);
            ++pos;
        }
        packer.putCode(current, table->codeWidth());
        previous = current;

        if (table->full() && pos < count) {
            // The table is never used while full: clear at the current (12-bit) width
            // and start over with the next pixel.
            packer.putCode(clearCode, table->codeWidth());
            table->reset(rootWidth);
            previous = pixels[pos++];
            packer.putCode(previous, rootWidth);
            if (progress) {
                const double next = static_cast<double>(pos + 1) / static_cast<double>(count);
                progress(next < 1.0 ? next : 1.0);
            }
        }
    }

    packer.finish(endCode, table->codeWidth());
    if (progress)
        progress(1.0);
    return std::move(packer.output());
}

} // namespace lindor::gif
