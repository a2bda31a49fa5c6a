// The GIF file as written: header, colour table, code stream, sub-blocks, progress and
// the failures that must leave no file behind.
#include "gif/GifTestSupport.h"

#include "gif/GifFile.h"
#include "gif/ReadBitmapPixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace lindor::gif {
namespace {
namespace fs = std::filesystem;
using testing::readCodes;
using testing::splitFile;

Bitmap24 makeBitmap(int w, int h, const std::vector<std::uint32_t>& rgb) {
    Bitmap24 b;
    b.width = w;
    b.height = h;
    b.rgb = rgb;
    return b;
}

// A w x h bitmap whose pixel i has colour colours[i % colours.size()].
Bitmap24 cycling(int w, int h, int colourCount) {
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint32_t>((i % colourCount) * 0x010203u + 0x102030u);
    return makeBitmap(w, h, rgb);
}

std::vector<std::uint8_t> encode(const Bitmap24& bitmap, const ProgressHook& hook = {}) {
    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(bitmap, table, matrix, hook);
    TGifFile file(hook);
    file.AddImage(table, matrix);
    return file.saveToBytes();
}

std::vector<std::uint8_t> readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("lindor-gif-" + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_path), fs::directory_iterator()));
    }

private:
    fs::path m_path;
};

