// SPDX-License-Identifier: GPL-3.0-or-later
// The generator's random numbers: the same sequence for the same seed on every
// platform, and picks that favour a few items over a long tail.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace trafikon::batch::generator {

// xoshiro256** seeded through splitmix64: small, fast and the same on every
// platform (the standard distributions are not).
class Random {
  public:
    explicit Random(std::uint64_t seed) {
        for (auto& s : state_) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }
    // 0 <= result < n (n > 0).
    std::uint64_t Below(std::uint64_t n) { return (Next() >> 11) % n; }
    int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
    // True with probability `percent` / 100.
    bool Percent(double percent) { return Real() * 100.0 < percent; }
    double Real() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

  private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

// Picks index k of n with a weight proportional to 1/(k+1): a few items take
// most of the picks and a long tail shares the rest. Integer weights keep the
// picks identical on every machine.
class LongTail {
  public:
    explicit LongTail(std::size_t n) {
        std::uint64_t total = 0;
        for (std::size_t k = 0; k < n; ++k) {
            total += 1000000000ull / (k + 1);
            cumulative_.push_back(total);
        }
    }
    std::size_t Pick(Random& random) const {
        const std::uint64_t u = random.Below(cumulative_.back());
        return std::upper_bound(cumulative_.begin(), cumulative_.end(), u) - cumulative_.begin();
    }

  private:
    std::vector<std::uint64_t> cumulative_;
};

}  // namespace trafikon::batch::generator
