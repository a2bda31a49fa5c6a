// The zoom factors as typed: both converted before either is taken.
#include <gtest/gtest.h>

#include "graph/analysis/ZoomFactors.h"
#include "lang/Language.h"

namespace lindor::graph::analysis::test {
namespace {

struct ZoomFactorsTest : ::testing::Test {
    lang::Language language;
    NumberLocale locale;
    void SetUp() override { ASSERT_TRUE(language.LoadLanguage("English", LINDOR_DATA_DIR)); }
};

TEST_F(ZoomFactorsTest, BothGoodFactorsAreTaken) {
    const ZoomFactorInput input = parseZoomFactors(" 1.5", "1e3 ", locale, language);
    ASSERT_TRUE(input.ok) << input.error;
    EXPECT_EQ(input.x, 1.5);
    EXPECT_EQ(input.y, 1000);
    EXPECT_EQ(input.badField, -1);
    const ZoomFactorInput constants = parseZoomFactors("3/2", "1,000", locale, language);
    ASSERT_TRUE(constants.ok) << constants.error;
    EXPECT_EQ(constants.x, 1.5);
    EXPECT_EQ(constants.y, 1000);
}

TEST_F(ZoomFactorsTest, TheFirstBadFieldIsNamedWithItsText) {
    struct Case {
        const char* x;
        const char* y;
        int field;
        const char* message;
    };
    const Case cases[] = {
        {"2", "abc", 1, "'abc' is not a number."},
        {"", "2", 0, "'' is not a number."},
        {"1E99999", "2", 0, "'1E99999' is not a number."},
        {"2", "1,5", 1, "\",\" is not the decimal separator here"},
        {"0", "x", 0, "'0' cannot be a zoom factor"},
        {"2", "-0.5", 1, "'-0.5' cannot be a zoom factor"},
        // Numbers of a long double that a double cannot hold: overflow and underflow.
        {"1e400", "2", 0, "'1e400' cannot be a zoom factor"},
        {"2", "1e-400", 1, "'1e-400' cannot be a zoom factor"},
    };
    for (const Case& c : cases) {
        const ZoomFactorInput input = parseZoomFactors(c.x, c.y, locale, language);
        EXPECT_FALSE(input.ok) << c.x << " " << c.y;
        EXPECT_EQ(input.badField, c.field) << c.x << " " << c.y;
        EXPECT_EQ(input.error.rfind(c.message, 0), 0u) << input.error;
    }
}

} // namespace
} // namespace lindor::graph::analysis::test
