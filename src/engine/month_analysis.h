// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory results of one month's analysis: the records of the seven
// result lists, the status counters and the per-day counters, fed one hit at a
// time by AddHit and written once at the end (result_files.h).
//
// Records are kept in structured form rather than as record text, so a hit
// costs a few lookups and appends whatever the size of the month: hash maps
// from key to position, the append-if-absent lists as chained chunks with a
// set of the pairs already listed (id_lists.h), and the line numbers of each
// record's hits packed as they come (packed_lists.h); both lists go to a
// scratch file past a memory budget. Positions are handed out in order of
// first appearance and never change.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/file_type.h"
#include "engine/id_lists.h"
#include "engine/key_map.h"
#include "engine/packed_lists.h"
#include "engine/paged_bytes.h"
#include "engine/paged_vector.h"
#include "engine/time_texts.h"
#include "store/log_line_splitter.h"
#include "store/status_table.h"

namespace trafikon {

// The values of one hit that the analysis uses.
struct HitFields {
    std::string_view request;    // r, after CompleteRequest
    std::string_view status;     // s
    std::string_view time;       // t, after LogLineSplitter::Complete
    std::string_view host;       // h
    std::string_view userAgent;  // U
    std::string_view referrer;   // R
    std::string_view bytes;      // b
};

// The values of the hit a split and completed line holds.
HitFields HitFieldsOf(const LogLineSplitter& splitter);

// What a hit brings besides its texts, worked out from its own values.
struct HitFacts {
    int statusSlot = -1;    // counter slot of s, -1 for none
    int day = 0;            // day of t (1..31), 0 when it has none
    bool hasBytes = false;  // b is a number
    bool internal = false;  // R begins with the site URL
    bool hasQuery = false;  // R holds a "?"
    // The host, user agent, referring page (of the same kind) are those of the
    // hit prepared just before: the analysis takes their positions again.
    bool sameHost = false, sameAgent = false, samePage = false;
    // The hour of t (HourOfTimestamp; -1 for none).
    std::int8_t hour = -1;
    std::int64_t bytes = 0;
    // HashBytes of the keys: path, host, user agent, page, query; 0 for a key
    // the same as the hit before's (sameHost and the like). And of s.
    std::uint64_t pathHash = 0, hostHash = 0, agentHash = 0, pageHash = 0, queryHash = 0;
    std::uint64_t statusHash = 0;
    // The time t as the records keep it (TimeTexts::Prepare) and its second
    // of the day (SecondOfTimestamp; -1 for none).
    std::uint64_t timePacked = 0;
    std::int32_t secondOfDay = -1;
    std::uint32_t siteLength = 0;  // ReferrerSiteLength of R
};

// What a hit brings, worked out from its own values: the same for any month.
struct PreparedHit : HitFacts {
    std::string_view path;       // requested path (RequestPath of r)
    std::string_view status;     // s as logged
    std::string_view time;       // t
    std::string_view host;       // h
    std::string_view userAgent;  // U
    std::string_view referrer;   // R; empty when R is empty or "-"
    std::string_view page;       // R before its first "?"
    std::string_view query;      // the decoded query, when hasQuery
};

class QueryDecoder;

// Prepares hits for the analysis of a site. Holds the query decoder; the
// decoded query of a prepared hit stays valid until the next Prepare.
class HitPreparer {
  public:
    // `siteUrl` decides which referrers are internal; empty makes all external.
    explicit HitPreparer(std::string siteUrl);
    ~HitPreparer();
    HitPreparer(const HitPreparer&) = delete;
    HitPreparer& operator=(const HitPreparer&) = delete;
    PreparedHit Prepare(const HitFields& hit);

  private:
    // Sets the day, the packed time, the second of the day and the hour.
    void PrepareTime(std::string_view time, PreparedHit& p);

