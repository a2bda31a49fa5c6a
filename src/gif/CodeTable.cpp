#include "gif/CodeTable.h"

#include "gif/GifDecl.h"

#include <string>

namespace lindor::gif {

TCodeTable::TCodeTable() : m_child(static_cast<std::size_t>(kMaxCodes) * 256, 0) {}

void TCodeTable::reset(int width) {
    // Root codes of 2 to 8 bits plus the clear and end codes.
    if (width < 3 || width > 9)
        throw EGifException("LZW code width " + std::to_string(width) + " is not valid");
    m_prefix.fill(0);
    m_suffix.fill(0);
    m_codeWidth = static_cast<std::uint8_t>(width);
    m_firstFreeCode = static_cast<std::uint16_t>((1 << (width - 1)) + 2);
    m_nextCode = m_firstFreeCode;
    m_full = false;
    m_suffixBits = width - 1;
    m_suffixMask = static_cast<std::uint8_t>((1 << (width - 1)) - 1);
}

void TCodeTable::refuseAdd(std::uint16_t prefix) const {
    if (m_full)
        throw EGifException("LZW string table overflow");
    if (prefix < m_nextCode)
        throw EGifException("LZW suffix does not fit the table's root codes");
    throw EGifException("LZW prefix code " + std::to_string(prefix) + " is not in the table");
}

} // namespace lindor::gif
