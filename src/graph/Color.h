// Colours of the graph: plain 24-bit RGB values and the named colours the drawing uses.
#pragma once

#include <array>
#include <cstdint>

#include "graph/Model.h"

namespace lindor::graph {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
        : r(red), g(green), b(blue) {}

    constexpr bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Color& o) const { return !(*this == o); }
};

namespace colors {
constexpr Color kWhite{255, 255, 255};
constexpr Color kBlack{0, 0, 0};
constexpr Color kSilver{192, 192, 192};
constexpr Color kRed{255, 0, 0};
} // namespace colors

// The colour of each position of the plotted-function list: blue first, red last.
constexpr std::array<Color, kMaxFunctions> kFunctionColors{{
    {0, 0, 255},     // blue
    {0, 128, 0},     // green
    {128, 0, 0},     // maroon
    {128, 128, 0},   // olive
    {0, 0, 128},     // navy
    {128, 0, 128},   // purple
    {0, 128, 128},   // teal
    {128, 128, 128}, // gray
    {0, 255, 0},     // lime
    {255, 0, 255},   // fuchsia
    {0, 255, 255},   // aqua
    {255, 0, 0},     // red
}};

} // namespace lindor::graph
