// Generated pictures written by the GIF writer: the bytes must equal those of the plain
// linear-search coder, and giflib must decode exactly the source pixels.
#include "gif/GifTestSupport.h"
#include "gif/LinearGifCoder.h"
#include "gif/TestPictures.h"

#include "gif/GifFile.h"
#include "gif/ReadBitmapPixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace lindor::gif {
namespace {
namespace fs = std::filesystem;
using testing::PictureCase;

class GifRoundTrip : public ::testing::TestWithParam<PictureCase> {};

TEST_P(GifRoundTrip, MatchesLinearCoderAndDecodesToTheSourcePixels) {
    const testing::TestPicture picture = testing::makePicture(GetParam());
    SCOPED_TRACE(picture.name);
    Bitmap24 bitmap;
    bitmap.width = picture.width;
    bitmap.height = picture.height;
    bitmap.rgb = picture.rgb;

    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(bitmap, table, matrix);
    TGifFile file;
    file.AddImage(table, matrix);

    std::random_device seed;
    const fs::path path =
        fs::temp_directory_path() / ("lindor-rt-" + std::to_string(seed()) + ".Gif");
    file.SaveToFile(path.string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};

    if (!picture.large) {
        const linear::Picture plain{picture.width, picture.height, picture.rgb};
        const std::vector<std::uint8_t> expected = linear::writeLinear(plain);
        ASSERT_EQ(written.size(), expected.size());
        EXPECT_TRUE(written == expected);
    }

    const testing::Decoded decoded = testing::decodeWithGiflib(path.string());
    fs::remove(path);
    ASSERT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.imageCount, 1);
    EXPECT_EQ(decoded.width, picture.width);
    EXPECT_EQ(decoded.height, picture.height);
    EXPECT_TRUE(decoded.rgb == picture.rgb);
}

std::string caseName(const ::testing::TestParamInfo<PictureCase>& info) {
    return testing::pictureName(info.param) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Pictures, GifRoundTrip, ::testing::ValuesIn(testing::roundTripCases()),
                         caseName);

} // namespace
} // namespace lindor::gif
