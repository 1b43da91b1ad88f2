// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/id_list_counter.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trafikon {

void IdListCounter::AddBytes(const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const bool digit = p[i] >= '0' && p[i] <= '9';
        runs_ += digit && run_ == 0;
        run_ = digit ? run_ + 1 : 0;
        longest_ = std::max(longest_, run_);
        plain_ = plain_ && (digit || p[i] == '-');
    }
}

void IdListCounter::Add(std::string_view piece) {
    const char* p = piece.data();
    std::size_t n = piece.size();
#if defined(__SSE2__)
    const __m128i dash = _mm_set1_epi8('-');
    const __m128i belowZero = _mm_set1_epi8('0' - 1);
    const __m128i aboveNine = _mm_set1_epi8('9' + 1);
    for (; n >= 16 && plain_; p += 16, n -= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto digits = static_cast<std::uint32_t>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpgt_epi8(v, belowZero), _mm_cmplt_epi8(v, aboveNine))));
        const auto dashes = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, dash)));
        if ((digits | dashes) != 0xffff) {
            plain_ = false;
            break;
        }
        // A run starts at a digit whose byte before is not one.
        const std::uint32_t before = (digits << 1) | (run_ > 0 ? 1u : 0u);
        runs_ += static_cast<std::size_t>(std::popcount(digits & ~before & 0xffff));
        // Runs inside 16 bytes are short; only one going on from before may be long.
        const auto leading = static_cast<std::size_t>(std::countr_one(digits));
        if (digits == 0xffff) {
            run_ += 16;
        } else {
            longest_ = std::max(longest_, run_ + leading);
            run_ = static_cast<std::size_t>(std::countl_one(digits << 16));
        }
        longest_ = std::max(longest_, run_);
    }
#endif
    if (plain_)
        AddBytes(p, n);
}

}  // namespace trafikon