TEST(GifScan, ColoursAreListedInFirstMetOrderAndRounded) {
    const std::uint32_t a = 0x112233, b = 0xFFFFFF, c = 0x000000;
    const Bitmap24 bmp = makeBitmap(3, 2, {a, b, a, c, c, b});
    TColorTable table;
    TByteArray2D m;
    std::vector<double> reports;
    ReadBitmapPixels(bmp, table, m, [&](double f) { reports.push_back(f); });
    EXPECT_EQ(table.count, 16);
    EXPECT_EQ(table.entries[0], (TColor{0x11, 0x22, 0x33}));
    EXPECT_EQ(table.entries[1], (TColor{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(table.entries[2], (TColor{0, 0, 0}));
    const std::uint8_t expected[] = {0, 1, 0, 2, 2, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(m.get(i % 3 + 1, i / 3 + 1), expected[i]);
    EXPECT_EQ(reports, (std::vector<double>{0.0, 0.5, 1.0}));

    for (auto [found, rounded] :
         {std::pair{1, 2}, {2, 2}, {3, 16}, {16, 16}, {17, 256}, {255, 256}, {256, 256}}) {
        ReadBitmapPixels(cycling(found, 1, found), table, m);
        EXPECT_EQ(table.count, rounded) << found;
    }
    EXPECT_EQ(roundedColorCount(0), 0);

    // Bits above the 24 colour bits do not make another colour.
    ReadBitmapPixels(makeBitmap(2, 1, {0xFF112233u, 0x00112233u}), table, m);
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(m.get(1, 1), 0);
    EXPECT_EQ(m.get(2, 1), 0);
}

TEST(GifScan, RejectsMoreThan256ColoursAndMismatchedBitmaps) {
    TColorTable table;
    table.count = 5;
    TByteArray2D m(1, 1);
    EXPECT_THROW(ReadBitmapPixels(cycling(257, 1, 257), table, m), ETooManyColors);
    EXPECT_EQ(table.count, 5); // outputs untouched on failure
    EXPECT_EQ(m.width(), 1);
    EXPECT_THROW(ReadBitmapPixels(makeBitmap(2, 2, {1, 2, 3}), table, m), EGifException);
    EXPECT_THROW(ReadBitmapPixels(makeBitmap(-1, 0, {}), table, m), EGifException);
}

// Screen packed byte, colour table size and LZW minimum code size for each table size.
TEST(GifHeader, ColourCountDecidesTableSizePackedByteAndCodeSize) {
    struct Case {
        int colours, tableSize;
        std::uint8_t packed;
        int minCodeSize;
    };
    for (const Case& c : {Case{1, 2, 0x80, 2}, Case{2, 2, 0x80, 2}, Case{3, 16, 0xB3, 4},
                          Case{16, 16, 0xB3, 4}, Case{17, 256, 0xF7, 8}, Case{256, 256, 0xF7, 8}}) {
        const auto bytes = encode(cycling(40, 7, c.colours));
        const auto parts = splitFile(bytes);
        EXPECT_EQ(parts.signature, "GIF87a");
        EXPECT_EQ(parts.screenWidth, 40);
        EXPECT_EQ(parts.screenHeight, 7);
        EXPECT_EQ(parts.screenPacked, c.packed) << c.colours;
        EXPECT_EQ(parts.colourCount, c.tableSize);
        EXPECT_EQ(bytes[11], 0); // background
        EXPECT_EQ(bytes[12], 0); // aspect ratio
        EXPECT_EQ(parts.separator, 0x2C);
        EXPECT_EQ(parts.left, 0);
        EXPECT_EQ(parts.top, 0);
        EXPECT_EQ(parts.width, 40);
        EXPECT_EQ(parts.height, 7);
        EXPECT_EQ(parts.imagePacked, 0);
        EXPECT_EQ(parts.minCodeSize, c.minCodeSize);
        EXPECT_EQ(parts.colours[0], 0x10);
        EXPECT_EQ(parts.colours[1], 0x20);
        EXPECT_EQ(parts.colours[2], 0x30);
        EXPECT_TRUE(parts.terminatorFound);
        EXPECT_EQ(parts.bytesAfterTerminator, 1u);
        EXPECT_EQ(parts.lastByte, 0x3B);
    }
}

TEST(GifCodes, BlackAndWhiteStartsWithClearCodeFourAtThreeBits) {
    const auto parts = splitFile(encode(makeBitmap(4, 1, {0, 0, 0, 0xFFFFFF})));
    EXPECT_EQ(parts.screenPacked, 0x80);
    EXPECT_EQ(parts.minCodeSize, 2);
    const auto codes = readCodes(parts.data, 2);
    // 0 0 0 1: clear, "0", "00", then the last pixel starts a string of its own.
    std::vector<int> values;
    for (const auto& c : codes)
        values.push_back(c.value);
    EXPECT_EQ(values, (std::vector<int>{4, 0, 6, 1, 5}));
    EXPECT_EQ(codes.front().width, 3);
    // All five codes, the end code too, are written with 3 bits: 15 bits in 2 bytes.
    EXPECT_EQ(parts.data.size(), 2u);
}

TEST(GifCodes, LastPixelStartingANewStringEndsWithItsOwnCode) {
    // Many zeros, then one pixel of the other colour.
    std::vector<std::uint32_t> rgb(99, 0x000000);
    rgb.push_back(0xFFFFFF);
    const auto parts = splitFile(encode(makeBitmap(10, 10, rgb)));
    const auto codes = readCodes(parts.data, 2);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[codes.size() - 2].value, 1); // the white pixel alone
    EXPECT_EQ(codes.back().value, 5);            // end code
}

TEST(GifCodes, UniformPictureClearsAtTwelveBitsWhenTheTableFills) {
    // One colour: the strings grow by one pixel per code, and about 8.4 million pixels
    // fill the table's 4090 free codes.
    TColorTable table;
    table.count = 2;
    TByteArray2D matrix(4096, 2100);
    TGifFile file;
    file.AddImage(table, matrix);
    const auto bytes = file.saveToBytes();
    const auto parts = splitFile(bytes);
    const auto codes = readCodes(parts.data, 2);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front().value, 4);
    EXPECT_EQ(codes.back().value, 5);

    int clears = 0;
    for (std::size_t i = 1; i + 1 < codes.size(); ++i) {
        if (codes[i].value != 4)
            continue;
        ++clears;
        // Right after the code that took the last free string.
        EXPECT_EQ(codes[i].nextCode, 4096);
        EXPECT_EQ(codes[i].width, 12);
        EXPECT_EQ(codes[i - 1].width, 12);
        EXPECT_EQ(codes[i + 1].width, 3);
        EXPECT_EQ(codes[i + 1].value, 0);
    }
    EXPECT_EQ(clears, 1);

    TempFolder folder;
    const fs::path path = folder.path() / "uniform.gif";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const auto decoded = testing::decodeWithGiflib(path.string());
    ASSERT_EQ(decoded.error, "");
    ASSERT_EQ(decoded.rgb.size(), 4096u * 2100u);
    EXPECT_TRUE(std::all_of(decoded.rgb.begin(), decoded.rgb.end(),
                            [](std::uint32_t c) { return c == 0; }));
}

TEST(GifCodes, SubBlocksAre255BytesExceptTheLast) {
    std::mt19937 random(3);
    std::vector<std::uint32_t> rgb(200 * 60);
    for (auto& c : rgb)
        c = random() % 200;
    const auto bytes = encode(makeBitmap(200, 60, rgb));
    const auto parts = splitFile(bytes);
    ASSERT_GT(parts.blockLengths.size(), 3u);
    for (std::size_t i = 0; i + 1 < parts.blockLengths.size(); ++i)
        EXPECT_EQ(parts.blockLengths[i], 255);
    EXPECT_GE(parts.blockLengths.back(), 1);
    EXPECT_LE(parts.blockLengths.back(), 255);
    EXPECT_TRUE(parts.terminatorFound);
    EXPECT_EQ(bytes.end()[-2], 0);
    EXPECT_EQ(bytes.back(), 0x3B);
}

TEST(GifProgress, ScanThenEncodingEachRunFromZeroToOne) {
    std::vector<double> reports;
    // Uniform, to force a table reset with its own report.
    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(makeBitmap(4096, 2100, std::vector<std::uint32_t>(4096u * 2100u, 0)), table,
                     matrix, [&](double f) { reports.push_back(f); });
    ASSERT_EQ(reports.size(), 2101u);
    EXPECT_EQ(reports.front(), 0.0);
    EXPECT_EQ(reports[1050], 0.5);
    EXPECT_EQ(reports.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));

    reports.clear();
    TGifFile file([&](double f) { reports.push_back(f); });
    file.AddImage(table, matrix);
    file.saveToBytes();
    ASSERT_EQ(reports.size(), 3u); // start, one reset, end
    EXPECT_EQ(reports[0], 0.0);
    EXPECT_GT(reports[1], 0.9);
    EXPECT_LT(reports[1], 1.0);
    EXPECT_EQ(reports[2], 1.0);
}

TEST(GifErrors, PictureWithoutPixelsWritesNothing) {
    TempFolder folder;
    const fs::path path = folder.path() / "empty.Gif";
    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(makeBitmap(0, 0, {}), table, matrix);
    EXPECT_EQ(table.count, 0);
    TGifFile file;
    try {
        file.AddImage(table, matrix);
        FAIL();
    } catch (const EGifException& e) {
        EXPECT_STREQ(e.what(), "Number of colors (0) wrong; must be a power of 2");
    }
    EXPECT_TRUE(file.images().empty());
    EXPECT_THROW(file.SaveToFile(path.string()), EGifException); // no image, no table
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(folder.entries(), 0u);

    // A table of colours but a matrix without pixels.
    table.count = 2;
    EXPECT_THROW(file.AddImage(table, TByteArray2D(0, 5)), EGifException);
}

TEST(GifErrors, BadColourTablesAndIndicesAreRejectedBeforeAnythingChanges) {
    TGifFile file;
    TColorTable table;
    TByteArray2D matrix(2, 2);
    table.count = 4; // a power of 2, but not a size the file's screen accepts
    try {
        file.AddImage(table, matrix);
        FAIL();
    } catch (const EGifException& e) {
        EXPECT_STREQ(e.what(), "unexpected number of colors");
    }
    table.count = 12;
    try {
        file.AddImage(table, matrix);
        FAIL();
    } catch (const EGifException& e) {
        EXPECT_STREQ(e.what(), "Number of colors (12) wrong; must be a power of 2");
    }
    table.count = 2;
    matrix.set(2, 2, 2); // no colour 2 in a table of two
    EXPECT_THROW(file.AddImage(table, matrix), EGifException);
    EXPECT_TRUE(file.images().empty());
    EXPECT_EQ(file.screenWidth(), 0);
    EXPECT_THROW(file.AddImage(table, TByteArray2D(65536, 1)), EGifException);
}

TEST(GifErrors, UnwritableFileIsReportedByNameAndAnOldFileSurvives) {
    TempFolder folder;
    const Bitmap24 picture = cycling(30, 20, 5);
    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(picture, table, matrix);

    const fs::path missing = folder.path() / "no such folder" / "graph.Gif";
    TGifFile file;
    file.AddImage(table, matrix);
    try {
        file.SaveToFile(missing.string());
        FAIL();
    } catch (const EGifFileError& e) {
        EXPECT_EQ(e.fileName(), missing.string());
        EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos);
        EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_THROW(file.SaveToFile(folder.path().string()), EGifFileError); // a folder
    EXPECT_THROW(file.SaveToFile(""), EGifFileError);
    EXPECT_EQ(folder.entries(), 0u);

    // An old file is replaced only by a complete new one.
    const fs::path path = folder.path() / "graph.Gif";
    std::ofstream(path) << "old content";
    TColorTable tooMany;
    TByteArray2D ignored;
    EXPECT_THROW(ReadBitmapPixels(cycling(300, 1, 300), tooMany, ignored), ETooManyColors);
    EXPECT_EQ(readFile(path).size(), 11u);

    file.SaveToFile(path.string());
    EXPECT_EQ(readFile(path), file.saveToBytes());
    EXPECT_EQ(folder.entries(), 1u); // no temporary file left behind
    const auto decoded = testing::decodeWithGiflib(path.string());
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.rgb, picture.rgb);
}

