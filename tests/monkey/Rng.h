// The monkey's one source of chance, seeded, so that a seed names a run.
#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace lindor::monkey {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_engine(seed) {}

    // 0 .. n-1 (0 when n < 1).
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(m_engine() % std::uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return double(m_engine() >> 11) * 0x1.0p-53 < p; }
    // An index chosen with the given weights.
    int weighted(std::initializer_list<int> weights) {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = below(total);
        int i = 0;
        for (int w : weights) {
            if (r < w)
                return i;
            r -= w;
            ++i;
        }
        return 0;
    }
    template <typename T> const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace lindor::monkey
