// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the analysis window shows of one analysed month, loaded whole
// from the month's result files: the eight record tables in file order and the
// parsed monthly statistics file. Records point at each other by position, so
// every table keeps the file's lines exactly in order.
//
// The id lists of log lines (field 3 of lfp-, hos-, nav-, mot- and mit-, part 2
// of ret-) are the bulk of a big month, and only the detail on screen needs
// one: the load leaves them in their files and keeps in their place a
// reference "@F:OFFSET:LENGTH[:ENTRIES]" (F the ResultFile, ENTRIES when
// the list is plain) that ReadIdList and IdListReader follow. So do the lists
// only a detail reads (a host's or referrer's pages, a file's hosts, queries
// and referrers) when they are longer than a reference: IdListText reads one.
// The ends of the host and referrer lines of a big month (their pages and
// last access) stay in their files as well: the tables hold each line up to
// the tag after its log-line list, and WholeLineReader reads one whole.
// The files stay open until the next load, so a new analysis renaming new
// files into place does not change what the window reads.
//
// Loading is tolerant: a missing, unreadable or short file leaves its table
// empty (or its values blank) and adds a problem text naming the file and the
// reason; nothing here throws for a damaged month.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "month/left_in_file.h"
#include "month/line_table.h"
#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/result_records.h"

namespace trafikon {

// Position -> record lookup by the record's key, first occurrence wins.
// The lookup table (4 bytes a slot) is made by the first Find: a window that
// never looks a key up pays nothing for it.
class RecordKeyIndex {
  public:
    // `table` must outlive the index (or the next Build or Clear).
    void Build(const LineTable& table);
    // Position of the first record whose key equals `key` (case-sensitive), or -1.
    long long Find(std::string_view key) const;
    void Clear();

  private:
    void Fill() const;

    const LineTable* table_ = nullptr;
    mutable std::vector<std::uint32_t> slots_;  // position + 1, 0 for a free slot
    mutable bool filled_ = false;
};

// Lines of the monthly statistics file shown as the summary rows, in order.
inline constexpr std::array<MonthStatsLine, 11> kSummaryLines = {
    kStatDate, kStatTota, kStatPage, kStatImag, kStatProg, kStatHost,
    kStatOrig, kStatMote, kStatReOK, kStatReKO, kStatJour};

// The monthly statistics file (mon-), read by line position.
struct MonthSummary {
    bool present = false;                                // the file was found and read
    std::size_t lineCount = 0;                           // lines read (28 when complete)
    std::array<std::string, kSummaryLines.size()> rows;  // summary values: Date to ReKO, then Jour
    // Per-day texts (visitors, kilobytes, pages, hits) as written, 31 each when complete.
    std::array<std::vector<std::string>, 4> dayTexts;
    // The same as numbers; a value that does not convert counts 0 (and is reported).
    std::array<std::vector<long long>, 4> dayValues;
    std::string topPages;    // ttPa without the list's leading "-"
    std::string topHosts;    // ttHo, the same
    std::string topEngines;  // ttMo, the same
};

struct MonthResults {
    MonthResults() { idListFiles.fill(-1); }
    ~MonthResults();
    // The key indexes point into the tables' lines: no copies.
    MonthResults(const MonthResults&) = delete;
    MonthResults& operator=(const MonthResults&) = delete;

    std::string siteDir;    // ends in '/'
    std::string key;        // month key, e.g. "2004-05"
    bool analysed = false;  // the lfp- file exists

    LineTable externalQueries;    // ori-  QueryRecord lines (external)
    LineTable hosts;              // hos-  HostRecord lines (*)
    LineTable browsers;           // nav-  BrowserRecord lines
    LineTable files;              // lfp-  FileRecord lines
    LineTable statuses;           // ret-  the 49 StatusLine lines
    LineTable externalReferrers;  // mot-  ReferrerRecord lines (external) (*)
    LineTable internalReferrers;  // mit-  ReferrerRecord lines (internal) (*)
    LineTable internalQueries;    // oit-  QueryRecord lines (internal)
    // (*) of a big file, held up to the tag after their log-line lists

