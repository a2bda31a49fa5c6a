// Writing a whole file so that it is either complete or not replaced at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lindor::gif {

// Writes `bytes` to a new file in the target's folder and renames it over `fileName`.
// Raises EGifFileError naming `fileName` when the file cannot be created, written,
// closed or renamed; the temporary file is then removed and an existing file of that
// name keeps its old content.
void writeFileReplacing(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

} // namespace lindor::gif
