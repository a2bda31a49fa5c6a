// Generated test pictures for GIF round trips: sizes from 1 x 1 to 1920 x 1080, 1 to 256
// colours, noise, flat areas and line drawings. Shared by the core and the Qt tests.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace lindor::gif::testing {

enum class Pattern { Noise, Flat, Lines, Stripes };

struct PictureCase {
    int width;
    int height;
    int colours; // distinct colours offered; each one is used at least once when it fits
    Pattern pattern;
    unsigned seed;
};

struct TestPicture {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb; // 0xRRGGBB
    bool large = false;             // too big for the linear coder's test budget
};

inline std::vector<std::uint32_t> distinctColours(int n, std::mt19937& random) {
    std::set<std::uint32_t> seen;
    std::vector<std::uint32_t> colours;
    while (static_cast<int>(colours.size()) < n) {
        const std::uint32_t c = random() & 0xFFFFFFu;
        if (seen.insert(c).second)
            colours.push_back(c);
    }
    return colours;
}

// A name for test listings, made without building the picture.
inline std::string pictureName(const PictureCase& c) {
    static const char* const names[] = {"noise", "flat", "lines", "stripes"};
    return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
           std::to_string(c.colours) + "c_" + names[static_cast<int>(c.pattern)];
}

inline TestPicture makePicture(const PictureCase& c) {
    std::mt19937 random(c.seed);
    const std::vector<std::uint32_t> palette = distinctColours(c.colours, random);
    TestPicture p;
    p.width = c.width;
    p.height = c.height;
    p.rgb.assign(static_cast<std::size_t>(c.width) * c.height, palette[0]);
    auto pick = [&]() { return palette[random() % palette.size()]; };
    auto at = [&](int x, int y) -> std::uint32_t& {
        return p.rgb[static_cast<std::size_t>(y) * c.width + x];
    };

    switch (c.pattern) {
    case Pattern::Noise:
        for (auto& px : p.rgb)
            px = pick();
        break;
    case Pattern::Flat: {
        // Filled rectangles over a background.
        const int rects = 3 + c.colours * 2;
        for (int r = 0; r < rects; ++r) {
            const int x0 = static_cast<int>(random() % c.width);
            const int y0 = static_cast<int>(random() % c.height);
            const int x1 = x0 + 1 + static_cast<int>(random() % (c.width - x0));
            const int y1 = y0 + 1 + static_cast<int>(random() % (c.height - y0));
            const std::uint32_t colour = pick();
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    at(x, y) = colour;
        }
        break;
    }
    case Pattern::Lines: {
        // A graph-like drawing: a grid, then one wavy polyline per colour.
        const std::uint32_t grid = palette[palette.size() > 1 ? 1 : 0];
        for (int x = 0; x < c.width; x += 37)
            for (int y = 0; y < c.height; ++y)
                at(x, y) = grid;
        for (int y = 0; y < c.height; y += 29)
            for (int x = 0; x < c.width; ++x)
                at(x, y) = grid;
        for (std::size_t k = 2; k < palette.size(); ++k) {
            const int phase = static_cast<int>(random() % 1000);
            for (int x = 0; x < c.width; ++x) {
                const int y = (c.height / 2 + (x * 7 + phase) % (c.height + 1) / 3 +
                               static_cast<int>(k) * 3) %
                              c.height;
                at(x, y) = palette[k];
                if (y + 1 < c.height)
                    at(x, y + 1) = palette[k];
            }
        }
        break;
    }
    case Pattern::Stripes:
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                at(x, y) = palette[static_cast<std::size_t>((x / 3 + y / 5) % c.colours)];
        break;
    }
    // Make sure every colour occurs, so the colour count is the one asked for.
    for (std::size_t i = 0; i < palette.size() && i < p.rgb.size(); ++i)
        p.rgb[(i * 7919u) % p.rgb.size()] = palette[i];

    p.name = pictureName(c);
    // The linear coder searches the whole string table per pixel on noise.
    const std::size_t pixels = p.rgb.size();
    p.large = pixels > 1000000 || (c.pattern == Pattern::Noise && pixels > 70000);
    return p;
}

// The round-trip set: 56 pictures.
inline std::vector<PictureCase> roundTripCases() {
    using P = Pattern;
    return {
        {1, 1, 1, P::Flat, 1},           {1, 1, 1, P::Noise, 2},
        {2, 1, 2, P::Noise, 3},          {1, 2, 2, P::Noise, 4},
        {1, 300, 3, P::Noise, 5},        {300, 1, 5, P::Stripes, 6},
        {2, 2, 4, P::Noise, 7},          {3, 7, 16, P::Noise, 8},
        {17, 5, 17, P::Noise, 9},        {16, 16, 256, P::Noise, 10},
        {8, 8, 2, P::Flat, 11},          {64, 64, 1, P::Flat, 12},
        {64, 64, 2, P::Noise, 13},       {64, 64, 3, P::Noise, 14},
        {64, 64, 16, P::Noise, 15},      {64, 64, 17, P::Noise, 16},
        {64, 64, 256, P::Noise, 17},     {100, 37, 7, P::Flat, 18},
        {100, 37, 7, P::Lines, 19},      {255, 1, 2, P::Noise, 20},
        {1, 255, 2, P::Noise, 21},       {256, 256, 2, P::Flat, 22},
        {256, 256, 2, P::Stripes, 23},   {256, 256, 13, P::Lines, 24},
        {256, 256, 16, P::Stripes, 25},  {256, 256, 40, P::Flat, 26},
        {256, 256, 128, P::Noise, 27},   {256, 256, 255, P::Stripes, 28},
        {256, 256, 256, P::Flat, 29},    {200, 150, 5, P::Noise, 30},
        {200, 150, 32, P::Noise, 31},    {1000, 3, 9, P::Noise, 32},
        {3, 1000, 9, P::Stripes, 33},    {333, 77, 100, P::Stripes, 34},
        {640, 480, 1, P::Flat, 35},      {640, 480, 2, P::Lines, 36},
        {640, 480, 14, P::Lines, 37},    {640, 480, 20, P::Flat, 38},
        {640, 480, 256, P::Noise, 39},   {640, 480, 64, P::Stripes, 40},
        {511, 257, 4, P::Noise, 41},     {800, 600, 16, P::Lines, 42},
        {800, 600, 200, P::Flat, 43},    {1023, 65, 8, P::Stripes, 44},
        {65, 1023, 30, P::Flat, 45},     {150, 150, 2, P::Noise, 46},
        {150, 150, 256, P::Noise, 47},   {1280, 720, 14, P::Lines, 48},
        {400, 300, 12, P::Lines, 49},    {90, 90, 90, P::Noise, 50},
        {77, 1, 77, P::Noise, 51},       {4096, 1, 1, P::Flat, 52},
        {1920, 1080, 14, P::Lines, 53},  {1920, 1080, 3, P::Flat, 54},
        {1920, 1080, 256, P::Noise, 55}, {500, 500, 1, P::Flat, 56},
    };
}

} // namespace lindor::gif::testing
