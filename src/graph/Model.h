// The plain types of the graph model that the files, the command line and the windows
// share without the drawing code: the Range and its six texts, the mode, the limit on
// plotted functions and the view settings.
#pragma once

#include <array>
#include <cmath>
#include <string>

#include "graph/ViewSettings.h"

namespace lindor::graph {

// At most this many functions are plotted at once.
constexpr int kMaxFunctions = 12;

// Which list the graph plots: the functions, or the one integral.
enum class Mode { Function, Integral };

// The letter a mode is kept as in documents: "F" or "I".
constexpr char modeLetter(Mode mode) {
    return mode == Mode::Integral ? 'I' : 'F';
}
// "I" or "i" is integral mode; every other letter reads as function mode.
constexpr Mode modeFromLetter(char letter) {
    return letter == 'I' || letter == 'i' ? Mode::Integral : Mode::Function;
}

// The visible part of the plane and the spacing of grid lines, ticks and scale text.
struct Range {
    long double xMin = -7;
    long double xMax = 7;
    long double xStep = 1;
    long double yMin = -5;
    long double yMax = 5;
    long double yStep = 1;

    // The standard view: -7..7 by 1 across, -5..5 by 1 up.
    static Range standard() { return Range{}; }

    bool operator==(const Range& o) const {
        return xMin == o.xMin && xMax == o.xMax && xStep == o.xStep && yMin == o.yMin &&
               yMax == o.yMax && yStep == o.yStep;
    }
    bool operator!=(const Range& o) const { return !(*this == o); }
};

// A Range the graph can draw: every value finite, Xmin < Xmax, Ymin < Ymax, both steps
// above 0, and both spans finite. Reversed or empty bounds are not usable: the axes never
// draw mirrored.
inline bool isUsableRange(const Range& r) {
    const long double values[] = {r.xMin, r.xMax, r.xStep, r.yMin, r.yMax, r.yStep};
    for (long double v : values)
        if (!std::isfinite(v))
            return false;
    if (!(r.xMin < r.xMax) || !(r.yMin < r.yMax))
        return false;
    if (!(r.xStep > 0) || !(r.yStep > 0))
        return false;
    return std::isfinite(r.xMax - r.xMin) && std::isfinite(r.yMax - r.yMin);
}

// The text form of the Range as the range grid shows it: rows Xmin, Xmax, Xstep, Ymin,
// Ymax, Ystep.
using RangeTexts = std::array<std::string, 6>;
enum RangeRow { kXminRow = 0, kXmaxRow, kXstepRow, kYminRow, kYmaxRow, kYstepRow };

// The texts of the standard range.
inline RangeTexts standardRangeTexts() {
    return {"-7", "7", "1", "-5", "5", "1"};
}

} // namespace lindor::graph
