// SPDX-License-Identifier: GPL-3.0-or-later
// Referrer tabs logic, used for the external (mot-, ori-) and the internal
// (mit-, oit-) referrers: the referrer pages narrowed by a name filter, and
// the detail of one page (the queries first met through it, the pages of the
// site it led to, its log lines).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "month/tabs_records.h"

namespace trafikon::tabs {

struct ReferrerQuery {
    std::string_view text;     // decoded query (field 1): the node's text
    std::string_view fullUrl;  // full referrer of its first hit (field 6): copied and opened
};

struct ReferrerDetail : PageDetail {  // key: the referring address
    std::vector<ReferrerQuery> queries;
};

struct ReferrerDetailTexts {
    std::string title;
    std::string line1, line2, line3, line4;  // line1 blue; all empty on the internal tab
    std::string pagesSwitch;                 // "Fichiers (n)"
    std::string queriesSwitch;               // "Paramètre de la Requête (n)"
};

class ReferrerList {
  public:
    explicit ReferrerList(bool external = true) : external_(external) {}
    bool external() const { return external_; }

    // Reads the referrer pages and groups the queries by the page their field 2
    // names; both tables must outlive the list.
    void Load(const LineTable& referrerTable, const LineTable& queryTable);
    void Clear();

    // Table rows (in table order) whose address contains the filter (case-sensitive).
    std::vector<int> Rows(std::string_view filter) const;
    // Address and hits of table row `row` (valid), read from the table.
    NameCount Entry(int row) const {
        return ReadNameCount((*referrers_)[static_cast<std::size_t>(row)]);
    }
    std::vector<NameCount> entries() const;  // of every row, made on demand

    // Query records listed under referrer row `row`, in query-table order.
    std::vector<int> QueriesOf(int row) const;

    // `month`: the month the table was loaded from, which reads the lists it left in its files.
    ReferrerDetail Detail(int row, const LineTable& fileTable,
                          const MonthResults* month = nullptr) const;

  private:
    bool external_;
    const LineTable* referrers_ = nullptr;
    const LineTable* queries_ = nullptr;
    // The queries of row r: queryIds_[queryStarts_[r]] up to queryStarts_[r + 1].
    std::vector<std::uint32_t> queryStarts_;
    std::vector<int> queryIds_;
};

// "<n> Referents Externes" or "<n> Referents Internes"
std::string ReferrerCountLabel(std::size_t rows, bool external, const TextLookup& texts);
// Switch captions before any detail: "Fichiers (0)", "Paramètre de la Requête (0)".
std::string ReferrerPagesSwitch(std::size_t pages, const TextLookup& texts);
std::string ReferrerQueriesSwitch(std::size_t queries, const TextLookup& texts);
ReferrerDetailTexts ReferrerDetailLabels(const ReferrerDetail& detail, bool external,
                                         const TextLookup& texts);

}  // namespace trafikon::tabs
