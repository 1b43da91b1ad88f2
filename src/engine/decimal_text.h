// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal digits written straight into a buffer, two at a time: the numbers
// of the result files, many millions of them in a big month.
#pragma once

#include <cstddef>
#include <cstdint>

namespace trafikon {

// Writes the decimal digits of `v` at `p` and returns the end.
inline char* WriteDecimal(char* p, std::uint64_t v) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    int digits = 1;
    for (std::uint64_t rest = v; rest >= 10; rest /= 10)
        ++digits;
    char* end = p + digits;
    char* q = end;
    while (v >= 100) {
        const auto pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        *--q = kPairs[pair + 1];
        *--q = kPairs[pair];
    }
    if (v >= 10) {
        *--q = kPairs[v * 2 + 1];
        *--q = kPairs[v * 2];
    } else {
        *--q = static_cast<char>('0' + v);
    }
    return end;
}

}  // namespace trafikon
