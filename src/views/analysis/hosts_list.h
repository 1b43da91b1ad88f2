// SPDX-License-Identifier: GPL-3.0-or-later
// Hosts tab logic: the hosts of the month with more requests than the minimum
// of the settings, narrowed by a name filter, and the detail of one host (its
// requests, last access, the distinct pages it asked for, its log lines).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "month/tabs_records.h"

namespace trafikon::tabs {

// Minimum used when the setting does not hold a decimal integer (the value of
// a new installation).
constexpr long long kDefaultHostMinimum = 40;

// The minimum of requests from its setting text.
long long HostMinimum(std::string_view settingText);

using HostDetail = PageDetail;  // key: the host

struct HostDetailTexts {
    std::string title;     // "Hote : " + host
    std::string accesses;  // blue
    std::string lastAccess;
    std::string pages;
    std::string line4;  // always empty
};

class HostsList {
  public:
    void Load(const LineTable& table);  // `table` must outlive the list
    void Clear();

    // Table rows (in table order) with strictly more requests than `minimum`
    // whose names contain the filter (case-sensitive).
    std::vector<int> Rows(std::string_view filter, long long minimum) const;

    // Key and hits of table row `row` (valid), read from the table: a month's
    // million hosts keep no copy of them.
    NameCount Entry(int row) const {
        return ReadNameCount((*table_)[static_cast<std::size_t>(row)]);
    }
    std::vector<NameCount> entries() const;  // of every row, made on demand

    // `month`: the month the table was loaded from, which reads the lists it left in its files.
    HostDetail Detail(int row, const LineTable& fileTable,
                      const MonthResults* month = nullptr) const;

  private:
    const LineTable* table_ = nullptr;
};

std::string HostCountLabel(std::size_t rows, const TextLookup& texts);  // "<n> Host ou IP"
HostDetailTexts HostDetailLabels(const HostDetail& detail, const TextLookup& texts);

}  // namespace trafikon::tabs
