#pragma once

#include <cstdint>

namespace demodb {

// SplitMix64: the same numbers for a seed on every machine and library version, which the
// standard distributions do not promise.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // A number in [0, bound); the modulo bias is far below anything demo data could show.
    std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
    long long Between(long long low, long long high) {
        return low + static_cast<long long>(Below(static_cast<std::uint64_t>(high - low + 1)));
    }
    bool Percent(int chance) { return Below(100) < static_cast<std::uint64_t>(chance); }

private:
    std::uint64_t state_;
};

}  // namespace demodb
