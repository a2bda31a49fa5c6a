// A plain GIF87a writer that searches the colour table and the string table linearly,
// step by step as the format's coder is described. Slow, but simple enough to trust: the
// fast writer must produce exactly its bytes. Header-only; used by the tests and by the
// benchmark.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lindor::gif::linear {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb; // 0xRRGGBB, rows from the top
};

// Colour table (count rounded to 2, 16, 256) and the pixels' indices.
struct Scan {
    std::vector<std::uint32_t> colours; // rounded size; extra entries 0
    std::vector<std::uint8_t> indices;
    int found = 0;
};

inline Scan scanLinear(const Picture& picture) {
    Scan scan;
    std::vector<std::uint32_t> table;
    scan.indices.reserve(picture.rgb.size());
    for (std::uint32_t rgb : picture.rgb) {
        rgb &= 0xFFFFFFu;
        std::size_t i = 0;
        while (i < table.size() && table[i] != rgb)
            ++i;
        if (i == table.size()) {
            if (table.size() == 256)
                throw std::runtime_error("more than 256 colours");
            table.push_back(rgb);
        }
        scan.indices.push_back(static_cast<std::uint8_t>(i));
    }
    scan.found = static_cast<int>(table.size());
    std::size_t rounded = table.size() <= 2 ? 2 : table.size() <= 16 ? 16 : 256;
    if (table.empty())
        rounded = 0;
    table.resize(rounded, 0);
    scan.colours = table;
    return scan;
}

// The LZW code stream, laid out as the 255-byte blocks the file stores (without lengths).
inline std::vector<std::vector<std::uint8_t>> encodeLinear(const std::vector<std::uint8_t>& px,
                                                           int minCodeSize) {
    std::vector<std::vector<std::uint8_t>> blocks;
    std::vector<std::uint8_t> current;
    auto appendByte = [&](std::uint8_t b) {
        if (current.size() == 255) {
            blocks.push_back(current);
            current.clear();
        }
        current.push_back(b);
    };
    std::uint32_t accumulator = 0;
    int bitCount = 0;
    auto put = [&](std::uint32_t value, int width) {
        accumulator += value << bitCount;
        bitCount += width;
        while (bitCount >= 8) {
            appendByte(static_cast<std::uint8_t>(accumulator & 0xFF));
            accumulator >>= 8;
            bitCount -= 8;
        }
    };

    std::vector<std::uint16_t> prefix(4096), suffix(4096);
    int width = 0, firstFree = 0, next = 0;
    bool full = false;
    auto reset = [&](int w) {
        std::fill(prefix.begin(), prefix.end(), 0);
        std::fill(suffix.begin(), suffix.end(), 0);
        width = w;
        firstFree = next = (1 << (w - 1)) + 2;
        full = false;
    };
    auto add = [&](int p, int s) {
        prefix[next] = static_cast<std::uint16_t>(p);
        suffix[next] = static_cast<std::uint16_t>(s);
        ++next;
        if (next == 4096)
            full = true;
        else if (next > (1 << width))
            ++width;
    };
    auto find = [&](int cur, int s) {
        for (int c = std::max(firstFree, cur + 1); c <= next - 1; ++c)
            if (prefix[c] == cur && suffix[c] == s)
                return c;
        return -1;
    };

    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    reset(minCodeSize + 1);
    put(clear, minCodeSize + 1);
    std::size_t pos = 0;
    int previous = px[pos++];
    put(previous, minCodeSize + 1);
    while (pos < px.size()) {
        const int k = px[pos++];
        add(previous, k);
        int cur = k;
        while (pos < px.size()) {
            const int c = find(cur, px[pos++]);
            if (c < 0) {
                --pos;
                break;
            }
            cur = c;
        }
        put(static_cast<std::uint32_t>(cur), width);
        previous = cur;
        if (full && pos < px.size()) {
            put(clear, width);
            reset(minCodeSize + 1);
            previous = px[pos++];
            put(previous, minCodeSize + 1);
        }
    }
    put(end, width);
    if (bitCount > 0)
        appendByte(static_cast<std::uint8_t>(accumulator & 0xFF));
    blocks.push_back(current);
    return blocks;
}

// The whole file for a picture of 1 to 256 colours.
inline std::vector<std::uint8_t> writeLinear(const Picture& picture) {
    const Scan scan = scanLinear(picture);
    const int count = static_cast<int>(scan.colours.size());
    if (count == 0)
        throw std::runtime_error("no pixels");
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    const int minCodeSize = bits == 1 ? 2 : bits;
    const int resolution = count == 2 ? 1 : count == 16 ? 4 : 8;

    std::vector<std::uint8_t> out;
    auto word = [&](int v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    for (char c : std::string("GIF87a"))
        out.push_back(static_cast<std::uint8_t>(c));
    word(picture.width);
    word(picture.height);
    out.push_back(static_cast<std::uint8_t>(0x80 + (resolution - 1) * 16 + (bits - 1)));
    out.push_back(0);
    out.push_back(0);
    for (std::uint32_t c : scan.colours) {
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    out.push_back(0x2C);
    word(0);
    word(0);
    word(picture.width);
    word(picture.height);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    for (const auto& block : encodeLinear(scan.indices, minCodeSize)) {
        out.push_back(static_cast<std::uint8_t>(block.size()));
        out.insert(out.end(), block.begin(), block.end());
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

} // namespace lindor::gif::linear
