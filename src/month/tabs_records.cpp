// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/tabs_records.h"

#include "month/month_results.h"
#include "month/whole_line_reader.h"
#include "store/result_records.h"

namespace trafikon::tabs {

std::string_view LastAccessText(std::string_view stamp) {
    if (stamp.empty())
        return {};
    std::string_view body = stamp.substr(1);
    // The blank that separates the time from its zone ("+0100" or "-0500").
    std::size_t blank = body.rfind(' ');
    if (blank == std::string_view::npos) {
        if (!body.empty() && body.back() == ']')
            body.remove_suffix(1);
        return body;
    }
    return body.substr(0, blank + 1);
}

std::string_view NameAt(const LineTable& table, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= table.size())
        return {};
    return ReadField(table[static_cast<std::size_t>(index)], CountedField::kKey);
}

NameCount ReadNameCount(std::string_view line) {
    NameCount row;
    row.name = ReadField(line, CountedField::kKey);
    row.countText = ReadField(line, CountedField::kHits);
    row.count = ParseSignedDecimal(row.countText).value_or(0);
    return row;
}

std::vector<NameCount> ReadNameCounts(const LineTable& table) {
    std::vector<NameCount> rows;
    rows.reserve(table.size());
    for (std::string_view line : table)
        rows.push_back(ReadNameCount(line));
    return rows;
}

NameListResult NamesOf(std::string_view ids, const LineTable& table) {
    NameListResult result;
    ForEachId(ids, [&](long long n) {
        if (n < 0 || static_cast<unsigned long long>(n) >= table.size())
            ++result.missing;
        else
            result.names.push_back(
                ReadField(table[static_cast<std::size_t>(n)], CountedField::kKey));
    });
    return result;
}

PageDetail ReadPageDetail(std::string_view line, const LineTable& fileTable,
                          const MonthResults* month) {
    PageDetail d;
    d.found = true;
    d.key = ReadField(line, PageField::kKey);
    d.hits = ReadField(line, PageField::kHits);
    d.logLineIds = ReadField(line, PageField::kLogLines);
    d.logLineCount = IdListSize(d.logLineIds);
    const std::string_view files = ReadField(line, PageField::kFiles);
    NameListResult pages =
        NamesOf(month ? month->IdListText(files) : std::string(files), fileTable);
    d.pages = std::move(pages.names);
    d.missing = pages.missing;
    d.lastAccess = LastAccessText(ReadField(line, PageField::kLastTime));
    return d;
}

PageDetail ReadPageDetail(const LineTable& table, std::size_t row, const LineTable& fileTable,
                          const MonthResults* month) {
    if (!month || !month->TailsOf(table))
        return ReadPageDetail(table[row], fileTable, month);
    WholeLineReader reader(*month, table);
    auto whole = std::make_shared<const std::string>(reader.Line(row));
    PageDetail d = ReadPageDetail(*whole, fileTable, month);
    d.wholeLine = std::move(whole);
    return d;
}

const LineTable& TableOrEmpty(const LineTable* table) {
    static const LineTable empty;
    return table ? *table : empty;
}

}  // namespace trafikon::tabs
