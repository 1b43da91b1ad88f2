// Everything the analysis window shows of one analysed month, loaded whole
// from the month's result files: the eight record tables in file order and the
// parsed monthly statistics file. Records point at each other by position, so
// every table keeps the file's lines exactly in order.
//
// Loading is tolerant: a missing, unreadable or short file leaves its table
// empty (or its values blank) and adds a problem text naming the file and the
// reason; nothing here throws for a damaged month.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

// Value of field i (1-based) of a tagged record line: the text after the
// first "\i;" up to the first following "\i+1;"; empty when either is missing.
std::string_view RecordField(std::string_view line, int i);

// The numbers of an IdList text ("-12-40-") in order. Pieces that are not
// decimal numbers are skipped and counted in *badPieces when given.
std::vector<long long> IdListNumbers(std::string_view idList, std::size_t* badPieces = nullptr);

// A decimal integer text as a number; `fallback` when it does not convert.
long long ToNumber(std::string_view text, long long fallback = 0);

// Position -> record lookup by the record's key (field 1), first occurrence wins.
class RecordKeyIndex {
  public:
    void Build(const Lines& table);
    // Position of the first record whose field 1 equals `key` (case-sensitive), or -1.
    long long Find(std::string_view key) const;
    void Clear() { map_.clear(); }

  private:
    std::unordered_map<std::string_view, long long> map_;  // views into the table's lines
};

// The monthly statistics file (mon-), read by line position.
struct MonthSummary {
    bool present = false;              // the file was found and read
    std::size_t lineCount = 0;         // lines read (28 when complete)
    std::array<std::string, 11> rows;  // summary values: lines 1-10 and 17, key and "=" cut
    // Per-day texts (visitors, kilobytes, pages, hits) as written, 31 each when complete.
    std::array<std::vector<std::string>, 4> dayTexts;
    // The same as numbers; a value that does not convert counts 0 (and is reported).
    std::array<std::vector<long long>, 4> dayValues;
    std::string topPages;    // line 26 without its first six characters
    std::string topHosts;    // line 27
    std::string topEngines;  // line 28
};

// One entry of a top-list text ("-3 (120)-0 (95)-").
struct TopListEntry {
    long long position = -1;
    std::string count;
};
// Parses a top-list text; stops at the first malformed entry and sets *malformed.
std::vector<TopListEntry> ParseShownTopList(std::string_view text, bool* malformed = nullptr);

struct MonthResults {
    MonthResults() = default;
    // The key indexes point into the tables' lines: no copies.
    MonthResults(const MonthResults&) = delete;
    MonthResults& operator=(const MonthResults&) = delete;

    std::string siteDir;    // ends in '/'
    std::string key;        // month key, e.g. "2004-05"
    bool analysed = false;  // the lfp- file exists

    Lines externalQueries;    // ori-  QueryRecord lines (external)
    Lines hosts;              // hos-  HostRecord lines
    Lines browsers;           // nav-  BrowserRecord lines
    Lines files;              // lfp-  FileRecord lines
    Lines statuses;           // ret-  the 49 StatusLine lines
    Lines externalReferrers;  // mot-  ReferrerRecord lines (external)
    Lines internalReferrers;  // mit-  ReferrerRecord lines (internal)
    Lines internalQueries;    // oit-  QueryRecord lines (internal)

    MonthSummary summary;

    // Lookups by record key (field 1), built by the load.
    RecordKeyIndex fileIndex;
    RecordKeyIndex hostIndex;
    RecordKeyIndex externalReferrerIndex;
    RecordKeyIndex internalReferrerIndex;

    // What was wrong while loading, each naming the file and the reason.
    std::vector<std::string> problems;

    std::string logPath() const;                            // siteDir + "log-" + key + ".log"
    std::string resultPath(std::string_view prefix) const;  // siteDir + prefix + "-" + key + ".tfd"

    // Line `position` of `table`, or nullptr when it is out of range.
    static const std::string* LineAt(const Lines& table, long long position);
    // Field i of line `position` of `table`; empty when out of range.
    static std::string_view FieldAt(const Lines& table, long long position, int i);

    void Clear();  // empties every table and the summary (keeps siteDir and key)
};

// Loads the month `key` from `siteDir` (ending in '/'). When the lfp- file is
// missing, `analysed` is false and every table stays empty.
// Tables are loaded in the order ori hos nav lfp ret mot mit oit.
void LoadMonthResults(const std::string& siteDir, const std::string& key, MonthResults& out);

}  // namespace trafikon