TEST(GifFileImages, LaterImageCarriesItsOwnColourTable) {
    TColorTable first, second;
    TByteArray2D small, wide;
    ReadBitmapPixels(cycling(3, 2, 2), first, small);
    ReadBitmapPixels(cycling(9, 1, 5), second, wide);
    TGifFile file;
    file.AddImage(first, small);
    file.AddImage(second, wide);
    ASSERT_EQ(file.images().size(), 2u);
    EXPECT_FALSE(file.images()[0]->hasLocalColorTable());
    EXPECT_TRUE(file.images()[1]->hasLocalColorTable());
    EXPECT_EQ(file.images()[1]->descriptor().packed, 0x80 + 3); // 16 colours: 4 bits
    EXPECT_EQ(file.screenWidth(), 9);
    EXPECT_EQ(file.screenHeight(), 2);
    EXPECT_EQ(file.globalColorTable().count, 2);
    EXPECT_EQ(file.screenPacked(), 0x80);

    TempFolder folder;
    const fs::path path = folder.path() / "two.gif";
    file.SaveToFile(path.string());
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.string().c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_EQ(gif->ImageCount, 2);
    const SavedImage& later = gif->SavedImages[1];
    ASSERT_NE(later.ImageDesc.ColorMap, nullptr);
    EXPECT_EQ(later.ImageDesc.ColorMap->ColorCount, 16);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(later.RasterBits[i], wide.get(i + 1, 1));
    DGifCloseFile(gif, &error);
}

} // namespace
} // namespace lindor::gif
