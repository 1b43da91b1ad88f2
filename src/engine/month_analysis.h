// The in-memory results of one month's analysis: the records of the seven
// result lists, the status counters and the per-day counters, fed one hit at a
// time by AddHit and written once at the end (result_files.h).
//
// Records are kept in structured form (hash maps from key to position, lists
// of numbers) rather than as record text, so a hit costs a few lookups and
// appends whatever the size of the month. Positions are handed out in order of
// first appearance and never change.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/key_map.h"
#include "store/status_table.h"

namespace trafikon {

// The values of one hit that the analysis uses.
struct HitFields {
    std::string_view request;    // r, after CompleteRequest
    std::string_view status;     // s
    std::string_view time;       // t, after NormaliseDates
    std::string_view host;       // h
    std::string_view userAgent;  // U
    std::string_view referrer;   // R
    std::string_view bytes;      // b
};

// What a hit brings, worked out from its own values: the same for any month.
struct PreparedHit {
    std::string_view path;       // requested path (RequestPath of r)
    std::string_view status;     // s as logged
    std::string_view time;       // t
    std::string_view host;       // h
    std::string_view userAgent;  // U
    std::string_view referrer;   // R; empty when R is empty or "-"
    std::string_view page;       // R before its first "?"
    std::string_view query;      // the decoded query, when hasQuery
    int statusSlot = -1;         // counter slot of s, -1 for none
    int day = 0;                 // day of t (1..31), 0 when it has none
    bool hasBytes = false;       // b is a number
    bool internal = false;       // R begins with the site URL
    bool hasQuery = false;       // R holds a "?"
    std::int64_t bytes = 0;
    std::uint32_t siteLength = 0;  // ReferrerSiteLength of R
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
    std::string siteUrl_;
    std::unique_ptr<QueryDecoder> decoder_;
    std::string query_;
};

enum FileType : std::uint8_t { kPage = 1, kImage = 2, kArchive = 3, kOtherFile = 4 };

// Requested path of a request line: without its method, protocol, query and fragment.
std::string_view RequestPath(std::string_view request);
// Type of a new file record, from the last five characters of its path (extension
// compared in lower case).
FileType FileTypeOfPath(std::string_view path);
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

struct StatusCounter {
    std::int64_t hits = 0;
    std::vector<std::uint32_t> lines;
};

// A list of records keyed by text, each with the line numbers of its hits.
struct LineRecords {
    KeyMap keys;
    std::vector<std::vector<std::uint32_t>> lines;  // the hits are their count
    std::size_t size() const { return keys.size(); }
    std::uint32_t Add(std::string_view key, std::uint32_t lineNumber, bool& added);
};

// Page records of the referrer lists (`mot-`, `mit-`) and host records (`hos-`).
struct PageRecords : LineRecords {
    IdLists files;
    std::vector<std::string> lastTime;
};

struct FileRecords : LineRecords {
    std::vector<FileType> type;
    std::vector<std::string> lastStatus, lastTime;
    IdLists hosts, externalQueries, internalQueries, externalPages, internalPages;
    std::vector<std::uint64_t> statusSlots;  // bit k: listed in status slot k
};

struct QueryRecords {
    KeyMap keys;
    std::vector<std::uint32_t> firstPage;                // field 2
    std::vector<std::vector<std::uint32_t>> siteLength;  // field 3, one entry per hit
    IdLists files;
    std::vector<std::string> lastTime, firstReferrer;
    std::vector<std::uint32_t> firstSiteLength;  // for field 7
    std::size_t size() const { return keys.size(); }
};

struct DayCounters {
    std::array<std::int64_t, 31> hits{}, pages{}, visitors{}, bytes{};
};

class MonthAnalysis {
  public:
    MonthAnalysis() = default;
    MonthAnalysis(const MonthAnalysis&) = delete;
    MonthAnalysis& operator=(const MonthAnalysis&) = delete;

    // Folds one hit in: day change, file, status, host, browser, referrer,
    // cross links, visitors, hits and bytes of the day.
    void AddHit(const PreparedHit& hit, std::uint32_t lineNumber);

    FileRecords files;
    PageRecords hosts;
    LineRecords browsers;
    PageRecords externalPages, internalPages;
    QueryRecords externalQueries, internalQueries;
    std::array<StatusCounter, kStatusSlotCount> status;
    IdLists statusFiles;  // per slot
    DayCounters days;
    std::int64_t dayChanges = 0;

  private:
    std::uint32_t AddFileHit(const PreparedHit& hit, std::uint32_t lineNumber);
    void AddStatusHit(const PreparedHit& hit, std::uint32_t lineNumber, std::uint32_t filePos);
    std::uint32_t AddHostHit(const PreparedHit& hit, std::uint32_t filePos,
                             std::uint32_t lineNumber);
    void AddBrowserHit(const PreparedHit& hit, std::uint32_t lineNumber);
    void AddReferrerHit(const PreparedHit& hit, std::uint32_t filePos, std::uint32_t lineNumber);

    int previousDay_ = 0;
    int currentDay_ = 1;
    std::uint32_t dayStamp_ = 1;                // grows at every day change
    std::vector<std::uint32_t> hostSeenStamp_;  // day stamp of each host's last visit
    std::string lastHost_;                      // the last host and its position
    std::int64_t lastHostPos_ = -1;
    // Pairs already listed: host and file, page and file, query and file.
    PairSet hostFiles_, externalPageFiles_, internalPageFiles_, externalQueryFiles_,
        internalQueryFiles_;
    std::string lastAgent_;
    std::int64_t lastAgentPos_ = -1;
};

}  // namespace trafikon
