// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal digits written straight into a buffer, eight at a time: the numbers
// of the result files, many millions of them in a big month.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace trafikon {

namespace decimal_detail {

inline constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline constexpr std::uint64_t kPowers[20] = {1u,
                                              10u,
                                              100u,
                                              1000u,
                                              10000u,
                                              100000u,
                                              1000000u,
                                              10000000u,
                                              100000000u,
                                              1000000000u,
                                              10000000000u,
                                              100000000000u,
                                              1000000000000u,
                                              10000000000000u,
                                              100000000000000u,
                                              1000000000000000u,
                                              10000000000000000u,
                                              100000000000000000u,
                                              1000000000000000000u,
                                              10000000000000000000u};

inline int Digits(std::uint64_t v) {
    // bit_width * log10(2), then one comparison for the numbers that have
    // that many bits but one digit more.
    // 0 reads as 1, of as many digits; v and v | 1 are on the same side of
    // every power of ten from 10 on, none of them odd.
    const std::uint64_t n = v | 1;
    const int guess = (std::bit_width(n) * 1233) >> 12;
    return guess + (n >= kPowers[guess]);
}

// The eight digits of `v` < 10^8, zeros in front, as a word whose bytes in
// memory are the text.
inline std::uint64_t EightDigits(std::uint32_t v) {
    const std::uint32_t high = v / 10000, low = v % 10000;
    std::uint16_t pairs[4];
    std::memcpy(&pairs[0], kPairs + high / 100 * 2, 2);
    std::memcpy(&pairs[1], kPairs + high % 100 * 2, 2);
    std::memcpy(&pairs[2], kPairs + low / 100 * 2, 2);
    std::memcpy(&pairs[3], kPairs + low % 100 * 2, 2);
    std::uint64_t word;
    std::memcpy(&word, pairs, 8);
    return word;
}

}  // namespace decimal_detail

// Writes the decimal digits of `v` at `p` and returns their end. `p` needs
// room for 20 bytes: the digits go out eight at a time, and the bytes past
// the end may be overwritten.
inline char* WriteDecimal(char* p, std::uint64_t v) {
    using namespace decimal_detail;
    if constexpr (std::endian::native == std::endian::little) {
        if (v < 100000000) {
            const int digits = Digits(v);
            // The word's first bytes are the zeros in front: shifted out.
            const std::uint64_t word =
                EightDigits(static_cast<std::uint32_t>(v)) >> (8 * (8 - digits) & 63);
            std::memcpy(p, &word, 8);
            return p + digits;
        }
        p = WriteDecimal(p, v / 100000000);
        const std::uint64_t word = EightDigits(static_cast<std::uint32_t>(v % 100000000));
        std::memcpy(p, &word, 8);
        return p + 8;
    } else {
        char* end = p + Digits(v);
        char* q = end;
        do {
            *--q = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        return end;
    }
}

}  // namespace trafikon
