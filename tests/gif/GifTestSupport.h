// Helpers for the GIF tests: taking a written file apart, reading its LZW codes as a
// decoder would, and decoding it with giflib.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lindor::gif::testing {

// The parts of a file with a global colour table and one image without a local table.
struct FileParts {
    std::string signature;
    int screenWidth = 0;
    int screenHeight = 0;
    std::uint8_t screenPacked = 0;
    int colourCount = 0;
    std::vector<std::uint8_t> colours; // count * 3 bytes
    std::uint8_t separator = 0;
    int left = 0, top = 0, width = 0, height = 0;
    std::uint8_t imagePacked = 0;
    int minCodeSize = 0;
    std::vector<int> blockLengths;
    std::vector<std::uint8_t> data; // the sub-blocks' bytes joined
    bool terminatorFound = false;
    std::size_t bytesAfterTerminator = 0;
    std::uint8_t lastByte = 0;
};

inline FileParts splitFile(const std::vector<std::uint8_t>& f) {
    FileParts p;
    auto need = [&](std::size_t n) {
        if (f.size() < n)
            throw std::runtime_error("file too short");
    };
    auto word = [&](std::size_t at) { return f[at] | (f[at + 1] << 8); };
    need(13);
    p.signature.assign(f.begin(), f.begin() + 6);
    p.screenWidth = word(6);
    p.screenHeight = word(8);
    p.screenPacked = f[10];
    p.colourCount = (p.screenPacked & 0x80) ? 1 << ((p.screenPacked & 7) + 1) : 0;
    std::size_t at = 13;
    need(at + 3 * static_cast<std::size_t>(p.colourCount) + 11);
    p.colours.assign(f.begin() + static_cast<std::ptrdiff_t>(at),
                     f.begin() + static_cast<std::ptrdiff_t>(at + 3 * p.colourCount));
    at += 3 * static_cast<std::size_t>(p.colourCount);
    p.separator = f[at];
    p.left = word(at + 1);
    p.top = word(at + 3);
    p.width = word(at + 5);
    p.height = word(at + 7);
    p.imagePacked = f[at + 9];
    p.minCodeSize = f[at + 10];
    at += 11;
    while (at < f.size()) {
        const int n = f[at++];
        if (n == 0) {
            p.terminatorFound = true;
            break;
        }
        need(at + static_cast<std::size_t>(n));
        p.blockLengths.push_back(n);
        p.data.insert(p.data.end(), f.begin() + static_cast<std::ptrdiff_t>(at),
                      f.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += static_cast<std::size_t>(n);
    }
    p.bytesAfterTerminator = f.size() - at;
    p.lastByte = f.back();
    return p;
}

struct Code {
    int value;
    int width;
    int nextCode; // the decoder's next free code when this code was read
};

// Reads codes least significant bit first, widening as a decoder does: each code after
// the first one following a clear adds a string; the width grows when the next free code
// reaches 2^width, up to 12 bits. Stops after the end code.
inline std::vector<Code> readCodes(const std::vector<std::uint8_t>& data, int minCodeSize) {
    std::vector<Code> codes;
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    int width = minCodeSize + 1;
    int next = clear + 2;
    bool firstAfterClear = true;
    std::size_t bit = 0;
    while (bit + static_cast<std::size_t>(width) <= data.size() * 8) {
        int value = 0;
        for (int i = 0; i < width; ++i, ++bit)
            value |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        codes.push_back({value, width, next});
        if (value == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            firstAfterClear = true;
            continue;
        }
        if (value == end)
            break;
        if (!firstAfterClear && next < 4096) {
            ++next;
            if (next == (1 << width) && width < 12)
                ++width;
        }
        firstAfterClear = false;
    }
    return codes;
}

struct Decoded {
    std::string error;
    int width = 0;
    int height = 0;
    int imageCount = 0;
    std::vector<std::uint32_t> rgb;
};

inline Decoded decodeWithGiflib(const std::string& path) {
    Decoded d;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) {
        d.error = std::string("open: ") + GifErrorString(error);
        return d;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        d.error = std::string("slurp: ") + GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return d;
    }
    d.imageCount = gif->ImageCount;
    if (gif->ImageCount >= 1) {
        const SavedImage& image = gif->SavedImages[0];
        const ColorMapObject* map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        d.width = image.ImageDesc.Width;
        d.height = image.ImageDesc.Height;
        const std::size_t n = static_cast<std::size_t>(d.width) * d.height;
        d.rgb.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const int index = image.RasterBits[i];
            if (!map || index >= map->ColorCount) {
                d.error = "index outside the colour map";
                break;
            }
            const GifColorType c = map->Colors[index];
            d.rgb[i] = (static_cast<std::uint32_t>(c.Red) << 16) |
                       (static_cast<std::uint32_t>(c.Green) << 8) | c.Blue;
        }
    }
    DGifCloseFile(gif, &error);
    return d;
}

} // namespace lindor::gif::testing