    // The ends of the host and referrer lines (pages, last access), left in
    // their files: WholeLineReader reads a line whole.
    RecordTails hostTails;
    RecordTails externalReferrerTails;
    RecordTails internalReferrerTails;

    MonthSummary summary;

    // Lookups by record key (field 1), built by the load.
    RecordKeyIndex fileIndex;
    RecordKeyIndex hostIndex;
    RecordKeyIndex externalReferrerIndex;
    RecordKeyIndex internalReferrerIndex;

    // What was wrong while loading, each naming the file and the reason.
    std::vector<std::string> problems;

    // The result files the id-list references point into, open (-1 when not).
    std::array<int, kResultFileCount> idListFiles;

    // Hands the id list of a loaded field (a reference, or a list held in the
    // line itself) to `piece` in pieces that each end just after a dash, save
    // the last: pieces of entries, never parts of one. False, with *error
    // naming the file and the reason, when its file cannot be read.
    bool ReadIdList(std::string_view field, const std::function<void(std::string_view)>& piece,
                    std::string* error = nullptr) const;
    // The whole id list of a loaded field, its reference followed (what was
    // read when its file fails).
    std::string IdListText(std::string_view field) const;

    std::string logPath() const;                    // the stored log of the month
    std::string resultPath(ResultFile file) const;  // one of its result files
    std::string monthStatsPath() const;             // its mon- file

    // The ends of the lines of `table` left in its file, or null.
    const RecordTails* TailsOf(const LineTable& table) const {
        const RecordTails* tails = &table == &hosts               ? &hostTails
                                   : &table == &externalReferrers ? &externalReferrerTails
                                   : &table == &internalReferrers ? &internalReferrerTails
                                                                  : nullptr;
        return tails && !tails->empty() ? tails : nullptr;
    }

    // Line `position` of `table`, or nullopt when it is out of range.
    static std::optional<std::string_view> LineAt(const LineTable& table, long long position);
    // A field of line `position` of `table`; empty when out of range.
    template <RecordField F>
    static std::string_view FieldAt(const LineTable& table, long long position, F field) {
        const std::optional<std::string_view> line = LineAt(table, position);
        return line ? ReadField(*line, field) : std::string_view{};
    }

    void Clear();  // empties every table and the summary (keeps siteDir and key)

  private:
    void CloseIdListFiles();
};

// Reads the id list of a loaded field (a reference, or a list held in the
// line itself) in pieces that each end just after a dash, save the last:
// pieces of entries, never parts of one. The month must outlive the reader.
class IdListReader {
  public:
    IdListReader(const MonthResults& month, std::string_view field);
    // The next piece, of `bytes` bytes or about; false at the end of the list,
    // or when its file cannot be read (error() then names it and the reason).
    bool Next(std::string_view& piece, std::size_t bytes = std::size_t(1) << 20);
    const std::string& error() const { return error_; }
    // The entries of a list in a result file as the analysis writes them,
    // counted by the load; -1 when not known.
    long long knownEntries() const { return entries_ ? static_cast<long long>(*entries_) : -1; }
    std::uint64_t bytes() const { return bytes_; }  // of a list in a result file

  private:
    const MonthResults& month_;
    std::string_view inLine_;  // a list held in the line, until handed out
    int file_ = -1;            // the ResultFile of a reference
    std::uint64_t offset_ = 0;
    std::uint64_t left_ = 0;
    std::string buf_;
    std::size_t handedOut_ = 0;  // bytes of buf_ given by the last piece
    std::string error_;
    std::optional<std::size_t> entries_;
    std::uint64_t bytes_ = 0;
};

// Loads the month `key` from `siteDir` (ending in '/'). When the lfp- file is
// missing, `analysed` is false and every table stays empty.
// Tables are loaded in the order ori hos nav lfp ret mot mit oit.
// The ends of the host and referrer lines are left in a hos-, mot- or mit-
// file of `leaveEndsFrom` bytes or more; a smaller one is held whole.
inline constexpr std::uint64_t kLeaveLineEndsFrom = std::uint64_t(16) << 20;
void LoadMonthResults(const std::string& siteDir, const std::string& key, MonthResults& out,
                      std::uint64_t leaveEndsFrom = kLeaveLineEndsFrom);

}  // namespace trafikon
