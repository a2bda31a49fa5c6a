// GIF files written from QImages: conversion to 24-bit colours, round trips through Qt's
// GIF reader and giflib, and the messages of failed saves.
#include "gif/GifTestSupport.h"
#include "gif/TestPictures.h"

#include "lang/Language.h"
#include "qt/GifImage.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace lindor::qtgui {
namespace {
namespace fs = std::filesystem;
using gif::testing::PictureCase;

fs::path tempName(const std::string& name) {
    std::random_device seed;
    return fs::temp_directory_path() / ("lindor-qgif-" + std::to_string(seed()) + "-" + name);
}

QImage toQImage(const gif::testing::TestPicture& p) {
    QImage image(p.width, p.height, QImage::Format_RGB32);
    for (int y = 0; y < p.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < p.width; ++x)
            line[x] = 0xFF000000u | p.rgb[static_cast<std::size_t>(y) * p.width + x];
    }
    return image;
}

std::vector<std::uint32_t> pixelsOf(const QImage& loaded) {
    const QImage rgb = loaded.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            out.push_back(line[x] & 0xFFFFFFu);
    }
    return out;
}

class GifImageRoundTrip : public ::testing::TestWithParam<PictureCase> {};

TEST_P(GifImageRoundTrip, QtAndGiflibReadBackTheSourcePixels) {
    const auto picture = gif::testing::makePicture(GetParam());
    SCOPED_TRACE(picture.name);
    const fs::path path = tempName(picture.name + ".Gif");
    std::string error;
    ASSERT_TRUE(saveGif(toQImage(picture), path.string(), error)) << error;

    QImage loaded;
    ASSERT_TRUE(loaded.load(QString::fromStdString(path.string()), "GIF"));
    EXPECT_EQ(loaded.width(), picture.width);
    EXPECT_EQ(loaded.height(), picture.height);
    EXPECT_TRUE(pixelsOf(loaded) == picture.rgb);

    const auto decoded = gif::testing::decodeWithGiflib(path.string());
    fs::remove(path);
    ASSERT_EQ(decoded.error, "");
    EXPECT_TRUE(decoded.rgb == picture.rgb);
}

std::string caseName(const ::testing::TestParamInfo<PictureCase>& info) {
    return gif::testing::pictureName(info.param) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Pictures, GifImageRoundTrip,
                         ::testing::ValuesIn(gif::testing::roundTripCases()), caseName);

TEST(GifImageConversion, AnyImageFormatGivesItsColoursAndTransparencyMeetsWhite) {
    QImage argb(3, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    argb.setPixel(1, 0, qRgba(200, 0, 0, 0));
    argb.setPixel(2, 0, qRgba(0, 0, 0, 128));
    const gif::Bitmap24 b = bitmapFromImage(argb);
    ASSERT_EQ(b.width, 3);
    ASSERT_EQ(b.height, 1);
    EXPECT_EQ(b.rgb[0], 0x0A141Eu);
    EXPECT_EQ(b.rgb[1], 0xFFFFFFu);
    const std::uint32_t grey = b.rgb[2] & 0xFF;
    EXPECT_NEAR(static_cast<int>(grey), 127, 2);
    EXPECT_EQ(b.rgb[2], grey * 0x010101u);

    QImage indexed(2, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(250, 251, 252)});
    indexed.fill(0);
    indexed.setPixel(1, 1, 1);
    const gif::Bitmap24 i = bitmapFromImage(indexed);
    EXPECT_EQ(i.rgb, (std::vector<std::uint32_t>{0x010203, 0x010203, 0x010203, 0xFAFBFC}));

    QImage rgb888(1, 2, QImage::Format_RGB888);
    rgb888.setPixelColor(0, 0, QColor(9, 8, 7));
    rgb888.setPixelColor(0, 1, QColor(0, 255, 0));
    EXPECT_EQ(bitmapFromImage(rgb888).rgb, (std::vector<std::uint32_t>{0x090807, 0x00FF00}));

    EXPECT_TRUE(bitmapFromImage(QImage()).rgb.empty());
}

TEST(GifImageSave, DrawnPictureRoundTripsAndReportsProgress) {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::blue);
        p.drawLine(0, 0, 299, 199);
        p.fillRect(20, 30, 50, 60, QColor(255, 0, 0));
    }
    const fs::path path = tempName("drawn.Gif");
    std::vector<double> reports;
    std::string error;
    ASSERT_TRUE(saveGif(image, path.string(), error, [&](double f) { reports.push_back(f); }));
    ASSERT_GE(reports.size(), 203u); // 0, one per row, then the coding's 0 and 1
    EXPECT_EQ(reports.front(), 0.0);
    EXPECT_EQ(reports[200], 1.0);
    EXPECT_EQ(reports[201], 0.0);
    EXPECT_EQ(reports.back(), 1.0);
    for (double f : reports) {
        EXPECT_GE(f, 0.0);
        EXPECT_LE(f, 1.0);
    }
    QImage loaded(QString::fromStdString(path.string()));
    fs::remove(path);
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), image);
}

TEST(GifImageSave, FailuresLeaveOldFilesAndNameTheProblem) {
    const fs::path folder = tempName("folder");
    fs::create_directories(folder);
    const fs::path path = folder / "graph.Gif";
    std::ofstream(path) << "old";

    // 300 distinct colours.
    QImage colourful(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        colourful.setPixel(x, 0, qRgb(x % 256, x / 256, 7));
    std::string error;
    EXPECT_FALSE(saveGif(colourful, path.string(), error));
    EXPECT_NE(error.find("256"), std::string::npos);

    lang::Language english;
    english.loadFromText("GifTooManyColors=Too colourful\n"
                         "GifCannotWriteFile=No way to write %s.\n");
    EXPECT_FALSE(saveGif(colourful, path.string(), error, {}, &english));
    EXPECT_EQ(error, "Too colourful");

    EXPECT_FALSE(saveGif(QImage(), path.string(), error));
    EXPECT_EQ(error, "Number of colors (0) wrong; must be a power of 2");
    EXPECT_EQ(fs::file_size(path), 3u);

    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(Qt::black);
    const fs::path unwritable = folder / "missing" / "graph.Gif";
    EXPECT_FALSE(saveGif(small, unwritable.string(), error, {}, &english));
    EXPECT_EQ(error.rfind("No way to write " + unwritable.string() + ". (", 0), 0u) << error;
    EXPECT_FALSE(saveGif(small, unwritable.string(), error));
    EXPECT_NE(error.find(unwritable.string()), std::string::npos);

    ASSERT_TRUE(saveGif(small, path.string(), error)) << error;
    EXPECT_GT(fs::file_size(path), 3u);
    fs::remove_all(folder);
}

TEST(GifImageSave, LanguageFilesHoldTheMessages) {
    for (const char* name : {"English", "Swedish"}) {
        lang::Language language;
        ASSERT_TRUE(language.LoadLanguage(name, LINDOR_DATA_DIR)) << name;
        EXPECT_TRUE(language.hasKey("GifCannotWriteFile")) << name;
        EXPECT_NE(language.text("GifCannotWriteFile").find("%s"), std::string::npos) << name;
        EXPECT_TRUE(language.hasKey("GifTooManyColors")) << name;
    }
}

} // namespace
} // namespace lindor::qtgui
