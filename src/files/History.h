// The entry box's history: most recent text first, at most kMaxHistoryEntries texts.
#pragma once

#include <string>
#include <vector>

namespace lindor::files {

// Puts `text` at the top of `history`. An entry equal to it without regard to letter case
// (ASCII letters) is removed first, so re-entering a text only moves it to the top; beyond
// kMaxHistoryEntries the last entry is dropped.
void addToHistory(std::vector<std::string>& history, const std::string& text);

// True when the texts are equal without regard to ASCII letter case.
bool equalIgnoringCase(const std::string& a, const std::string& b);

} // namespace lindor::files
