#include <gtest/gtest.h>

#include "files/Profile.h"
#include "files/ViewSettingsIO.h"

using lindor::NumberLocale;
using lindor::files::Profile;
using lindor::files::readViewSettings;
using lindor::files::writeViewSettings;
using lindor::graph::LineStyle;
using lindor::graph::ViewSettings;

namespace {

ViewSettings read(const std::string& text, ViewSettings start = {},
                  NumberLocale locale = NumberLocale{}) {
    readViewSettings(Profile::parse(text), start, locale);
    return start;
}

ViewSettings unusual() {
    ViewSettings v;
    v.axisTextX = "time; s";
    v.axisTextY = " speed = m/s ";
    v.zoomFactorX = 1.5;
    v.zoomFactorY = 0.125;
    v.axisFont = {"DejaVu Serif", 14, true, true, true};
    v.radians = false;
    v.lineStyle = LineStyle::Bold;
    v.showAxis = false;
    v.showGrid = false;
    v.showScaleText = false;
    v.showFunctionNames = false;
    return v;
}

void expectSame(const ViewSettings& a, const ViewSettings& b) {
    EXPECT_EQ(a.axisTextX, b.axisTextX);
    EXPECT_EQ(a.axisTextY, b.axisTextY);
    EXPECT_DOUBLE_EQ(a.zoomFactorX, b.zoomFactorX);
    EXPECT_DOUBLE_EQ(a.zoomFactorY, b.zoomFactorY);
    EXPECT_EQ(a.axisFont.name, b.axisFont.name);
    EXPECT_EQ(a.axisFont.size, b.axisFont.size);
    EXPECT_EQ(a.axisFont.bold, b.axisFont.bold);
    EXPECT_EQ(a.axisFont.italic, b.axisFont.italic);
    EXPECT_EQ(a.axisFont.underline, b.axisFont.underline);
    EXPECT_EQ(a.radians, b.radians);
    EXPECT_EQ(a.lineStyle, b.lineStyle);
    EXPECT_EQ(a.showAxis, b.showAxis);
    EXPECT_EQ(a.showGrid, b.showGrid);
    EXPECT_EQ(a.showScaleText, b.showScaleText);
    EXPECT_EQ(a.showFunctionNames, b.showFunctionNames);
}

} // namespace

TEST(ViewSettingsReading, EmptyFileGivesEveryDefault) {
    // Start from settings that differ everywhere, so that each default must be set.
    ViewSettings start = unusual();
    start.lineStyle = LineStyle::Normal; // no line-style key: the current style stays
    expectSame(read("", start), ViewSettings{});
}

TEST(ViewSettingsReading, LineStyleKeys) {
    EXPECT_EQ(read("[Options]\nBoldLines=1\nDottedLines=1\n").lineStyle, LineStyle::Dotted);
    EXPECT_EQ(read("[Options]\nBoldLines=1\nDottedLines=0\n").lineStyle, LineStyle::Bold);
    ViewSettings bold;
    bold.lineStyle = LineStyle::Bold;
    // Neither key: the style in force stays; both written as 0: normal lines.
    EXPECT_EQ(read("[Options]\nShowAxis=1\n", bold).lineStyle, LineStyle::Bold);
    EXPECT_EQ(read("[Options]\nBoldLines=0\nDottedLines=0\n", bold).lineStyle, LineStyle::Normal);
}

TEST(ViewSettingsReading, BadNumbersFallBackToDefaults) {
    const ViewSettings v = read("[ZoomFactor]\nX=fast\nY=-3\n[Font]\nSize=0\n");
    EXPECT_DOUBLE_EQ(v.zoomFactorX, ViewSettings{}.zoomFactorX);
    EXPECT_DOUBLE_EQ(v.zoomFactorY, ViewSettings{}.zoomFactorY);
    EXPECT_EQ(v.axisFont.size, ViewSettings{}.axisFont.size);
    EXPECT_EQ(read("[Font]\nSize=100000\n").axisFont.size, ViewSettings{}.axisFont.size);
    EXPECT_DOUBLE_EQ(read("[ZoomFactor]\nX=1e999\n").zoomFactorX, ViewSettings{}.zoomFactorX);
}

TEST(ViewSettingsReading, ZoomFactorsInTheLocaleFormatOrWithAPoint) {
    NumberLocale comma;
    comma.decimalSeparator = ',';
    comma.thousandsSeparator = ' ';
    const ViewSettings v = read("[ZoomFactor]\nX=2,5\nY=0.5\n", {}, comma);
    EXPECT_DOUBLE_EQ(v.zoomFactorX, 2.5);
    EXPECT_DOUBLE_EQ(v.zoomFactorY, 0.5);
}

TEST(ViewSettingsWriting, RoundTripsEveryField) {
    NumberLocale comma;
    comma.decimalSeparator = ',';
    for (const NumberLocale& locale : {NumberLocale{}, comma}) {
        for (const LineStyle style : {LineStyle::Normal, LineStyle::Dotted, LineStyle::Bold}) {
            ViewSettings v = unusual();
            v.lineStyle = style;
            Profile p;
            writeViewSettings(p, v, locale);
            ViewSettings start;
            start.lineStyle = LineStyle::Bold;
            expectSame(read(p.toText(), start, locale), v);
        }
    }
}

TEST(ViewSettingsWriting, ReplacesOldValuesAndKeepsOtherKeys) {
    Profile p = Profile::parse("[Options]\nLanguage=Swedish\nShowGrid=1\n[Prog]\nFirstTime=1\n");
    writeViewSettings(p, unusual(), NumberLocale{});
    const Profile back = Profile::parse(p.toText());
    EXPECT_EQ(back.readString("Options", "Language", ""), "Swedish");
    EXPECT_TRUE(back.readFlag("Prog", "FirstTime", false));
    EXPECT_FALSE(back.readFlag("Options", "ShowGrid", true));
    EXPECT_EQ(back.readString("ZoomFactor", "Y", ""), "0.125");
}
