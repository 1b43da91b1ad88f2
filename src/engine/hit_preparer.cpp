// SPDX-License-Identifier: GPL-3.0-or-later
// What the reading thread works out of each line before the counting: the
// request's path, the status slot, the day and time of day, the bytes, the
// referrer's kind and its decoded query, and the keys' hashes.
#include "engine/month_analysis.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/hour_tally.h"
#include "engine/query_decoder.h"

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string_view RequestPath(std::string_view request) {
    // The path starts after the method's blank and stops at the first blank,
    // "?" or "#" after it: one pass over the request.
    const char* s = request.data();
    const std::size_t n = request.size();
    const void* blank = n == 0 ? nullptr : std::memchr(s, ' ', n);
    const std::size_t start =
        blank ? static_cast<std::size_t>(static_cast<const char*>(blank) - s) + 1 : 0;
    std::size_t i = start;
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi8(' '), question = _mm_set1_epi8('?'),
                  hash = _mm_set1_epi8('#');
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i hit = _mm_or_si128(
            _mm_cmpeq_epi8(block, space),
            _mm_or_si128(_mm_cmpeq_epi8(block, question), _mm_cmpeq_epi8(block, hash)));
        const int found = _mm_movemask_epi8(hit);
        if (found != 0)
            return std::string_view(
                s + start,
                i - start + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found))));
    }
#endif
    for (; i < n; ++i)
        if (s[i] == ' ' || s[i] == '?' || s[i] == '#')
            break;
    return std::string_view(s + start, i - start);
}

bool ParseLogNumber(std::string_view text, std::int64_t& value) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '+')
        ++i;
    const std::size_t digits = text.size() - i;
    if (digits == 0)
        return false;
    std::uint64_t v = 0;
    if (digits <= 18) {  // fits whatever the digits
        for (; i < text.size(); ++i) {
            const auto d = static_cast<unsigned char>(text[i] - '0');
            if (d > 9)
                return false;
            v = v * 10 + d;
        }
        value = static_cast<std::int64_t>(v);
        return true;
    }
    for (; i < text.size(); ++i) {
        const auto d = static_cast<unsigned char>(text[i] - '0');
        if (d > 9)
            return false;
        v = v * 10 + d;
        // Nineteen digits and more may leave signed 64 bits.
        if (digits > 18 && v > static_cast<std::uint64_t>(INT64_MAX) / 10 && i + 1 < text.size())
            return false;
    }
    if (v > static_cast<std::uint64_t>(INT64_MAX))
        return false;
    value = static_cast<std::int64_t>(v);
    return true;
}

int DayOfTimestamp(std::string_view time) {
    if (time.size() < 3 || !IsDigit(time[1]) || !IsDigit(time[2]))
        return 0;
    const int day = (time[1] - '0') * 10 + (time[2] - '0');
    return day >= 1 && day <= 31 ? day : 0;
}

std::uint32_t ReferrerSiteLength(std::string_view referrer) {
    std::size_t p = 9;
    while (p < referrer.size() && referrer[p - 1] != '/')
        ++p;
    return static_cast<std::uint32_t>(p);
}

int StatusSlotOfText(std::string_view status) {
    std::int64_t code;
    if (!ParseLogNumber(status, code) || code > 1000)
        return -1;
    return StatusSlot(static_cast<int>(code));
}

HitPreparer::HitPreparer(std::string siteUrl)
    : siteUrl_(std::move(siteUrl)), decoder_(std::make_unique<QueryDecoder>()) {}

HitPreparer::~HitPreparer() = default;

