#include "files/PictureNames.h"

#include <algorithm>
#include <cctype>

#include "files/Document.h"

namespace lindor::files {
namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

std::string withPictureExtension(const std::string& path, const std::string& extension) {
    const std::size_t nameStart = path.size() - fileNameOf(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart)
        return path + extension;
    if (equalIgnoringCase(path.substr(dot), extension))
        return path;
    return path.substr(0, dot) + extension;
}

} // namespace lindor::files
