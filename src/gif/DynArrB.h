// Byte arrays of the GIF writer: a one-dimensional array addressed from 1 and the
// matrix of colour indices built on it.
#pragma once

#include <cstdint>
#include <vector>

namespace lindor::gif {

// A heap block of `size` bytes, elements 1..size. Access outside raises EIndexOutOfBounds;
// memory that cannot be obtained raises ENotEnoughMemory.
class TBigByteArray {
public:
    // The cells of the largest picture a GIF file can describe; larger requests are
    // refused as memory that cannot be had, without trying.
    static constexpr std::int64_t kMaxSize = std::int64_t{65535} * 65535;

    TBigByteArray() = default;
    explicit TBigByteArray(std::int64_t size);

    std::int64_t size() const { return static_cast<std::int64_t>(m_data.size()); }

    std::uint8_t get(std::int64_t index) const;
    void set(std::int64_t index, std::uint8_t value);

    // Raw access for bulk work; element i is data()[i - 1].
    std::uint8_t* data() { return m_data.data(); }
    const std::uint8_t* data() const { return m_data.data(); }

private:
    std::vector<std::uint8_t> m_data;
};

// Matrix of colour indices, cell (x, y) with both counted from 1; rows are stored one
// after another, top row first.
class TByteArray2D {
public:
    TByteArray2D() = default;
    TByteArray2D(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    std::uint8_t get(int x, int y) const;
    void set(int x, int y, std::uint8_t value);

    // All cells, row after row.
    const TBigByteArray& cells() const { return m_cells; }
    TBigByteArray& cells() { return m_cells; }

private:
    std::int64_t element(int x, int y) const;

    int m_width = 0;
    int m_height = 0;
    TBigByteArray m_cells;
};

} // namespace lindor::gif
