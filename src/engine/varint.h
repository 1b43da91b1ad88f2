// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers of variable length, seven bits a byte, low bits first, the high bit
// of a byte telling that another follows: the packed lists of an analysis.
#pragma once

#include <cstdint>

namespace trafikon {

inline std::uint8_t* PutVarint(std::uint8_t* p, std::uint64_t v) {
    while (v >= 0x80) {
        *p++ = static_cast<std::uint8_t>(v | 0x80);
        v >>= 7;
    }
    *p++ = static_cast<std::uint8_t>(v);
    return p;
}

inline std::uint64_t GetVarint(const std::uint8_t*& p) {
    std::uint64_t v = 0;
    int shift = 0;
    while (*p & 0x80) {
        v |= static_cast<std::uint64_t>(*p++ & 0x7F) << shift;
        shift += 7;
    }
    v |= static_cast<std::uint64_t>(*p++) << shift;
    return v;
}

}  // namespace trafikon
