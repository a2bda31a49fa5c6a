// The view options the graph reads when it draws. The frame owns them, reads and
// writes them in the settings file and in documents; the graph only reads them.
#pragma once

#include <string>

namespace lindor::graph {

// The default axis-text font: the platform's default sans-serif family. A stored family that
// is not installed falls back to it when drawn.
inline constexpr const char* kDefaultFontName = "Sans Serif";

enum class LineStyle { Normal, Dotted, Bold };

// The font of the axis captions, scale text and function names. Its colour is always
// black. `size` is in points.
struct AxisFont {
    std::string name = kDefaultFontName;
    int size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const AxisFont& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
               underline == o.underline;
    }
    bool operator!=(const AxisFont& o) const { return !(*this == o); }
};

struct ViewSettings {
    std::string axisTextX = "x";
    std::string axisTextY = "y";
    double zoomFactorX = 2.0;
    double zoomFactorY = 2.0;
    AxisFont axisFont;
    bool radians = true;
    LineStyle lineStyle = LineStyle::Normal;
    bool showAxis = true;
    bool showGrid = true;
    bool showScaleText = true;
    bool showFunctionNames = true;

    bool operator==(const ViewSettings& o) const {
        return axisTextX == o.axisTextX && axisTextY == o.axisTextY &&
               zoomFactorX == o.zoomFactorX && zoomFactorY == o.zoomFactorY &&
               axisFont == o.axisFont && radians == o.radians && lineStyle == o.lineStyle &&
               showAxis == o.showAxis && showGrid == o.showGrid &&
               showScaleText == o.showScaleText && showFunctionNames == o.showFunctionNames;
    }
    bool operator!=(const ViewSettings& o) const { return !(*this == o); }
};

} // namespace lindor::graph
