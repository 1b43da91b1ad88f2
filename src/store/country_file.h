// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the countries file (cty-) of a month, written beside the robots,
// audience and hours files by the same pass and removed with the month.
//
//   D;<state>;<text>      first line: the country database of the run
//                         (state 0 none, 1 read: text names it, 2 unreadable:
//                         text says why)
//   C;<code>;<people hits;pages;bytes;visitors>;<robots ...>;<city>
//                         one line a country (city empty: the country's
//                         totals), then one a city of it when the database
//                         knows cities; code empty: unknown country. Visitors
//                         are distinct hosts. The city runs to the line's end.
//   H;<n>                 one line a host, in the order of the hosts file:
//                         the number of its C line (its city's, else its
//                         country's), from 0
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/robot_file.h"

namespace trafikon {

inline constexpr std::string_view kCountriesPrefix = "cty-";

enum class CountrySource : char { kNone = '0', kRead = '1', kUnreadable = '2' };

struct CountryRecord {
    std::string code;  // "FR"; empty: unknown
    std::string city;  // empty: the country's own line
    AudienceTotals people, robots;
};

struct CountryFile {
    CountrySource source = CountrySource::kNone;
    std::string sourceText;
    std::vector<CountryRecord> records;
    std::vector<std::uint32_t> hostRecord;  // by host position
};

std::string FormatCountrySource(CountrySource source, std::string_view text);
std::string FormatCountryRecord(const CountryRecord& r);
std::string FormatHostCountry(std::uint32_t record);

// False when the lines are not a countries file (a host pointing past the
// records, a line of no known kind).
bool ParseCountryFile(const Lines& lines, CountryFile& file);
// Adds line `line` of a countries file (`first` for its first line) to `file`,
// which starts empty: the file read line by line. False as above.
bool ParseCountryLine(std::string_view line, bool first, CountryFile& file);

}  // namespace trafikon
