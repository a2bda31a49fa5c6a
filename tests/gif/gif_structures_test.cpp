// Byte arrays, sub-block buffer, bit packer and string table of the GIF writer.
#include "gif/GifTestSupport.h"

#include "gif/ByteBuffer.h"
#include "gif/CodeTable.h"
#include "gif/DynArrB.h"
#include "gif/GifDecl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace lindor::gif {
namespace {

TEST(GifByteArrays, ElementsAreAddressedFromOneAndCheckedAtBothEnds) {
    TBigByteArray a(5);
    for (int i = 1; i <= 5; ++i)
        a.set(i, static_cast<std::uint8_t>(10 * i));
    EXPECT_EQ(a.get(1), 10);
    EXPECT_EQ(a.get(5), 50);
    EXPECT_EQ(a.data()[0], 10);
    for (std::int64_t bad : {std::int64_t{0}, std::int64_t{6}, std::int64_t{-1}}) {
        EXPECT_THROW(a.get(bad), EIndexOutOfBounds);
        EXPECT_THROW(a.set(bad, 1), EIndexOutOfBounds);
    }
    try {
        a.get(6);
        FAIL();
    } catch (const EIndexOutOfBounds& e) {
        EXPECT_STREQ(e.what(), "Dynamic array index out of bounds");
    }
}

TEST(GifByteArrays, MemoryThatCannotBeHadIsReportedWithTheRequestedSize) {
    const std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    try {
        TBigByteArray a(huge);
        FAIL();
    } catch (const ENotEnoughMemory& e) {
        EXPECT_EQ(std::string(e.what()),
                  "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
                  " requested memory block: " +
                      std::to_string(huge) + " bytes");
    }
    EXPECT_THROW(TBigByteArray(-3), ENotEnoughMemory);
    EXPECT_THROW(TBigByteArray(TBigByteArray::kMaxSize + 1), ENotEnoughMemory);
}

TEST(GifByteArrays, MatrixStoresRowsTopFirstAndChecksEachCoordinate) {
    TByteArray2D m(3, 2);
    m.set(3, 1, 7);
    m.set(1, 2, 9);
    // Cell (x, y) is element x + (y - 1) * width.
    EXPECT_EQ(m.cells().get(3), 7);
    EXPECT_EQ(m.cells().get(4), 9);
    EXPECT_EQ(m.get(1, 2), 9);
    EXPECT_THROW(m.get(0, 2), EIndexOutOfBounds); // would be element 3 if unchecked
    EXPECT_THROW(m.get(4, 1), EIndexOutOfBounds);
    EXPECT_THROW(m.set(1, 3, 0), EIndexOutOfBounds);

    TByteArray2D copy = m;
    copy.set(3, 1, 1);
    EXPECT_EQ(m.get(3, 1), 7);
    EXPECT_EQ(copy.width(), 3);
    EXPECT_EQ(copy.height(), 2);
    EXPECT_THROW(TByteArray2D(-1, 4), EGifException);
}

TEST(GifByteBuffer, BlocksCloseOnlyWhenTheNextByteArrives) {
    for (std::size_t total : {1u, 254u, 255u, 256u, 510u, 511u, 1000u}) {
        TByteBuffer b;
        for (std::size_t i = 0; i < total; ++i)
            b.append(static_cast<std::uint8_t>(i));
        b.finish();
        EXPECT_EQ(b.total(), total);
        const std::size_t blocks = b.blockCount();
        ASSERT_EQ(blocks, (total + 254) / 255) << total;
        std::size_t sum = 0;
        for (std::size_t k = 0; k < blocks; ++k) {
            const std::size_t n = b.blockSize(k);
            EXPECT_GE(n, 1u);
            EXPECT_LE(n, 255u);
            if (k + 1 < blocks) {
                EXPECT_EQ(n, 255u);
            }
            EXPECT_EQ(b.blockData(k)[0], static_cast<std::uint8_t>(sum));
            sum += n;
        }
        EXPECT_EQ(sum, total);
        EXPECT_EQ(b.count(), b.blockSize(blocks - 1));

        std::vector<std::uint8_t> out;
        b.writeSubBlocks(out);
        EXPECT_EQ(out.size(), total + blocks);
        EXPECT_EQ(out[0], b.blockSize(0));
        if (blocks > 1) {
            EXPECT_EQ(out[256], b.blockSize(1));
        }
    }
    TByteBuffer empty;
    EXPECT_EQ(empty.blockCount(), 0u);
    EXPECT_THROW(empty.blockSize(0), EIndexOutOfBounds);
}

TEST(GifBitPacker, PacksCodesLeastSignificantBitFirst) {
    TEncodedBytes packer;
    packer.putCode(4, 3); // 100
    packer.putCode(1, 3); // 001
    packer.finish(5, 3);  // 101 -> bits 0..8 = 0b1'0100'1100
    const auto& bytes = packer.output().bytes();
    ASSERT_EQ(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0x4C);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_TRUE(packer.output().finished());
}

TEST(GifBitPacker, RandomCodesReadBackWithTheirWidths) {
    std::mt19937 random(42);
    std::vector<std::pair<std::uint32_t, int>> codes;
    TEncodedBytes packer;
    for (int i = 0; i < 5000; ++i) {
        const int width = 2 + static_cast<int>(random() % 11);
        const std::uint32_t value = random() & ((1u << width) - 1);
        codes.emplace_back(value, width);
        packer.putCode(value, width);
    }
    packer.finish(1, 2);
    codes.emplace_back(1, 2);
    const auto& bytes = packer.output().bytes();
    std::size_t bit = 0;
    for (const auto& [value, width] : codes) {
        std::uint32_t got = 0;
        for (int i = 0; i < width; ++i, ++bit)
            got |= static_cast<std::uint32_t>((bytes[bit / 8] >> (bit % 8)) & 1) << i;
        ASSERT_EQ(got, value);
    }
    EXPECT_EQ(bytes.size(), (bit + 7) / 8);
}

TEST(GifCodeTable, ResetAddAndWidthSchedule) {
    TCodeTable t;
    t.reset(3);
    EXPECT_EQ(t.firstFreeCode(), 6);
    EXPECT_EQ(t.nextCode(), 6);
    EXPECT_EQ(t.codeWidth(), 3);
    EXPECT_FALSE(t.full());

    // The width grows once the next code passes 2^width.
    t.add(0, 1); // next 7
    t.add(6, 1); // next 8
    EXPECT_EQ(t.codeWidth(), 3);
    t.add(7, 0); // next 9 > 8
    EXPECT_EQ(t.codeWidth(), 4);
    EXPECT_EQ(t.prefix(8), 7);
    EXPECT_EQ(t.suffix(8), 0);

    int previous = 8;
    while (!t.full()) {
        t.add(static_cast<std::uint16_t>(previous), 1);
        ++previous;
        const int next = t.nextCode();
        if (next < 4096) {
            int expectedWidth = 3;
            while ((1 << expectedWidth) < next)
                ++expectedWidth;
            ASSERT_EQ(t.codeWidth(), expectedWidth) << next;
        }
    }
    EXPECT_EQ(t.nextCode(), 4096);
    EXPECT_EQ(t.codeWidth(), 12);
    EXPECT_THROW(t.add(5, 0), EGifException);

    t.reset(9);
    EXPECT_EQ(t.firstFreeCode(), 258);
    EXPECT_EQ(t.codeWidth(), 9);
    EXPECT_FALSE(t.full());
    EXPECT_EQ(t.prefix(300), 0);
    EXPECT_THROW(t.reset(2), EGifException);
    EXPECT_THROW(t.reset(10), EGifException);
    EXPECT_THROW(t.add(300, 0), EGifException); // prefix not in the table
    t.reset(3);
    EXPECT_THROW(t.add(0, 4), EGifException); // suffix beyond the 4 root codes
}

// The table's lookup must answer exactly what a search from max(first free, current + 1)
// to next - 1 answers, also after resets that leave old strings behind.
TEST(GifCodeTable, FindAgreesWithASearchOfTheTableAcrossResets) {
    std::mt19937 random(7);
    TCodeTable t;
    std::vector<std::pair<int, int>> before; // the strings of the previous round
    for (int round = 0; round < 6; ++round) {
        const int width = round < 3 ? 3 : 9;
        const int roots = 1 << (width - 1);
        t.reset(width);
        std::vector<std::pair<int, int>> strings(4096, {-1, -1});
        while (!t.full()) {
            const int prefix = random() % 3 == 0 ? static_cast<int>(random() % roots)
                               : t.firstFreeCode() == t.nextCode()
                                   ? 0
                                   : t.nextCode() - 1 - static_cast<int>(random() % 4);
            const int suffix = static_cast<int>(random() % roots);
            const int code = t.nextCode();
            // Each string is added once, as the coder does.
            bool present = false;
            for (int c = t.firstFreeCode(); c < code; ++c)
                present = present || (strings[c] == std::make_pair(prefix, suffix));
            if (present || prefix >= code)
                continue;
            t.add(static_cast<std::uint16_t>(prefix), static_cast<std::uint8_t>(suffix));
            strings[code] = {prefix, suffix};

            for (int probe = 0; probe < 4; ++probe) {
                int current = probe == 0 ? prefix : static_cast<int>(random() % t.nextCode());
                int s = probe == 0 ? suffix : static_cast<int>(random() % roots);
                if (probe == 1 && !before.empty()) {
                    // A string of the last round, possibly no longer in the table.
                    const auto& old = before[6 + random() % (before.size() - 6)];
                    if (old.first >= 0 && old.first < t.nextCode() && old.second < roots) {
                        current = old.first;
                        s = old.second;
                    }
                }
                int expected = -1;
                for (int c = std::max<int>(t.firstFreeCode(), current + 1); c < t.nextCode(); ++c)
                    if (strings[c] == std::make_pair(current, s)) {
                        expected = c;
                        break;
                    }
                ASSERT_EQ(t.find(static_cast<std::uint16_t>(current), static_cast<std::uint8_t>(s)),
                          expected)
                    << "round " << round << " current " << current << " suffix " << s;
            }
        }
        before = strings;
    }
    t.reset(3);
    EXPECT_EQ(t.find(0, 0), -1);
    EXPECT_EQ(t.find(5000, 0), -1);
}

} // namespace
} // namespace lindor::gif
