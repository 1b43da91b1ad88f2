// SPDX-License-Identifier: GPL-3.0-or-later
// Status codes tab logic: the fixed table of 49 status codes with their
// descriptions, the month's count of each, and the detail of one code (its
// log lines and the distinct pages that got it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "month/tabs_records.h"
#include "store/status_table.h"

namespace trafikon::tabs {

constexpr int kStatusCodeCount = kStatusLineCount;

struct StatusCode {
    const char* code;
    const char* description;
};
// The 49 codes in the order of the status file.
const StatusCode* StatusCodes();

// Row of the first error code (the first from 400 on) in StatusCodes().
int FirstErrorRow();

// Rows of the list for a mode: indices 0..48 into StatusCodes() and the status
// file, all of them or only those from code 400 on.
std::vector<int> StatusRows(bool allCodes);

// Count text of each row of StatusRows(allCodes), read from the month's status
// table: line r gives the count of row r. An empty table, or a line the table
// lacks, gives an empty count.
std::vector<std::string> StatusCounts(const LineTable& statusTable, bool allCodes);

struct StatusDetail {
    bool found = false;  // a status line for the code exists
    std::string_view code;
    std::string_view description;
    std::string_view count;        // as stored
    std::string_view logLineIds;   // id list of 0-based log line numbers, shown numbered from 1
    std::size_t logLineCount = 0;  // its entries, one log-line row each
    std::vector<std::string_view> pages;
    std::size_t missing = 0;  // page positions outside the file table
};

struct StatusDetailTexts {
    std::string title;     // "Retour :" + code + " (" + description + ")"
    std::string accesses;  // blue
    std::string pages;
};

// Detail of code row `codeIndex` (0..48 into StatusCodes()).
StatusDetail StatusDetailOf(int codeIndex, const LineTable& statusTable,
                            const LineTable& fileTable);
StatusDetailTexts StatusDetailLabels(const StatusDetail& detail, const TextLookup& texts);

}  // namespace trafikon::tabs
