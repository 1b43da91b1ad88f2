// SPDX-License-Identifier: GPL-3.0-or-later
// Reading helpers shared by the files, hosts, status and referrer tabs of the
// analysis window: names and counts of records, the detail of a host or
// referrer record and the last-access text. Everything works on views into
// the month's tables, so a detail allocates only its result vectors.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "month/line_table.h"
#include "store/tagged_record.h"

namespace trafikon {
struct MonthResults;
}

namespace trafikon::tabs {

// A language entry by absolute number (the window's texts).
using TextLookup = std::function<const std::string&(int)>;

// "[dd/Mon/yyyy:hh:mm:ss +zzzz]" shown as "dd/Mon/yyyy:hh:mm:ss ": from the
// second character up to and including the blank before the time zone.
std::string_view LastAccessText(std::string_view stamp);

// Key of line `index` of `table`, or empty when the index is out of range.
std::string_view NameAt(const LineTable& table, long long index);

// Case-sensitive substring test; an empty filter keeps everything.
inline bool Matches(std::string_view name, std::string_view filter) {
    return filter.empty() || name.find(filter) != std::string_view::npos;
}

// One row of a two-column list (name, count), read once from its record.
struct NameCount {
    std::string_view name;       // the record's key
    std::string_view countText;  // its hits, shown as stored
    long long count = 0;         // its hits as a number, for sorting and thresholds
};

// Reads the key and the hits of a line, and of every line of a table.
NameCount ReadNameCount(std::string_view line);
std::vector<NameCount> ReadNameCounts(const LineTable& table);

// Each referenced name and the total: positions that fall outside the table
// are counted in `missing` and give no entry.
struct NameListResult {
    std::vector<std::string_view> names;
    std::size_t missing = 0;
};
NameListResult NamesOf(std::string_view ids, const LineTable& table);

// What the host and referrer tabs show of a record of hos-, mot- or mit-.
struct PageDetail {
    bool found = false;
    std::string_view key;          // host or referring address
    std::string_view hits;         // as stored
    std::string_view lastAccess;   // "dd/Mon/yyyy:hh:mm:ss "
    std::string_view logLineIds;   // id list of 0-based log line numbers, shown numbered from 1
    std::size_t logLineCount = 0;  // its entries, one log-line row each
    std::vector<std::string_view> pages;
    std::size_t missing = 0;  // page positions outside the file table
    // The line read whole, when its end had to be read from its file: the
    // views above point into it.
    std::shared_ptr<const std::string> wholeLine;
};
// Reads a record of that layout; its pages are looked up in `fileTable`.
// `month`, when given, is the month the line was loaded from: the one that
// reads the lists it left in its files.
PageDetail ReadPageDetail(std::string_view line, const LineTable& fileTable,
                          const MonthResults* month = nullptr);
// The same for line `row` (valid) of `table`, read whole from `month` when it
// is the month's table.
PageDetail ReadPageDetail(const LineTable& table, std::size_t row, const LineTable& fileTable,
                          const MonthResults* month);

// The result tables of the loaded month that the details read, each the lines
// of one result file in file order. Unset tables read as empty.
struct TabTables {
    const LineTable* files = nullptr;              // lfp-
    const LineTable* hosts = nullptr;              // hos-
    const LineTable* externalQueries = nullptr;    // ori-
    const LineTable* internalQueries = nullptr;    // oit-
    const LineTable* externalReferrers = nullptr;  // mot-
    const LineTable* internalReferrers = nullptr;  // mit-
    const LineTable* status = nullptr;             // ret-
    const MonthResults* month = nullptr;           // reads the lists left in its files
};

// The table behind a pointer, or an empty one.
const LineTable& TableOrEmpty(const LineTable* table);

}  // namespace trafikon::tabs
