#include "files/ViewSettingsIO.h"

#include <cmath>

#include "files/Profile.h"

namespace lindor::files {
namespace {

constexpr int kNumberPrecision = 15;

double readZoomFactor(const Profile& profile, const char* key, double defaultValue,
                      const NumberLocale& locale) {
    const std::string text = profile.readString("ZoomFactor", key, "");
    long double value = 0;
    const NumberLocale pointLocale;
    if (!tryParseNumber(text, locale, value) && !tryParseNumber(text, pointLocale, value))
        return defaultValue;
    const double factor = static_cast<double>(value);
    if (!std::isfinite(factor) || factor <= 0)
        return defaultValue;
    return factor;
}

} // namespace

void readViewSettings(const Profile& profile, graph::ViewSettings& view,
                      const NumberLocale& locale) {
    const graph::ViewSettings defaults;
    view.axisTextX = profile.readString("AxisText", "X", defaults.axisTextX);
    view.axisTextY = profile.readString("AxisText", "Y", defaults.axisTextY);

    view.zoomFactorX = readZoomFactor(profile, "X", defaults.zoomFactorX, locale);
    view.zoomFactorY = readZoomFactor(profile, "Y", defaults.zoomFactorY, locale);

    view.axisFont.name = profile.readString("Font", "Name", defaults.axisFont.name);
    view.axisFont.size = profile.readInteger("Font", "Size", defaults.axisFont.size);
    if (view.axisFont.size < 1 || view.axisFont.size > kMaxFontSize)
        view.axisFont.size = defaults.axisFont.size;
    view.axisFont.bold = profile.readFlag("Font", "StyleBold", defaults.axisFont.bold);
    view.axisFont.italic = profile.readFlag("Font", "StyleItalic", defaults.axisFont.italic);
    view.axisFont.underline =
        profile.readFlag("Font", "StyleUnderline", defaults.axisFont.underline);

    view.radians = profile.readFlag("Angles", "Radians", defaults.radians);

    const bool bold = profile.readFlag("Options", "BoldLines", false);
    const bool dotted = profile.readFlag("Options", "DottedLines", false);
    if (dotted)
        view.lineStyle = graph::LineStyle::Dotted;
    else if (bold)
        view.lineStyle = graph::LineStyle::Bold;
    else if (profile.hasKey("Options", "BoldLines") || profile.hasKey("Options", "DottedLines"))
        view.lineStyle = graph::LineStyle::Normal;

    view.showAxis = profile.readFlag("Options", "ShowAxis", defaults.showAxis);
    view.showGrid = profile.readFlag("Options", "ShowGrid", defaults.showGrid);
    view.showScaleText = profile.readFlag("Options", "ShowScaleText", defaults.showScaleText);
    view.showFunctionNames =
        profile.readFlag("Options", "ShowFunctionNames", defaults.showFunctionNames);
}

void writeViewSettings(Profile& profile, const graph::ViewSettings& view,
                       const NumberLocale& locale) {
    profile.writeString("AxisText", "X", view.axisTextX);
    profile.writeString("AxisText", "Y", view.axisTextY);
    profile.writeString("ZoomFactor", "X",
                        formatGeneral(view.zoomFactorX, kNumberPrecision, locale));
    profile.writeString("ZoomFactor", "Y",
                        formatGeneral(view.zoomFactorY, kNumberPrecision, locale));
    profile.writeString("Font", "Name", view.axisFont.name);
    profile.writeInteger("Font", "Size", view.axisFont.size);
    profile.writeFlag("Font", "StyleBold", view.axisFont.bold);
    profile.writeFlag("Font", "StyleItalic", view.axisFont.italic);
    profile.writeFlag("Font", "StyleUnderline", view.axisFont.underline);
    profile.writeFlag("Angles", "Radians", view.radians);
    profile.writeFlag("Options", "BoldLines", view.lineStyle == graph::LineStyle::Bold);
    profile.writeFlag("Options", "DottedLines", view.lineStyle == graph::LineStyle::Dotted);
    profile.writeFlag("Options", "ShowAxis", view.showAxis);
    profile.writeFlag("Options", "ShowGrid", view.showGrid);
    profile.writeFlag("Options", "ShowScaleText", view.showScaleText);
    profile.writeFlag("Options", "ShowFunctionNames", view.showFunctionNames);
}

} // namespace lindor::files