void HitPreparer::PrepareTime(std::string_view time, PreparedHit& p) {
    // Lines one after the other mostly differ in their time of day only: a
    // timestamp with the date and zone of the last one packed takes its day
    // and packed date over, and reads its hour, minute and second alone.
    static_assert(sizeof lastTime_ == 28);
    const char* t = time.data();
    if (time.size() == sizeof lastTime_ && lastTimePacked_ != 0 &&
        std::memcmp(t, lastTime_, 13) == 0 && std::memcmp(t + 21, lastTime_ + 21, 7) == 0 &&
        t[15] == ':' && t[18] == ':') {
        const auto digit = [t](int i) { return static_cast<unsigned>(t[i]) - '0'; };
        const unsigned h1 = digit(13), h2 = digit(14), m1 = digit(16), m2 = digit(17),
                       s1 = digit(19), s2 = digit(20);
        if (std::max({h1, h2, m1, m2, s1, s2}) <= 9) {
            const unsigned hour = h1 * 10 + h2, minute = m1 * 10 + m2, second = s1 * 10 + s2;
            p.day = lastDay_;
            p.timePacked = TimeTexts::WithTimeOfDay(lastTimePacked_, hour, minute, second);
            // The rules of HourOfTimestamp and SecondOfTimestamp.
            const int hourOrNone = hour < 24 ? static_cast<int>(hour) : -1;
            p.hour = static_cast<std::int8_t>(hourOrNone);
            p.secondOfDay = SecondOfDay(hourOrNone, minute, second);
            return;
        }
    }
    p.day = DayOfTimestamp(time);
    p.timePacked = TimeTexts::Prepare(time).packed;
    p.secondOfDay = SecondOfTimestamp(time);
    // A time with a second of the day has an hour, the second's.
    p.hour =
        static_cast<std::int8_t>(p.secondOfDay >= 0 ? p.secondOfDay / 3600 : HourOfTimestamp(time));
    if (p.timePacked != 0 && time.size() == sizeof lastTime_) {
        std::memcpy(lastTime_, t, sizeof lastTime_);
        lastTimePacked_ = p.timePacked;
        lastDay_ = p.day;
    }
}

PreparedHit HitPreparer::Prepare(const HitFields& hit) {
    PreparedHit p;
    p.path = RequestPath(hit.request);
    p.status = hit.status;
    p.time = hit.time;
    p.host = hit.host;
    p.userAgent = hit.userAgent;
    p.statusSlot = StatusSlotOfText(hit.status);
    p.statusHash = HashBytes(hit.status);
    PrepareTime(hit.time, p);
    p.hasBytes = ParseLogNumber(hit.bytes, p.bytes);
    p.pathHash = HashBytes(p.path);
    p.sameHost = !first_ && p.host == previousHost_;
    if (!p.sameHost) {
        p.hostHash = HashBytes(p.host);
        previousHost_.assign(p.host);
    }
    p.sameAgent = !first_ && p.userAgent == previousAgent_;
    if (!p.sameAgent) {
        p.agentHash = HashBytes(p.userAgent);
        previousAgent_.assign(p.userAgent);
    }
    first_ = false;
    if (hit.referrer.empty() || hit.referrer == "-") {
        previousPageKind_ = -1;
        return p;
    }
    p.referrer = hit.referrer;
    p.internal = !siteUrl_.empty() && hit.referrer.starts_with(siteUrl_);
    const auto question = hit.referrer.find('?');
    p.page = hit.referrer.substr(0, question);
    p.samePage = previousPageKind_ == static_cast<int>(p.internal) && p.page == previousPage_;
    if (!p.samePage) {
        p.pageHash = HashBytes(p.page);
        previousPage_.assign(p.page);
        previousPageKind_ = static_cast<int>(p.internal);
    }
    if (question != std::string_view::npos) {
        p.hasQuery = true;
        decoder_->DecodeQuery(hit.referrer.substr(question + 1), hit.referrer, query_);
        p.query = query_;
        p.queryHash = HashBytes(p.query);
        p.siteLength = ReferrerSiteLength(hit.referrer);
    }
    return p;
}

HitFields HitFieldsOf(const LogLineSplitter& splitter) {
    HitFields fields;
    fields.request = splitter['r'];
    fields.status = splitter['s'];
    fields.time = splitter['t'];
    fields.host = splitter['h'];
    fields.userAgent = splitter['U'];
    fields.referrer = splitter['R'];
    fields.bytes = splitter['b'];
    return fields;
}

}  // namespace trafikon
