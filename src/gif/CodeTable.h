// The LZW string table: each code past the clear and end codes stands for the string of
// its prefix code followed by one pixel.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lindor::gif {

class TCodeTable {
public:
    static constexpr int kMaxCodes = 4096;

    TCodeTable();

    // Empties the table for codes starting at `width` bits (3 to 9): the first free code
    // is 2^(width-1) + 2, the clear code plus two.
    void reset(int width);

    // Gives the next code to the string (prefix, suffix); the prefix must be a code in
    // the table and the suffix a root code below 2^(width-1). Widens the code width when the
    // next code passes 2^width; sets full when the table reaches 4096 codes.
    void add(std::uint16_t prefix, std::uint8_t suffix) {
        if (m_full || prefix >= m_nextCode || suffix > m_suffixMask)
            refuseAdd(prefix);
        m_prefix[m_nextCode] = prefix;
        m_suffix[m_nextCode] = suffix;
        m_child[key(prefix, suffix)] = m_nextCode;
        ++m_nextCode;
        if (m_nextCode >= kMaxCodes)
            m_full = true;
        else if (m_nextCode > (1 << m_codeWidth))
            ++m_codeWidth;
    }

    // The code of the string (current, suffix), or -1 when the table does not hold it.
    // Only codes from max(first free, current + 1) to next - 1 qualify.
    int find(std::uint16_t current, std::uint8_t suffix) const {
        if (current >= kMaxCodes)
            return -1;
        const std::uint16_t code = m_child[key(current, suffix)];
        // Every string with prefix `current` was added after `current` itself, so the
        // codes below current + 1 hold no such string.
        const int lowest = current + 1 > m_firstFreeCode ? current + 1 : m_firstFreeCode;
        if (code >= lowest && code < m_nextCode && m_prefix[code] == current &&
            m_suffix[code] == suffix)
            return code;
        return -1;
    }

    int codeWidth() const { return m_codeWidth; }
    bool full() const { return m_full; }
    std::uint16_t firstFreeCode() const { return m_firstFreeCode; }
    std::uint16_t nextCode() const { return m_nextCode; }
    std::uint16_t prefix(int code) const { return m_prefix.at(code); }
    std::uint16_t suffix(int code) const { return m_suffix.at(code); }

private:
    // Suffixes are pixels below 2^(first width - 1), so the key packs prefix and suffix
    // densely: a picture of 16 colours uses 128 KB of the index, not 2 MB.
    std::size_t key(std::uint16_t prefix, std::uint8_t suffix) const {
        return (static_cast<std::size_t>(prefix) << m_suffixBits) | (suffix & m_suffixMask);
    }
    [[noreturn]] void refuseAdd(std::uint16_t prefix) const;

    std::array<std::uint16_t, kMaxCodes> m_suffix{};
    std::array<std::uint16_t, kMaxCodes> m_prefix{};
    std::uint8_t m_codeWidth = 0;
    bool m_full = false;
    std::uint16_t m_firstFreeCode = 0;
    std::uint16_t m_nextCode = 0;
    int m_suffixBits = 8;
    std::uint8_t m_suffixMask = 0xFF;

    // Direct child index: for each (prefix, suffix) the code last given to that string.
    // A string occurs at most once in the table, so the lookup answers what a search of
    // the table would. Entries are not cleared on reset: a stale entry names a code that
    // is either not assigned yet or now holds another string, and find() rejects both.
    std::vector<std::uint16_t> m_child;
};

} // namespace lindor::gif