    std::string siteUrl_;
    std::unique_ptr<QueryDecoder> decoder_;
    std::string query_;
    bool first_ = true;
    std::string previousHost_, previousAgent_;  // of the hit prepared last
    std::string previousPage_;                  // of the last hit, when it had a referrer
    int previousPageKind_ = -1;                 // its internal flag, -1 for none
    // The last time that packed (TimeTexts::Prepare), and its day.
    char lastTime_[28] = {};
    std::uint64_t lastTimePacked_ = 0;
    int lastDay_ = 0;
};

// Requested path of a request line: without its method, protocol, query and fragment.
std::string_view RequestPath(std::string_view request);
// A number as logs write it: an optional "+" and one or more ASCII digits that
// fit in signed 64 bits. False for anything else ("-", "-5", "", "12a").
bool ParseLogNumber(std::string_view text, std::int64_t& value);
// Day of month of an Apache timestamp (characters 2-3, "01" to "31"), or 0.
int DayOfTimestamp(std::string_view time);
// 1-based position of the first "/" of a referrer at or after position 9 (its
// length when there is none, 9 when it is shorter): the end of its site part.
std::uint32_t ReferrerSiteLength(std::string_view referrer);

// Counter slot of a status as logged: a number (ParseLogNumber) with a slot
// among the 57; -1 for any other text.
int StatusSlotOfText(std::string_view status);

constexpr std::uint32_t kNoRecord = 0xFFFFFFFFu;

// Texts one after the other in pages, read back by their index.
class PackedTexts {
  public:
    void Push(std::string_view text) {
        std::uint64_t offset;
        char* p = bytes_.Reserve(text.size(), offset);
        if (!text.empty())
            std::memcpy(p, text.data(), text.size());
        starts_.push_back(offset);
        sizes_.push_back(static_cast<std::uint32_t>(text.size()));
    }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(bytes_.At(starts_[i]), sizes_[i]);
    }

  private:
    PagedBytes bytes_;
    PagedVector<std::uint64_t> starts_;
    PagedVector<std::uint32_t> sizes_;
};

// A list of records keyed by text, with the hits of each.
struct LineRecords {
    KeyMap keys;
    // A month has at most 2^32 lines, and each record a hit: 0 stands for 2^32.
    PagedVector<std::uint32_t> hits;
    std::size_t size() const { return keys.size(); }
};

// Page records of the referrer lists (`mot-`, `mit-`) and host records (`hos-`).
struct PageRecords : LineRecords {
    IdLists files;
    TimeTexts lastTime;
};

struct FileRecords : LineRecords {
    std::vector<FileType> type;
    std::vector<std::uint32_t> lastStatus;  // in MonthAnalysis::statusTexts
    TimeTexts lastTime;
    IdLists hosts, externalQueries, internalQueries, externalPages, internalPages;
    std::vector<std::uint64_t> statusSlots;  // bit k: listed in status slot k
};

struct QueryRecords {
    KeyMap keys;
    PagedVector<std::uint32_t> firstPage;  // field 2
    IdLists files;
    TimeTexts lastTime;
    // The referrer of the first hit after its page (firstPage): from its "?" on.
    PackedTexts firstReferrerQuery;
    std::size_t size() const { return keys.size(); }
};

struct DayCounters {
    std::array<std::int64_t, 31> hits{}, pages{}, visitors{}, bytes{};
};

// The records of the last hit added.
struct LastHit {
    std::uint32_t line = 0, file = 0, host = 0;
    std::uint32_t agent = kNoRecord;  // kNoRecord for no user agent
};

// Bytes of memory that a list of line numbers holds at most while an analysis
// runs, past which it goes to the spill file; a list of linked records keeps
// to half of it. For the analyses that follow; 0 puts the default back.
void SetListBudget(std::size_t bytes);
std::size_t ListBudget();

class MonthAnalysis {
  public:
    // Lists too long for memory go to `spill`, which outlives this.
    explicit MonthAnalysis(SpillFile& spill);
    MonthAnalysis(const MonthAnalysis&) = delete;
    MonthAnalysis& operator=(const MonthAnalysis&) = delete;

