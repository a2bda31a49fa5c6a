#include "gif/GifFile.h"

#include "gif/LzwEncoder.h"
#include "util/AtomicFile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lindor::gif {
namespace {

void putWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putColorTable(std::vector<std::uint8_t>& out, const TColorTable& table) {
    for (int i = 0; i < table.count; ++i) {
        const TColor& c = table.entries[static_cast<std::size_t>(i)];
        out.push_back(c.red);
        out.push_back(c.green);
        out.push_back(c.blue);
    }
}

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

} // namespace

int TGifSubImage::bitsPerPixelFor(int colorCount) {
    for (int bits = 1; bits <= 8; ++bits)
        if (colorCount == (1 << bits))
            return bits;
    throw EGifException("Number of colors (" + std::to_string(colorCount) +
                        ") wrong; must be a power of 2");
}

TGifSubImage::TGifSubImage(TGifFile& owner, int colorCount) : m_owner(&owner) {
    m_bitsPerPixel = static_cast<std::uint8_t>(bitsPerPixelFor(colorCount));
    m_lzwMinCodeSize = m_bitsPerPixel == 1 ? 2 : m_bitsPerPixel;
}

void TGifSubImage::encode(const ProgressHook& progress) {
    const TBigByteArray& cells = m_pixels.cells();
    m_encodedData =
        encodeLzw(cells.data(), static_cast<std::size_t>(cells.size()), m_lzwMinCodeSize, progress);
}

void TGifSubImage::write(std::vector<std::uint8_t>& out) const {
    putWord(out, m_descriptor.left);
    putWord(out, m_descriptor.top);
    putWord(out, m_descriptor.width);
    putWord(out, m_descriptor.height);
    out.push_back(m_descriptor.packed);
    if (m_hasLocalColorTable)
        putColorTable(out, m_localColorTable);
    out.push_back(m_lzwMinCodeSize);
    m_encodedData.writeSubBlocks(out);
    out.push_back(0); // block terminator
}

TGifFile::TGifFile(ProgressHook progress) : m_progress(std::move(progress)) {}

std::uint8_t TGifFile::screenPackedFor(int count, int sizeBits) {
    int resolution = 0;
    switch (count) {
    case 2:
        resolution = 1;
        break;
    case 16:
        resolution = 4;
        break;
    case 256:
        resolution = 8;
        break;
    default:
        throw EGifException("unexpected number of colors");
    }
    return static_cast<std::uint8_t>(0x80 + (resolution - 1) * 16 + (sizeBits - 1));
}

void TGifFile::AddImage(const TColorTable& table, const TByteArray2D& matrix) {
    // Everything is checked before the file changes, so a failed call leaves it as it was.
    auto image = std::make_unique<TGifSubImage>(*this, table.count);
    const bool first = m_images.empty();

    int sizeBits = m_globalTableSizeBits;
    std::uint8_t packed = m_screenPacked;
    if (first) {
        while ((1 << sizeBits) < table.count)
            ++sizeBits;
        packed = screenPackedFor(table.count, sizeBits);
    }

    if (matrix.width() > kMaxSide || matrix.height() > kMaxSide)
        throw EGifException("Picture of " + std::to_string(matrix.width()) + " x " +
                            std::to_string(matrix.height()) +
                            " pixels is too large; a GIF picture has at most 65535 pixels "
                            "each way");
    if (matrix.cells().size() == 0)
        throw EGifException("The picture has no pixels");
    const std::uint8_t* cells = matrix.cells().data();
    const std::size_t cellCount = static_cast<std::size_t>(matrix.cells().size());
    const auto limit = static_cast<unsigned>(table.count);
    if (anyByteAtLeast(cells, cellCount, limit))
        throw EGifException(
            "Colour index " + std::to_string(firstByteAtLeast(cells, cellCount, limit)) +
            " is outside the colour table of " + std::to_string(table.count) + " entries");

    image->m_pixels = matrix;
    if (first) {
        m_globalColorTable = table;
        m_globalTableSizeBits = sizeBits;
        m_screenPacked = packed;
    } else {
        image->m_hasLocalColorTable = true;
        image->m_localColorTable = table;
    }
    image->m_descriptor.packed = static_cast<std::uint8_t>(
        (image->m_hasLocalColorTable ? 0x80 : 0) + (image->m_interlaced ? 0x40 : 0) +
        (image->m_hasLocalColorTable ? image->m_bitsPerPixel - 1 : 0));
    image->m_descriptor.width = static_cast<std::uint16_t>(matrix.width());
    image->m_descriptor.height = static_cast<std::uint16_t>(matrix.height());
    m_screenWidth = std::max(m_screenWidth, image->m_descriptor.width);
    m_screenHeight = std::max(m_screenHeight, image->m_descriptor.height);
    m_images.push_back(std::move(image));
}

std::vector<std::uint8_t> TGifFile::saveToBytes() {
    // The screen descriptor is checked before any coding starts.
    m_screenPacked = screenPackedFor(m_globalColorTable.count, m_globalTableSizeBits);

    std::vector<std::uint8_t> out;
    out.reserve(64 * 1024);
    for (const char* c = signature(); *c != '\0'; ++c)
        out.push_back(static_cast<std::uint8_t>(*c));
    putWord(out, m_screenWidth);
    putWord(out, m_screenHeight);
    out.push_back(m_screenPacked);
    out.push_back(0); // background colour index
    out.push_back(0); // pixel aspect ratio
    putColorTable(out, m_globalColorTable);
    for (const auto& image : m_images) {
        out.push_back(kImageSeparator);
        image->encode(m_progress);
        image->write(out);
    }
    out.push_back(kTrailer);
    return out;
}

void TGifFile::SaveToFile(const std::string& fileName) {
    const std::vector<std::uint8_t> bytes = saveToBytes();
    std::string reason;
    if (!replaceFile(fileName, reinterpret_cast<const char*>(bytes.data()), bytes.size(), reason))
        throw EGifFileError(fileName, reason);
}

} // namespace lindor::gif
