// SPDX-License-Identifier: GPL-3.0-or-later
// The columns of the exported hits (one row a hit of a stored month), their
// column-store types, the table that holds them and the tab-separated text of
// a value. The columns of a later release come after these, so that rows
// written today still load by position.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trafikon::report {

struct HitColumn {
    std::string_view name;
    std::string_view type;  // the column store's type
};

inline constexpr std::array<HitColumn, 23> kHitColumns = {{
    {"site", "UInt16"},
    {"time", "DateTime('UTC')"},  // the hit's time in UTC
    {"utc_offset", "Int16"},      // minutes the log's own time was ahead of UTC
    {"host", "String"},           // cut to its network when addresses are masked
    {"method", "String"},
    {"path", "String"},
    {"query", "String"},     // of the requested address, after its "?"
    {"protocol", "String"},  // "HTTP/1.1"
    {"status", "UInt16"},    // 0 when the log holds no number
    {"bytes", "UInt64"},
    {"referrer", "String"},
    {"referrer_host", "String"},
    {"search_query", "String"},  // the referrer's query, decoded as the analysis does
    {"user_agent", "String"},
    {"browser", "String"},  // family and major version, "?" when unknown
    {"system", "String"},
    {"robot", "UInt8"},        // 1 when the hit is a robot's, by the robots list's rules
    {"robot_name", "String"},  // empty for a person
    {"country", "String"},     // ISO code, empty when unknown
    {"city", "String"},        // with a city database
    {"month", "String"},       // the month key "YYYY-MM"
    {"line", "UInt64"},        // 1-based line of the stored log
    {"visit", "UInt64"},       // the visitor's visit, numbered from 1 in the month; 0: no time
}};

// CREATE TABLE [IF NOT EXISTS] `table` of the columns: MergeTree, one
// partition per site and month, ordered by site and time.
std::string HitTableDdl(std::string_view table, bool ifNotExists);
// The partition of a site's month in the table: (1, '2026-12'), the key
// quoted as a string literal of the statements.
std::string HitPartition(int site, std::string_view monthKey);

// Appends `text` as one tab-separated value: backslash, tab, line ends and
// NUL escaped with a backslash, so that no log text breaks a row.
void AppendTsvValue(std::string& out, std::string_view text);

// A table name the statements can hold as it is: letters, digits, "_" and
// one "." between database and table.
bool IsPlainTableName(std::string_view name);

}  // namespace trafikon::report
