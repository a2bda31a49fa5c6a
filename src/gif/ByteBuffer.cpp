#include "gif/ByteBuffer.h"

#include "gif/GifDecl.h"

namespace lindor::gif {

std::size_t TByteBuffer::count() const {
    if (m_bytes.empty())
        return 0;
    return (m_bytes.size() - 1) % kBlockSize + 1;
}

std::size_t TByteBuffer::blockSize(std::size_t block) const {
    if (block >= blockCount())
        throw EIndexOutOfBounds();
    const std::size_t start = block * kBlockSize;
    const std::size_t rest = m_bytes.size() - start;
    return rest < kBlockSize ? rest : kBlockSize;
}

const std::uint8_t* TByteBuffer::blockData(std::size_t block) const {
    if (block >= blockCount())
        throw EIndexOutOfBounds();
    return m_bytes.data() + block * kBlockSize;
}

void TByteBuffer::writeSubBlocks(std::vector<std::uint8_t>& out) const {
    const std::size_t blocks = blockCount();
    out.reserve(out.size() + m_bytes.size() + blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t n = blockSize(b);
        out.push_back(static_cast<std::uint8_t>(n));
        const std::uint8_t* p = blockData(b);
        out.insert(out.end(), p, p + n);
    }
}

void TEncodedBytes::finish(std::uint32_t endCode, int width) {
    putCode(endCode, width);
    if (m_bitCount > 0) {
        m_output.append(static_cast<std::uint8_t>(m_accumulator & 0xFF));
        m_accumulator = 0;
        m_bitCount = 0;
    }
    m_output.finish();
}

} // namespace lindor::gif
