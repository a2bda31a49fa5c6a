#include <gtest/gtest.h>

#include "files/History.h"
#include "files/SettingsFile.h"

namespace lindor::files {
namespace {

TEST(History, NewestFirstWithoutCaseDuplicatesAndAtMostAHundred) {
    std::vector<std::string> h{"x^2", "2x"};
    addToHistory(h, "SIN x");
    addToHistory(h, "X^2"); // differs only in case: replaces the old entry at the top
    EXPECT_EQ(h, (std::vector<std::string>{"X^2", "SIN x", "2x"}));

    h.clear();
    for (int i = 0; i < kMaxHistoryEntries; ++i)
        addToHistory(h, "x+" + std::to_string(i));
    addToHistory(h, "x+50"); // already listed: only moves
    ASSERT_EQ(h.size(), 100u);
    EXPECT_EQ(h.front(), "x+50");
    addToHistory(h, "new");
    ASSERT_EQ(h.size(), 100u);
    EXPECT_EQ(h.back(), "x+1"); // "x+0", the oldest, dropped
}

} // namespace
} // namespace lindor::files
