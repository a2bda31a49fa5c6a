// The extension rule of picture saves.
#include "files/PictureNames.h"

#include <gtest/gtest.h>

namespace lindor::files {
namespace {

TEST(PictureNames, KeepsAMatchingExtensionAndForcesAnyOther) {
    EXPECT_EQ(withPictureExtension("/d/a.bmp", ".BMP"), "/d/a.bmp");
    EXPECT_EQ(withPictureExtension("/d/a.BMP", ".BMP"), "/d/a.BMP");
    EXPECT_EQ(withPictureExtension("/d/a.txt", ".BMP"), "/d/a.BMP");
    EXPECT_EQ(withPictureExtension("/d/a", ".BMP"), "/d/a.BMP");
    EXPECT_EQ(withPictureExtension("/d/a.", ".BMP"), "/d/a.BMP");
    EXPECT_EQ(withPictureExtension("/d/graph.png", ".Gif"), "/d/graph.Gif");
    EXPECT_EQ(withPictureExtension("/d/graph.GIF", ".Gif"), "/d/graph.GIF");
    EXPECT_EQ(withPictureExtension("/d/a.b.svg", ".pdf"), "/d/a.b.pdf");
    // Dots in folder names and at the start of the name are not extensions.
    EXPECT_EQ(withPictureExtension("/my.pictures/graph", ".png"), "/my.pictures/graph.png");
    EXPECT_EQ(withPictureExtension("/d/.graph", ".svg"), "/d/.graph.svg");
}

} // namespace
} // namespace lindor::files
