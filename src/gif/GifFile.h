// A GIF87a file: logical screen, global colour table and its images.
#pragma once

#include "gif/ByteBuffer.h"
#include "gif/DynArrB.h"
#include "gif/GifDecl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lindor::gif {

class TGifFile;

struct TImageDescriptor {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t packed = 0;
};

// One image of a file: its colour indices and, once the file is saved, its coded data.
class TGifSubImage {
public:
    // Raises EGifException when `colorCount` is not a power of 2 from 2 to 256.
    TGifSubImage(TGifFile& owner, int colorCount);

    // Bits per pixel for a colour count of 2, 4, ..., 256; raises EGifException otherwise.
    static int bitsPerPixelFor(int colorCount);

    TGifFile& owner() const { return *m_owner; }
    int lzwMinimumCodeSize() const { return m_lzwMinCodeSize; }
    int bitsPerPixel() const { return m_bitsPerPixel; }
    bool interlaced() const { return m_interlaced; }
    bool hasLocalColorTable() const { return m_hasLocalColorTable; }
    const TImageDescriptor& descriptor() const { return m_descriptor; }
    const TByteArray2D& pixels() const { return m_pixels; }
    const TColorTable& localColorTable() const { return m_localColorTable; }
    // Empty until the file is saved.
    const TByteBuffer& encodedData() const { return m_encodedData; }

private:
    friend class TGifFile;

    void encode(const ProgressHook& progress);
    // Descriptor, local table and image data, after the image separator.
    void write(std::vector<std::uint8_t>& out) const;

    TGifFile* m_owner;
    std::uint8_t m_lzwMinCodeSize = 2;
    TByteBuffer m_encodedData;
    TImageDescriptor m_descriptor;
    bool m_interlaced = false;
    bool m_hasLocalColorTable = false;
    std::uint8_t m_bitsPerPixel = 1;
    TByteArray2D m_pixels;
    TColorTable m_localColorTable;
};

// Built, given one image and saved once.
class TGifFile {
public:
    static constexpr int kMaxSide = 65535;

    explicit TGifFile(ProgressHook progress = {});
    TGifFile(const TGifFile&) = delete;
    TGifFile& operator=(const TGifFile&) = delete;

    // Adds an image of these colours and indices. The first image's table becomes the
    // global colour table; the file accepts 2, 16 or 256 colours. Raises EGifException for
    // another count (a bitmap without pixels arrives with 0), for an index outside the
    // table, for a picture without pixels and for a side above 65535. Nothing changes on
    // failure.
    void AddImage(const TColorTable& table, const TByteArray2D& matrix);

    // Encodes the images and writes the file through replaceFile (util/AtomicFile.h): a
    // new file beside the target replaces it. On failure EGifFileError is raised and any
    // older file of that name is left as it was.
    void SaveToFile(const std::string& fileName);

    // Encodes the images and returns the whole file's bytes.
    std::vector<std::uint8_t> saveToBytes();

    static const char* signature() { return "GIF87a"; }
    int screenWidth() const { return m_screenWidth; }
    int screenHeight() const { return m_screenHeight; }
    std::uint8_t screenPacked() const { return m_screenPacked; }
    bool hasGlobalColorTable() const { return m_hasGlobalColorTable; }
    const TColorTable& globalColorTable() const { return m_globalColorTable; }
    int globalTableSizeBits() const { return m_globalTableSizeBits; }
    const std::vector<std::unique_ptr<TGifSubImage>>& images() const { return m_images; }

    // Screen packed byte for a global table of `count` colours and `sizeBits`:
    // 0x80 + (R - 1) * 16 + (sizeBits - 1) with R = 1, 4, 8 for 2, 16, 256 colours.
    static std::uint8_t screenPackedFor(int count, int sizeBits);

private:
    ProgressHook m_progress;
    std::uint16_t m_screenWidth = 0;
    std::uint16_t m_screenHeight = 0;
    std::uint8_t m_screenPacked = 0;
    bool m_hasGlobalColorTable = true;
    TColorTable m_globalColorTable;
    int m_globalTableSizeBits = 1;
    std::vector<std::unique_ptr<TGifSubImage>> m_images;
};

} // namespace lindor::gif
