// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/referrer_list.h"

#include "store/result_records.h"
#include "text/analysis_entries.h"

namespace trafikon::tabs {

namespace entry = lang::analysis;

namespace {

// The referrer position a query names in field 2, when it is written as plain
// decimal text ("12", never "012"), which is the only form that matches the
// text key "\2;<position>\3;" of its page.
long long CanonicalPosition(std::string_view text) {
    if (text.empty() || text.size() > 18)
        return -1;
    if (text.size() > 1 && text[0] == '0')
        return -1;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

void ReferrerList::Load(const LineTable& referrerTable, const LineTable& queryTable) {
    referrers_ = &referrerTable;
    queries_ = &queryTable;
    // Counted, then placed: two small arrays instead of a list a row.
    const auto rowOf = [&](std::size_t q) {
        const long long p = CanonicalPosition(ReadField(queryTable[q], QueryField::kFirstFile));
        return p >= 0 && static_cast<unsigned long long>(p) < referrerTable.size() ? p : -1;
    };
    queryStarts_.assign(referrerTable.size() + 1, 0);
    for (std::size_t q = 0; q < queryTable.size(); ++q)
        if (const long long p = rowOf(q); p >= 0)
            ++queryStarts_[static_cast<std::size_t>(p) + 1];
    for (std::size_t r = 1; r < queryStarts_.size(); ++r)
        queryStarts_[r] += queryStarts_[r - 1];
    queryIds_.assign(queryStarts_.back(), 0);
    std::vector<std::uint32_t> next(queryStarts_.begin(), queryStarts_.end() - 1);
    for (std::size_t q = 0; q < queryTable.size(); ++q)
        if (const long long p = rowOf(q); p >= 0)
            queryIds_[next[static_cast<std::size_t>(p)]++] = static_cast<int>(q);
}

void ReferrerList::Clear() {
    referrers_ = nullptr;
    queries_ = nullptr;
    queryStarts_.clear();
    queryIds_.clear();
}

std::vector<NameCount> ReferrerList::entries() const {
    return referrers_ ? ReadNameCounts(*referrers_) : std::vector<NameCount>{};
}

std::vector<int> ReferrerList::Rows(std::string_view filter) const {
    std::vector<int> out;
    const std::size_t n = referrers_ ? referrers_->size() : 0;
    for (std::size_t i = 0; i < n; ++i)
        if (Matches(ReadNameCount((*referrers_)[i]).name, filter))
            out.push_back(static_cast<int>(i));
    return out;
}

std::vector<int> ReferrerList::QueriesOf(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) + 1 >= queryStarts_.size())
        return {};
    const std::size_t r = static_cast<std::size_t>(row);
    return {queryIds_.begin() + queryStarts_[r], queryIds_.begin() + queryStarts_[r + 1]};
}

ReferrerDetail ReferrerList::Detail(int row, const LineTable& fileTable,
                                    const MonthResults* month) const {
    ReferrerDetail d;
    if (!referrers_ || row < 0 || static_cast<std::size_t>(row) >= referrers_->size())
        return d;
    static_cast<PageDetail&>(d) =
        ReadPageDetail(*referrers_, static_cast<std::size_t>(row), fileTable, month);
    for (int q : QueriesOf(row)) {
        if (static_cast<std::size_t>(q) >= queries_->size())
            continue;  // the table was replaced after the grouping
        std::string_view query = (*queries_)[static_cast<std::size_t>(q)];
        d.queries.push_back(
            {ReadField(query, QueryField::kText), ReadField(query, QueryField::kReferrer)});
    }
    return d;
}

std::string ReferrerCountLabel(std::size_t rows, bool external, const TextLookup& texts) {
    return std::to_string(rows) + " " +
           texts(external ? entry::kExternalReferrersCount : entry::kInternalReferrersCount);
}

std::string ReferrerPagesSwitch(std::size_t pages, const TextLookup& texts) {
    return texts(entry::kPagesSwitch) + " (" + std::to_string(pages) + ")";
}

std::string ReferrerQueriesSwitch(std::size_t queries, const TextLookup& texts) {
    return texts(entry::kQueriesSwitch) + " (" + std::to_string(queries) + ")";
}

ReferrerDetailTexts ReferrerDetailLabels(const ReferrerDetail& d, bool external,
                                         const TextLookup& texts) {
    ReferrerDetailTexts t;
    t.title = texts(external ? entry::kExternalReferrerTitle : entry::kInternalReferrerTitle) +
              std::string(d.key);
    if (external) {
        t.line1 = texts(entry::kAccessCountColon) + std::to_string(d.logLineCount);
        t.line2 = texts(entry::kDifferentSearches) + std::to_string(d.queries.size());
        t.line3 = texts(entry::kLastAccessDateColon) + std::string(d.lastAccess);
    }
    t.pagesSwitch = ReferrerPagesSwitch(d.pages.size(), texts);
    t.queriesSwitch = ReferrerQueriesSwitch(d.queries.size(), texts);
    return t;
}

}  // namespace trafikon::tabs
