// The coded image data: bytes kept as GIF data sub-blocks, and the bit packer that
// fills them with LZW codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lindor::gif {

// A growing sequence of bytes seen as sub-blocks of 255 bytes. A block is closed only
// when the next byte arrives, so after finish() every block holds 1 to 255 bytes and
// only the last may be shorter than 255. The bytes are kept in one piece; the blocks
// are the consecutive 255-byte slices of it.
class TByteBuffer {
public:
    static constexpr std::size_t kBlockSize = 255;

    void append(std::uint8_t byte) { m_bytes.push_back(byte); }
    void finish() { m_finished = true; }

    bool finished() const { return m_finished; }
    // Bytes appended since creation.
    std::size_t total() const { return m_bytes.size(); }
    // Bytes in the block that is still open (0 to 255).
    std::size_t count() const;

    std::size_t blockCount() const { return (m_bytes.size() + kBlockSize - 1) / kBlockSize; }
    std::size_t blockSize(std::size_t block) const;
    const std::uint8_t* blockData(std::size_t block) const;

    // Appends each block to `out` as one length byte followed by its bytes (no terminator).
    void writeSubBlocks(std::vector<std::uint8_t>& out) const;

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    bool m_finished = false;
};

// Packs codes of varying width into bytes, least significant bit first.
class TEncodedBytes {
public:
    TEncodedBytes() = default;

    // Widths are 1 to 12 bits; bits of `value` above the width are dropped.
    void putCode(std::uint32_t value, int width) {
        m_accumulator |= (value & ((1u << width) - 1u)) << m_bitCount;
        m_bitCount = static_cast<std::uint8_t>(m_bitCount + width);
        while (m_bitCount >= 8) {
            m_output.append(static_cast<std::uint8_t>(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_bitCount = static_cast<std::uint8_t>(m_bitCount - 8);
        }
    }

    // Puts the end code, flushes pending bits (unused high bits zero) and closes the
    // byte buffer.
    void finish(std::uint32_t endCode, int width);

    TByteBuffer& output() { return m_output; }
    const TByteBuffer& output() const { return m_output; }

private:
    TByteBuffer m_output;
    std::uint8_t m_bitCount = 0;
    std::uint32_t m_accumulator = 0;
};

} // namespace lindor::gif
