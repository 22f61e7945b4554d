// The generators' random numbers: SplitMix64, tiny, fast and identical on
// every platform (no std distributions), so a seed gives the same library
// everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tg::player {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    std::uint32_t below(std::uint32_t n) {
        return n ? static_cast<std::uint32_t>((next() >> 32) * n >> 32) : 0;
    }
    int between(int low, int high) {
        return low + static_cast<int>(below(static_cast<std::uint32_t>(high - low + 1)));
    }
    bool chance(int percent) { return below(1000) < static_cast<std::uint32_t>(percent * 10); }
    bool chancePerMille(int perMille) { return below(1000) < static_cast<std::uint32_t>(perMille); }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    // One of a non-empty array's or vector's items.
    template <typename Items> const auto& pick(const Items& items) {
        return items[below(static_cast<std::uint32_t>(std::size(items)))];
    }

private:
    std::uint64_t state_;
};

} // namespace tg::player
