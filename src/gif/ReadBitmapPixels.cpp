#include "gif/ReadBitmapPixels.h"

#include <array>
#include <cstring>
#include <string>

namespace lindor::gif {
namespace {

// Colour to index lookup for at most 256 colours: open addressing in 1024 slots, so the
// table never gets more than a quarter full. Gives the same index as a search of the
// colour table's entries in order, since each colour is stored once.
class ColorIndex {
public:
    ColorIndex() { m_keys.fill(kEmpty); }

    // The index of `rgb`, adding it to `table` when new.
    std::uint8_t indexOf(std::uint32_t rgb, TColorTable& table) {
        std::size_t slot = hash(rgb);
        while (m_keys[slot] != kEmpty) {
            if (m_keys[slot] == rgb)
                return m_values[slot];
            slot = (slot + 1) & (kSlots - 1);
        }
        if (table.count >= TColorTable::kMaxEntries)
            throw ETooManyColors();
        const auto index = static_cast<std::uint8_t>(table.count);
        table.entries[index] =
            TColor{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                   static_cast<std::uint8_t>(rgb)};
        ++table.count;
        m_keys[slot] = rgb;
        m_values[slot] = index;
        return index;
    }

private:
    static constexpr std::size_t kSlots = 1024;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu; // not a 24-bit colour

    static std::size_t hash(std::uint32_t rgb) {
        return static_cast<std::size_t>((rgb * 2654435761u) >> 22) & (kSlots - 1);
    }

    std::array<std::uint32_t, kSlots> m_keys{};
    std::array<std::uint8_t, kSlots> m_values{};
};

} // namespace

int roundedColorCount(int colours) {
    if (colours <= 0)
        return 0;
    if (colours <= 2)
        return 2;
    if (colours <= 16)
        return 16;
    return 256;
}

void ReadBitmapPixels(const Bitmap24& bitmap, TColorTable& table, TByteArray2D& matrix,
                      const ProgressHook& progress) {
    if (bitmap.width < 0 || bitmap.height < 0 ||
        bitmap.rgb.size() !=
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height))
        throw EGifException("Bitmap of " + std::to_string(bitmap.width) + " x " +
                            std::to_string(bitmap.height) + " pixels holds " +
                            std::to_string(bitmap.rgb.size()) + " colours");

    TColorTable found;
    TByteArray2D indices(bitmap.width, bitmap.height);
    if (progress)
        progress(0.0);

    ColorIndex lookup;
    const std::uint32_t* src = bitmap.rgb.data();
    std::uint8_t* dst = indices.cells().data();
    for (int y = 0; y < bitmap.height; ++y) {
        // Pictures come in runs of one colour: repeat the last answer while the raw
        // pixel stays the same.
        const std::uint32_t* rowEnd = src + bitmap.width;
        while (src < rowEnd) {
            const std::uint32_t raw = *src;
            const std::uint8_t index = lookup.indexOf(raw & 0xFFFFFFu, found);
            const std::uint32_t* runEnd = src + 1;
            while (runEnd < rowEnd && *runEnd == raw)
                ++runEnd;
            const auto run = static_cast<std::size_t>(runEnd - src);
            std::memset(dst, index, run);
            dst += run;
            src = runEnd;
        }
        if (progress)
            progress(static_cast<double>(y + 1) / static_cast<double>(bitmap.height));
    }

    found.count = roundedColorCount(found.count);
    table = found;
    matrix = std::move(indices);
}

} // namespace lindor::gif
