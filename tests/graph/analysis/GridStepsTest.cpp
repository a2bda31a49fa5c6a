// Steps of 1, 2 or 5 times a power of ten that keep grid lines 40 to 100 pixels apart, as a
// zoom box chooses them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "graph/analysis/GridSteps.h"

namespace lindor::graph::analysis::test {
namespace {

// The mantissa of a step: 1, 2 or 5 (to the rounding of the power of ten).
long double mantissa(long double step) {
    return step / std::pow(10.0L, std::floor(std::log10(step) + 1e-9L));
}

TEST(GridStep, KeepsLinesBetween40And100PixelsApartOnEveryScale) {
    for (const int pixels : {37, 405, 500, 1203, 4000}) {
        for (long double span = 1e-12L; span < 1e15L; span *= 1.37L) {
            const long double step = gridStep(span, pixels);
            ASSERT_GT(step, 0) << span;
            const long double spacing = step / span * pixels;
            EXPECT_GE(spacing, kSmallestStepPixels * (1 - 1e-12L)) << span << " " << pixels;
            EXPECT_LT(spacing, kLargestStepPixels) << span << " " << pixels;
            const long double m = mantissa(step);
            EXPECT_TRUE(std::fabs(m - 1) < 1e-9L || std::fabs(m - 2) < 1e-9L ||
                        std::fabs(m - 5) < 1e-9L)
                << step;
        }
    }
}

std::string stepText(long double span, int pixels) {
    return formatGeneral(gridStep(span, pixels), 15, NumberLocale{});
}

TEST(GridStep, ExactDecadesAndTheViewsOfTheProgram) {
    // A root zoomed into a width of 0.5 over 405 pixels: 0.05 (lines 40.5 pixels apart).
    EXPECT_EQ(stepText(0.5L, 405), "0.05");
    // The standard view, 14 wide across 405 pixels: 2 (1 would be 29 pixels apart).
    EXPECT_EQ(stepText(14, 405), "2");
    EXPECT_EQ(stepText(100, 400), "10"); // exactly 40 pixels
    EXPECT_EQ(stepText(1e6L, 100), "500000");
    EXPECT_EQ(stepText(3e-7L, 300), "5E-8");
}

TEST(GridStep, NoStepWithoutASpanOrPixels) {
    EXPECT_EQ(gridStep(0, 400), 0);
    EXPECT_EQ(gridStep(-3, 400), 0);
    EXPECT_EQ(gridStep(NAN, 400), 0);
    EXPECT_EQ(gridStep(INFINITY, 400), 0);
    EXPECT_EQ(gridStep(1, 0), 0);
    EXPECT_EQ(gridStep(1e-4940L, 400), 0); // below what a long double holds as a step
}

TEST(GridStep, ZoomBoxWritesBothStepsAsShortTexts) {
    RangeTexts texts = {"1.2", "1.7", "1", "-0.2", "0.1", "1"};
    SearchBox box;
    box.left = 1.2L;
    box.right = 1.7L;
    box.bottom = -0.2L;
    box.top = 0.1L;
    adaptZoomBoxSteps(texts, box, 405, 300, NumberLocale{});
    EXPECT_EQ(texts[kXstepRow], "0.05");
    EXPECT_EQ(texts[kYstepRow], "0.05"); // 0.3 over 300 pixels: 0.05 is 50 pixels
    EXPECT_EQ(texts[kXminRow], "1.2");

    // Without pixels a direction keeps its step.
    adaptZoomBoxSteps(texts, box, 0, 300, NumberLocale{',', '.'});
    EXPECT_EQ(texts[kXstepRow], "0.05");
    EXPECT_EQ(texts[kYstepRow], "0,05");
}

} // namespace
} // namespace lindor::graph::analysis::test
