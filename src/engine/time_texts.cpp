// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/time_texts.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trafikon {

namespace {

// "[03/May/2004:10:12:00 +0200]": where its sixteen digits are and what the
// other characters but the month and the sign are.
constexpr std::string_view kTimestampShape = "[00/Mon/0000:00:00:00 +0000]";
constexpr std::array<std::uint8_t, 16> kTimestampDigits = {1,  2,  8,  9,  10, 11, 13, 14,
                                                           16, 17, 19, 20, 23, 24, 25, 26};
constexpr std::array<std::uint8_t, 4> kTimestampKept = {4, 5, 6, 22};  // month, sign

// Whether the 28 bytes at `t` have the timestamp's shape: digits where it has digits,
// its other characters but the month and the sign as in kTimestampShape.
bool HasTimestampShape(const char* t) {
#if defined(__SSE2__)
    // Two overlapping blocks of sixteen: bytes 0-15 and 12-27, each with the
    // bits of its digits and of its fixed characters.
    const auto shapeOf = [](const char* at, const char* expected, int digitBits, int fixedBits) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i d = _mm_sub_epi8(block, _mm_set1_epi8('0'));
        const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d);
        const __m128i same =
            _mm_cmpeq_epi8(block, _mm_loadu_si128(reinterpret_cast<const __m128i*>(expected)));
        return (_mm_movemask_epi8(digit) & digitBits) == digitBits &&
               (_mm_movemask_epi8(same) & fixedBits) == fixedBits;
    };
    return shapeOf(t, kTimestampShape.data(), 0x6F06, 0x9089) &&
           shapeOf(t + 12, kTimestampShape.data() + 12, 0x79B0, 0x8240);
#else
    // Any byte off the shape leaves a bit in `off`: no branch per character.
    unsigned off = (t[0] ^ '[') | (t[3] ^ '/') | (t[7] ^ '/') | (t[12] ^ ':') | (t[15] ^ ':') |
                   (t[18] ^ ':') | (t[21] ^ ' ') | (t[27] ^ ']');
    for (const std::uint8_t k : kTimestampDigits)
        off |= static_cast<unsigned>(static_cast<unsigned char>(t[k]) - unsigned{'0'} > 9);
    return off == 0;
#endif
}

}  // namespace

bool TimeTexts::Pack(std::string_view text, Slot& slot) {
    if (text.size() != kTimestampShape.size())
        return false;
    const char* t = text.data();
    if (!HasTimestampShape(t))
        return false;
    slot[0] = kPacked;
    for (std::size_t k = 0; k < 8; ++k)
        slot[1 + k] = static_cast<char>((t[kTimestampDigits[2 * k]] - '0') << 4 |
                                        (t[kTimestampDigits[2 * k + 1]] - '0'));
    for (std::size_t k = 0; k < kTimestampKept.size(); ++k)
        slot[9 + k] = t[kTimestampKept[k]];
    return true;
}

std::string_view TimeTexts::Get(std::uint32_t i) const {
    const auto& slot = slots_[i];
    if (slot[0] == kAside)
        return long_.at(i);
    if (slot[0] != kPacked)
        return std::string_view(slot.data() + 1, static_cast<unsigned char>(slot[0]));
    std::memcpy(unpacked_, kTimestampShape.data(), sizeof unpacked_);
    for (std::size_t k = 0; k < 8; ++k) {
        const auto pair = static_cast<unsigned char>(slot[1 + k]);
        unpacked_[kTimestampDigits[2 * k]] = static_cast<char>('0' + (pair >> 4));
        unpacked_[kTimestampDigits[2 * k + 1]] = static_cast<char>('0' + (pair & 15));
    }
    for (std::size_t k = 0; k < kTimestampKept.size(); ++k)
        unpacked_[kTimestampKept[k]] = slot[9 + k];
    return std::string_view(unpacked_, sizeof unpacked_);
}

void TimeTexts::SetLong(std::uint32_t i, std::string_view text) {
    long_[i].assign(text);
}

}  // namespace trafikon