    // Folds one hit in: day change, file, status, host, browser, referrer,
    // cross links, visitors, hits and bytes of the day.
    void AddHit(const PreparedHit& hit, std::uint32_t lineNumber);
    // After the last hit, before the results are written: gives back what
    // only the counting needed (the pair sets, the key tables' indexes).
    // Throws IoError.
    void FinishHits();
    // Hints for a hit that AddHit will take a few hits later: its keys' slots
    // in the tables, then, a few hits before it comes, the keys those slots
    // name. The tables are far larger than the caches on a busy month, and
    // waiting for them is most of a hit's cost otherwise.
    void PrefetchSlots(const HitFacts& hit) const {
        Prefetch(hit, [](const KeyMap& keys, std::uint64_t hash) { keys.PrefetchSlot(hash); });
    }
    void PrefetchKeys(const HitFacts& hit) const {
        Prefetch(hit, [](const KeyMap& keys, std::uint64_t hash) { keys.PrefetchKey(hash); });
    }
    // Then, a few hits before it comes, the records the keys lead to; gives
    // the positions it guessed for the keys (-1 for none or not looked at).
    struct GuessedRecords {
        std::int64_t file = -1, host = -1, agent = -1, page = -1, query = -1;
    };
    GuessedRecords PrefetchRecords(const HitFacts& hit) const;
    // Last, once PrefetchRecords brought their ends, where the lists of line
    // numbers take their next numbers, and the chunks of the lists that
    // LinkPair searches (a host's, page's or query's files) or the pair's
    // place in the set of pairs for a long list. The files' own lists take
    // their numbers later, in batches that ask for their ends themselves
    // (IdLists::AppendSoon).
    void PrefetchListEnds(const HitFacts& hit, const GuessedRecords& guessed) const;
    // The line numbers of the hits of each record.
    const PackedLists& FileLines() const { return fileLines_; }
    const PackedLists& HostLines() const { return hostLines_; }
    const PackedLists& BrowserLines() const { return browserLines_; }
    const PackedLists& PageLines(bool internal) const {
        return internal ? internalPageLines_ : externalPageLines_;
    }
    const PackedLists& StatusLines() const { return statusLines_; }  // by status slot
    // Field 3 of the query records: the referrer's site length at each hit.
    const PackedLists& QuerySiteLengths(bool internal) const {
        return internal ? internalQuerySites_ : externalQuerySites_;
    }
    // For accumulators kept beside this one.
    const LastHit& lastHit() const { return lastHit_; }
    SpillFile& spill() const { return spill_; }

    FileRecords files;
    PageRecords hosts;
    LineRecords browsers;
    PageRecords externalPages, internalPages;
    QueryRecords externalQueries, internalQueries;
    std::array<std::int64_t, kStatusSlotCount> statusHits{};
    IdLists statusFiles;  // per slot
    DayCounters days;
    std::int64_t dayChanges = 0;
    KeyMap statusTexts;

  private:
    template <typename F>
    void Prefetch(const HitFacts& hit, F&& f) const {
        f(files.keys, hit.pathHash);
        if (!hit.sameHost)
            f(hosts.keys, hit.hostHash);
        if (!hit.sameAgent)
            f(browsers.keys, hit.agentHash);
        if (hit.pageHash != 0)
            f((hit.internal ? internalPages : externalPages).keys, hit.pageHash);
        if (hit.hasQuery)
            f((hit.internal ? internalQueries : externalQueries).keys, hit.queryHash);
    }
    std::uint32_t AddFileHit(const PreparedHit& hit);
    void AddStatusHit(const PreparedHit& hit, std::uint32_t filePos);
    std::uint32_t AddHostHit(const PreparedHit& hit);
    void AddBrowserHit(const PreparedHit& hit);
    void AddReferrerHit(const PreparedHit& hit, std::int64_t& pagePos, std::int64_t& queryPos);
    void LinkFileReferrer(std::uint32_t filePos, std::uint32_t hostPos, bool internal,
                          std::int64_t queryPos, std::int64_t pagePos);

    SpillFile& spill_;
    LastHit lastHit_;
    PackedLists fileLines_, hostLines_, browserLines_, externalPageLines_, internalPageLines_,
        statusLines_, externalQuerySites_, internalQuerySites_;

    TimeTexts::Ready time_;  // of the hit being added
    int previousDay_ = 0;
    int currentDay_ = 1;
    std::uint32_t dayStamp_ = 1;                // grows at every day change
    PagedVector<std::uint32_t> hostSeenStamp_;  // day stamp of each host's last visit
    // Positions of the last host, referring page and user agent.
    std::int64_t lastHostPos_ = -1, lastPagePos_ = -1, lastAgentPos_ = -1;
    std::string lastStatusText_;  // the status of the last hit and its index
    std::uint32_t lastStatus_ = kNoRecord;
    // Pairs already listed: host and file, page and file, query and file.
    PairSet hostFiles_, externalPageFiles_, internalPageFiles_, externalQueryFiles_,
        internalQueryFiles_;
};

}  // namespace trafikon
