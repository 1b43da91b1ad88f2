// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/time_texts.h"

#include <array>
#include <cstring>

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
constexpr std::size_t kMonthAt = 4, kSignAt = 22;
constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
// A packed timestamp: its pairs of digits (0 to 99) seven bits each, the day,
// hour, minute and second first, then the year's and the zone's; the month's
// index from bit 56, the sign ("-" set) at bit 60.
constexpr std::array<int, 8> kPairShift = {0, 28, 35, 7, 14, 21, 42, 49};
constexpr int kMonthShift = 56, kSignShift = 60;

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

// Index of the English month name at `t`, or -1.
int MonthIndex(const char* t) {
    for (int m = 0; m < 12; ++m)
        if (std::memcmp(t, kMonths.data() + 3 * m, 3) == 0)
            return m;
    return -1;
}

}  // namespace

bool TimeTexts::Pack(std::string_view text, std::uint64_t& packed) {
    static_assert(kPairShift[3] == kHourShift && kPairShift[4] == kMinuteShift &&
                  kPairShift[5] == kSecondShift && kTimeOfDayMask >> kHourShift == 0x1FFFFF);
    if (text.size() != kTimestampShape.size())
        return false;
    const char* t = text.data();
    if (!HasTimestampShape(t) || (t[kSignAt] != '+' && t[kSignAt] != '-'))
        return false;
    const int month = MonthIndex(t + kMonthAt);
    if (month < 0)
        return false;
    std::uint64_t p = kPacked | static_cast<std::uint64_t>(month) << kMonthShift |
                      static_cast<std::uint64_t>(t[kSignAt] == '-') << kSignShift;
    for (std::size_t k = 0; k < 8; ++k) {
        const auto pair = static_cast<std::uint64_t>((t[kTimestampDigits[2 * k]] - '0') * 10 +
                                                     (t[kTimestampDigits[2 * k + 1]] - '0'));
        p |= pair << kPairShift[k];
    }
    packed = p;
    return true;
}

bool TimeTexts::FindRest(std::uint64_t rest) {
    for (std::uint32_t r = 0; r < kRests; ++r) {
        if (rests_[r] == 0)
            rests_[r] = rest;
        if (rests_[r] == rest) {
            lastRest_ = r;
            return true;
        }
    }
    return false;
}

std::string_view TimeTexts::Get(std::uint32_t i) const {
    const std::uint32_t slot = slots_[i];
    if (slot & kAside)
        return aside_.Key(slot & ~kAside);
    const std::uint64_t packed = rests_[slot >> kDayBits] << kDayBits | (slot & kDayMask);
    std::memcpy(unpacked_, kTimestampShape.data(), sizeof unpacked_);
    for (std::size_t k = 0; k < 8; ++k) {
        const auto pair = static_cast<unsigned>((packed >> kPairShift[k]) & 0x7F);
        unpacked_[kTimestampDigits[2 * k]] = static_cast<char>('0' + pair / 10);
        unpacked_[kTimestampDigits[2 * k + 1]] = static_cast<char>('0' + pair % 10);
    }
    std::memcpy(unpacked_ + kMonthAt, kMonths.data() + 3 * ((packed >> kMonthShift) & 0xF), 3);
    unpacked_[kSignAt] = (packed >> kSignShift) & 1 ? '-' : '+';
    return std::string_view(unpacked_, sizeof unpacked_);
}

}  // namespace trafikon
