// The progress window's behaviour for the writer's reports, on a recording display.
#include "gif/GifFile.h"
#include "gif/ProgressHook.h"
#include "gif/ReadBitmapPixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lindor::gif {
namespace {

class RecordingDisplay : public ProgressDisplay {
public:
    bool isShown() const override { return shown; }
    void show() override {
        shown = true;
        calls.push_back("show");
    }
    void hide() override {
        shown = false;
        calls.push_back("hide");
    }
    void setGaugeProgress(int percent) override { calls.push_back(std::to_string(percent)); }
    void processPendingMessages() override { calls.push_back("messages"); }

    bool shown = false;
    std::vector<std::string> calls;
};

TEST(GifProgressHook, ShowsRoundsHalfToEvenAndHidesAboveTheLimit) {
    RecordingDisplay display;
    const ProgressHook hook = makeProgressHook(display);
    hook(0.5);
    hook(0.125);
    hook(0.9999f);
    hook(0.99995);
    hook(0.0);
    EXPECT_EQ(display.calls,
              (std::vector<std::string>{"show", "50", "messages", "12", "messages", "100",
                                        "messages", "hide", "messages", "show", "0", "messages"}));
    EXPECT_TRUE(progressShows(0.9999));
    EXPECT_FALSE(progressShows(1.0));
    EXPECT_EQ(progressPercentFor(0.375), 38); // 37.5 goes to the even 38
    EXPECT_EQ(progressPercentFor(0.994), 99);
}

TEST(GifProgressHook, WindowShowsDuringScanAndCodingAndEndsHidden) {
    RecordingDisplay display;
    const ProgressHook hook = makeProgressHook(display);
    Bitmap24 bitmap;
    bitmap.width = 4;
    bitmap.height = 3;
    bitmap.rgb.assign(12, 0x123456);
    TColorTable table;
    TByteArray2D matrix;
    ReadBitmapPixels(bitmap, table, matrix, hook);
    TGifFile file(hook);
    file.AddImage(table, matrix);
    file.saveToBytes();
    // Scan: 0, 33, 67, hidden at the last row; coding: 0, hidden at the end.
    EXPECT_EQ(display.calls, (std::vector<std::string>{"show", "0", "messages", "33", "messages",
                                                       "67", "messages", "hide", "messages", "show",
                                                       "0", "messages", "hide", "messages"}));
    EXPECT_FALSE(display.shown);
}

TEST(GifGauge, PercentageClampsAndRepaintsOnlyOnChange) {
    GaugeModel gauge;
    EXPECT_EQ(gauge.percentDone(), 0);
    EXPECT_TRUE(gauge.setProgress(42));
    EXPECT_EQ(gauge.percentDone(), 42);
    EXPECT_FALSE(gauge.setProgress(42));
    EXPECT_TRUE(gauge.setProgress(250));
    EXPECT_EQ(gauge.progress(), 100);
    EXPECT_TRUE(gauge.setProgress(-5));
    EXPECT_EQ(gauge.progress(), 0);

    GaugeModel coarse(10, 13); // percentages 0, 33, 66, 100
    EXPECT_TRUE(coarse.setProgress(11));
    EXPECT_EQ(coarse.percentDone(), 33);
    EXPECT_TRUE(coarse.setProgress(12));
    EXPECT_EQ(coarse.percentDone(), 66);

    GaugeModel flat(5, 5);
    EXPECT_EQ(flat.percentDone(), 0);
    EXPECT_FALSE(flat.setProgress(9));
}

TEST(GifGauge, NeedlePointsLeftUpAndRight) {
    const NeedleLine up = needleLine(50, 275, 150);
    EXPECT_EQ(up.fromX, 137);
    EXPECT_EQ(up.fromY, 149);
    // (1 - cos(pi / 2)) * 137.5 sits on a half: either neighbour is straight up.
    EXPECT_GE(up.toX, 137);
    EXPECT_LE(up.toX, 138);
    EXPECT_EQ(up.toY, 0);
    const NeedleLine left = needleLine(1, 275, 150);
    EXPECT_LT(left.toX, 5);
    EXPECT_GT(left.toY, 140);
    const NeedleLine right = needleLine(100, 275, 150);
    EXPECT_EQ(right.toX, 275);
    EXPECT_EQ(right.toY, 149);
}

} // namespace
} // namespace lindor::gif
