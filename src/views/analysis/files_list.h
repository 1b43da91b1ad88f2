// SPDX-License-Identifier: GPL-3.0-or-later
// Files tab logic: the requested files of the month by kind and name filter,
// and the detail of one file (counts, last access and status, the hosts,
// referrer pages and queries that led to it, its log lines).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "month/tabs_records.h"

namespace trafikon::tabs {

// Kinds of the kind buttons; a file record stores 1 page, 2 image, 3 archive
// or program, 4 other (4 is listed only under "all").
enum FileKind { kAllKinds = 0, kPages = 1, kImages = 2, kPrograms = 3 };

// One query that led to a file.
struct FileQuery {
    std::string_view text;     // decoded query (field 1)
    std::string_view siteUrl;  // scheme and host of its referrer (field 7), the URL column
    std::string_view fullUrl;  // full referrer of its first hit (field 6), opened by Ctrl+V
    long long record = -1;     // its position in the query table
};

struct FileDetail {
    bool found = false;
    std::string_view name;
    std::string_view hits;        // field 2 as stored
    std::string_view lastAccess;  // "dd/Mon/yyyy:hh:mm:ss "
    std::string_view lastStatus;  // field 5 as stored
    bool lastStatusIsError = false;
    std::string_view logLineIds;   // id list of 0-based log line numbers, shown as they are
    std::size_t logLineCount = 0;  // its entries, one log-line row each
    std::vector<std::string_view> hosts;
    std::vector<FileQuery> externalQueries;
    std::vector<FileQuery> internalQueries;
    std::vector<std::string_view> externalReferrers;
    std::vector<std::string_view> internalReferrers;
    std::size_t missing = 0;  // positions that fell outside their table
};

// Order of the switches of the detail (and of its five lists).
enum FileSwitch {
    kExternalReferrersSwitch = 0,
    kInternalReferrersSwitch = 1,
    kHostsSwitch = 2,
    kExternalQueriesSwitch = 3,
    kInternalQueriesSwitch = 4,
};

struct FileDetailTexts {
    std::string title;     // "Fichier :" + name
    std::string accesses;  // blue
    std::string lastAccess;
    std::string users;
    std::string lastStatus;               // red for an error status, green otherwise
    std::array<std::string, 5> switches;  // in FileSwitch order, "caption (n)"
};

class FilesList {
  public:
    FilesList() = default;
    // Reads the name, count and kind of every record once; `table` must outlive the list.
    void Load(const LineTable& table);
    void Clear();

    // Table rows (in table order) of the kind (FileKind) whose names contain the filter
    // (case-sensitive; an empty filter keeps every name).
    std::vector<int> Rows(int kind, std::string_view filter) const;

    const std::vector<NameCount>& entries() const { return rows_; }
    std::size_t size() const { return rows_.size(); }

    // Detail of table row `row`; an out-of-range row gives found == false.
    FileDetail Detail(int row, const TabTables& tables) const;

  private:
    const LineTable* table_ = nullptr;
    std::vector<NameCount> rows_;
    std::vector<std::string_view> kinds_;  // field 4 as stored
};

// Status text of an error: a number above 399.
bool IsErrorStatus(std::string_view status);

// "<n> Fichiers"
std::string FileCountLabel(std::size_t rows, const TextLookup& texts);
// Captions of the switches before any detail: every count 0.
std::array<std::string, 5> FileSwitchCaptions(const std::array<std::size_t, 5>& counts,
                                              const TextLookup& texts);
FileDetailTexts FileDetailLabels(const FileDetail& detail, const TextLookup& texts);

// Every listed name followed by a line feed (Ctrl+Shift+C on the file list).
std::string AllNamesText(const std::vector<int>& rows, const std::vector<NameCount>& entries);

}  // namespace trafikon::tabs
