#include "gif/DynArrB.h"

#include "gif/GifDecl.h"

#include <new>
#include <stdexcept>
#include <string>

namespace lindor::gif {

TBigByteArray::TBigByteArray(std::int64_t size) {
    const auto fail = [size]() {
        return ENotEnoughMemory(
            "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
            " requested memory block: " +
            std::to_string(size) + " bytes");
    };
    if (size < 0 || size > kMaxSize)
        throw fail();
    try {
        m_data.assign(static_cast<std::size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        throw fail();
    } catch (const std::length_error&) {
        throw fail();
    }
}

std::uint8_t TBigByteArray::get(std::int64_t index) const {
    if (index < 1 || index > size())
        throw EIndexOutOfBounds();
    return m_data[static_cast<std::size_t>(index - 1)];
}

void TBigByteArray::set(std::int64_t index, std::uint8_t value) {
    if (index < 1 || index > size())
        throw EIndexOutOfBounds();
    m_data[static_cast<std::size_t>(index - 1)] = value;
}

namespace {

std::int64_t cellCount(int width, int height) {
    if (width < 0 || height < 0)
        throw EGifException("Picture size " + std::to_string(width) + " x " +
                            std::to_string(height) + " is not valid");
    return static_cast<std::int64_t>(width) * height;
}

} // namespace

TByteArray2D::TByteArray2D(int width, int height)
    : m_width(width), m_height(height), m_cells(cellCount(width, height)) {}

std::int64_t TByteArray2D::element(int x, int y) const {
    // Each coordinate is checked on its own, so (0, 2) cannot reach the end of row 1.
    if (x < 1 || x > m_width || y < 1 || y > m_height)
        throw EIndexOutOfBounds();
    return x + static_cast<std::int64_t>(y - 1) * m_width;
}

std::uint8_t TByteArray2D::get(int x, int y) const {
    return m_cells.get(element(x, y));
}

void TByteArray2D::set(int x, int y, std::uint8_t value) {
    m_cells.set(element(x, y), value);
}

} // namespace lindor::gif
