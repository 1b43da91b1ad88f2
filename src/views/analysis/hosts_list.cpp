// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/hosts_list.h"

#include "text/analysis_entries.h"

namespace trafikon::tabs {

namespace entry = lang::analysis;

long long HostMinimum(std::string_view settingText) {
    return ParseSignedDecimal(settingText).value_or(kDefaultHostMinimum);
}

void HostsList::Load(const LineTable& table) {
    table_ = &table;
}

void HostsList::Clear() {
    table_ = nullptr;
}

std::vector<NameCount> HostsList::entries() const {
    return table_ ? ReadNameCounts(*table_) : std::vector<NameCount>{};
}

std::vector<int> HostsList::Rows(std::string_view filter, long long minimum) const {
    std::vector<int> out;
    const std::size_t n = table_ ? table_->size() : 0;
    for (std::size_t i = 0; i < n; ++i) {
        const NameCount row = ReadNameCount((*table_)[i]);
        if (row.count > minimum && Matches(row.name, filter))
            out.push_back(static_cast<int>(i));
    }
    return out;
}

HostDetail HostsList::Detail(int row, const LineTable& fileTable, const MonthResults* month) const {
    HostDetail d;
    if (!table_ || row < 0 || static_cast<std::size_t>(row) >= table_->size())
        return d;
    return ReadPageDetail(*table_, static_cast<std::size_t>(row), fileTable, month);
}

std::string HostCountLabel(std::size_t rows, const TextLookup& texts) {
    return std::to_string(rows) + " " + texts(entry::kHostsCount);
}

HostDetailTexts HostDetailLabels(const HostDetail& d, const TextLookup& texts) {
    HostDetailTexts t;
    t.title = texts(entry::kHostTitle) + std::string(d.key);
    t.accesses = texts(entry::kAccessCount) + " : " + std::string(d.hits);
    t.lastAccess = texts(entry::kLastAccessDate) + " : " + std::string(d.lastAccess);
    t.pages = texts(entry::kDifferentPages) + std::to_string(d.pages.size());
    return t;
}

}  // namespace trafikon::tabs
