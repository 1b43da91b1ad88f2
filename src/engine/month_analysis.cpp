// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month_analysis.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/hour_tally.h"
#include "engine/query_decoder.h"
#include "engine/system_memory.h"

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Equality of texts of a few bytes, without a call for them.
bool SameShortText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a.size() > 8)
        return a == b;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The hash of a key the preparer gave none (the same as the hit before's),
// needed when the analysis has no position for it yet.
std::uint64_t KeyHash(std::uint64_t hash, bool same, std::string_view key) {
    return same ? HashBytes(key) : hash;
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
            p.hour = static_cast<std::int8_t>(hour < 24 ? static_cast<int>(hour) : -1);
            p.secondOfDay = hour < 24 && minute <= 59 && second <= 60
                                ? static_cast<std::int32_t>(hour * 3600 + minute * 60 +
                                                            (second == 60 ? 59 : second))
                                : -1;
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

namespace {
std::atomic<std::size_t> listBudget{PackedLists::kDefaultBudget};
}  // namespace

void SetListBudget(std::size_t bytes) {
    listBudget = bytes == 0 ? PackedLists::kDefaultBudget : bytes;
}

std::size_t ListBudget() {
    return listBudget;
}

MonthAnalysis::MonthAnalysis(SpillFile& spill)
    : spill_(spill),
      fileLines_(spill, true, ListBudget()),
      hostLines_(spill, true, ListBudget()),
      browserLines_(spill, true, ListBudget()),
      externalPageLines_(spill, true, ListBudget()),
      internalPageLines_(spill, true, ListBudget()),
      statusLines_(spill, true, ListBudget()),
      externalQuerySites_(spill, false, ListBudget()),
      internalQuerySites_(spill, false, ListBudget()) {
    MapLargeBlocksApart();
    hosts.keys.PackAddresses();
    for (IdLists* lists :
         {&files.hosts, &files.externalQueries, &files.internalQueries, &files.externalPages,
          &files.internalPages, &hosts.files, &externalPages.files, &internalPages.files,
          &externalQueries.files, &internalQueries.files, &statusFiles})
        lists->SpillTo(spill, ListBudget() / 2);
}

void MonthAnalysis::AddHit(const PreparedHit& hit, std::uint32_t lineNumber) {
    // A line without a readable day counts in the current day and changes nothing.
    if (hit.day != 0 && hit.day != previousDay_) {
        currentDay_ = hit.day;
        previousDay_ = hit.day;
        ++dayChanges;
        ++dayStamp_;  // empties the hosts seen this day
    }
    const int d = currentDay_ - 1;
    // Status texts are few: each is kept once, files hold its index.
    if (lastStatus_ == kNoRecord || !SameShortText(hit.status, lastStatusText_)) {
        bool added;
        lastStatus_ = statusTexts.FindOrAdd(hit.status, hit.statusHash, added);
        lastStatusText_.assign(hit.status);
    }

    lastHit_.line = lineNumber;
    time_ = TimeTexts::Ready{hit.timePacked, hit.time};
    const std::uint32_t filePos = AddFileHit(hit);
    AddStatusHit(hit, filePos);
    const std::uint32_t hostPos = AddHostHit(hit);
    AddBrowserHit(hit);
    std::int64_t pagePos = -1, queryPos = -1;
    AddReferrerHit(hit, pagePos, queryPos);
    LinkFileReferrer(filePos, hostPos, hit.internal, queryPos, pagePos);

    if (hostSeenStamp_[hostPos] != dayStamp_) {
        hostSeenStamp_[hostPos] = dayStamp_;
        ++days.visitors[d];
    }
    ++days.hits[d];
    if (hit.hasBytes) {
        std::int64_t& total = days.bytes[d];
        if (__builtin_add_overflow(total, hit.bytes, &total))
            total = std::numeric_limits<std::int64_t>::max();
    }
}

void MonthAnalysis::FinishHits() {
    for (PairSet* pairs : {&hostFiles_, &externalPageFiles_, &internalPageFiles_,
                           &externalQueryFiles_, &internalQueryFiles_})
        pairs->Clear();
    hostSeenStamp_.Release();
    for (KeyMap* keys : {&files.keys, &hosts.keys, &browsers.keys, &externalPages.keys,
                         &internalPages.keys, &externalQueries.keys, &internalQueries.keys})
        keys->ForgetIndex();
    for (PackedLists* lists :
         {&fileLines_, &hostLines_, &browserLines_, &externalPageLines_, &internalPageLines_,
          &statusLines_, &externalQuerySites_, &internalQuerySites_})
        lists->Seal();
    for (IdLists* lists :
         {&files.hosts, &files.externalQueries, &files.internalQueries, &files.externalPages,
          &files.internalPages, &hosts.files, &externalPages.files, &internalPages.files,
          &externalQueries.files, &internalQueries.files, &statusFiles})
        lists->Seal();
}

std::uint32_t MonthAnalysis::AddFileHit(const PreparedHit& hit) {
    bool added;
    const std::uint32_t pos = files.keys.FindOrAdd(hit.path, hit.pathHash, added);
    if (added) {
        files.hits.push_back(1);
        files.type.push_back(FileTypeOfPath(hit.path));
        files.statusSlots.push_back(0);
        files.lastStatus.push_back(lastStatus_);
        files.lastTime.Push(time_);
    } else {
        ++files.hits[pos];
        files.lastStatus[pos] = lastStatus_;
        files.lastTime.Set(pos, time_);
    }
    if (files.type[pos] == kPageFile)
        ++days.pages[currentDay_ - 1];
    fileLines_.Append(pos, lastHit_.line);
    lastHit_.file = pos;
    return pos;
}

void MonthAnalysis::AddStatusHit(const PreparedHit& hit, std::uint32_t filePos) {
    const int slot = hit.statusSlot;
    if (slot < 0)
        return;
    statusLines_.Append(static_cast<std::uint32_t>(slot), lastHit_.line);
    ++statusHits[slot];
    // The slots are fewer than 64: one bit per slot tells whether the file is listed.
    std::uint64_t& listed = files.statusSlots[filePos];
    const std::uint64_t bit = std::uint64_t{1} << slot;
    if (!(listed & bit)) {
        listed |= bit;
        statusFiles.Append(static_cast<std::uint32_t>(slot), filePos);
    }
}

std::uint32_t MonthAnalysis::AddHostHit(const PreparedHit& hit) {
    std::uint32_t pos;
    // HitPreparer saw the same hits in the same order: "the same as the hit
    // before" is the same as the hit added last.
    if (lastHostPos_ >= 0 && hit.sameHost) {
        pos = static_cast<std::uint32_t>(lastHostPos_);
        ++hosts.hits[pos];
        hosts.lastTime.Set(pos, time_);
    } else {
        bool added;
        pos = hosts.keys.FindOrAdd(hit.host, KeyHash(hit.hostHash, hit.sameHost, hit.host), added);
        if (added) {
            hosts.hits.push_back(1);
            hosts.lastTime.Push(time_);
            hostSeenStamp_.push_back(0);
        } else {
            ++hosts.hits[pos];
            hosts.lastTime.Set(pos, time_);
        }
        lastHostPos_ = pos;
    }
    hostLines_.Append(pos, lastHit_.line);
    lastHit_.host = pos;
    return pos;
}

void MonthAnalysis::AddBrowserHit(const PreparedHit& hit) {
    if (hit.userAgent.empty()) {
        lastHit_.agent = kNoRecord;
        return;
    }
    if (lastAgentPos_ < 0 || !hit.sameAgent) {
        bool added;
        lastAgentPos_ = browsers.keys.FindOrAdd(
            hit.userAgent, KeyHash(hit.agentHash, hit.sameAgent, hit.userAgent), added);
        if (added)
            browsers.hits.push_back(0);
    }
    ++browsers.hits[static_cast<std::size_t>(lastAgentPos_)];
    lastHit_.agent = static_cast<std::uint32_t>(lastAgentPos_);
    browserLines_.Append(lastHit_.agent, lastHit_.line);
}

void MonthAnalysis::AddReferrerHit(const PreparedHit& hit, std::int64_t& pagePos,
                                   std::int64_t& queryPos) {
    if (hit.referrer.empty())
        return;
    PageRecords& pages = hit.internal ? internalPages : externalPages;
    bool added = false;
    std::uint32_t pPos;
    if (lastPagePos_ >= 0 && hit.samePage) {  // of the same kind
        pPos = static_cast<std::uint32_t>(lastPagePos_);
    } else {
        pPos = pages.keys.FindOrAdd(hit.page, KeyHash(hit.pageHash, hit.samePage, hit.page), added);
        lastPagePos_ = pPos;
    }
    if (added) {
        pages.hits.push_back(1);
        pages.lastTime.Push(time_);
    } else {
        ++pages.hits[pPos];
        pages.lastTime.Set(pPos, time_);
    }
    (hit.internal ? internalPageLines_ : externalPageLines_).Append(pPos, lastHit_.line);
    pagePos = pPos;
    if (!hit.hasQuery)
        return;

    QueryRecords& queries = hit.internal ? internalQueries : externalQueries;
    const std::uint32_t qPos = queries.keys.FindOrAdd(hit.query, hit.queryHash, added);
    if (added) {
        queries.firstPage.push_back(pPos);
        queries.lastTime.Push(time_);
        queries.firstReferrerQuery.Push(hit.referrer.substr(hit.page.size()));
    } else {
        queries.lastTime.Set(qPos, time_);
    }
    (hit.internal ? internalQuerySites_ : externalQuerySites_).Append(qPos, hit.siteLength);
    queryPos = qPos;
}

// Lists the host, the referring page and the query of the hit in the file
// record, and the file in their records: each pair once, in order of first
// appearance. The pair's set decides for both lists.
void MonthAnalysis::LinkFileReferrer(std::uint32_t filePos, std::uint32_t hostPos, bool internal,
                                     std::int64_t queryPos, std::int64_t pagePos) {
    if (queryPos >= 0) {
        LinkPair(internal ? internalQueryFiles_ : externalQueryFiles_,
                 internal ? internalQueries.files : externalQueries.files,
                 static_cast<std::uint32_t>(queryPos),
                 internal ? files.internalQueries : files.externalQueries, filePos);
    }
    if (pagePos >= 0) {
        LinkPair(internal ? internalPageFiles_ : externalPageFiles_,
                 internal ? internalPages.files : externalPages.files,
                 static_cast<std::uint32_t>(pagePos),
                 internal ? files.internalPages : files.externalPages, filePos);
    }
    LinkPair(hostFiles_, hosts.files, hostPos, files.hosts, filePos);
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
