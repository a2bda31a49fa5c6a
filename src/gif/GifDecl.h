// Shared declarations of the GIF writer: colour table, source bitmap, progress hook and
// the errors the writer raises.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lindor::gif {

// Called with the fraction done, from 0 to 1, while a picture is scanned and encoded.
// An empty hook is allowed and means nobody is watching.
using ProgressHook = std::function<void(double fraction)>;

struct TColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const TColor& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const TColor& other) const { return !(*this == other); }
};

// Up to 256 colours; `count` is the number of entries written to the file.
struct TColorTable {
    static constexpr int kMaxEntries = 256;
    std::array<TColor, kMaxEntries> entries{};
    std::int32_t count = 0;
};

// A picture as rows of 24-bit colours 0xRRGGBB, top row first, left to right.
struct Bitmap24 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

// Errors of the GIF structures themselves (wrong colour count and the like).
class EGifException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A byte array whose memory cannot be obtained.
class ENotEnoughMemory : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A byte array element addressed outside 1..size.
class EIndexOutOfBounds : public std::runtime_error {
public:
    EIndexOutOfBounds() : std::runtime_error("Dynamic array index out of bounds") {}
};

// A picture with more distinct colours than a colour table holds. Raised while the
// picture is scanned, so no file has been touched yet.
class ETooManyColors : public EGifException {
public:
    ETooManyColors();
};

// The output file could not be created, written or put in place. Any older file of
// that name is left as it was.
class EGifFileError : public EGifException {
public:
    EGifFileError(const std::string& fileName, const std::string& reason);
    const std::string& fileName() const { return m_fileName; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_fileName;
    std::string m_reason;
};

// True when one of `count` bytes is `limit` or above; `limit` is a power of 2 from 1
// to 256. Works on eight bytes at a time, since this runs over every pixel.
inline bool anyByteAtLeast(const std::uint8_t* bytes, std::size_t count, unsigned limit) {
    if (limit >= 256)
        return false;
    std::uint64_t bits = 0;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        bits |= word;
    }
    for (; i < count; ++i)
        bits |= bytes[i];
    const std::uint64_t high = static_cast<std::uint8_t>(~(limit - 1)) * 0x0101010101010101ull;
    return (bits & high) != 0;
}

// The first of `count` bytes that is `limit` or above (0 when there is none).
inline std::uint8_t firstByteAtLeast(const std::uint8_t* bytes, std::size_t count, unsigned limit) {
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] >= limit)
            return bytes[i];
    return 0;
}

} // namespace lindor::gif
