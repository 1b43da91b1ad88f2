#include "views/analysis/tabs_records.h"

#include <charconv>

#include "store/tagged_record.h"

namespace trafikon::tabs {

std::string_view Field(std::string_view line, int i) {
    return ReadField(line, i);
}

std::vector<long long> ParseIds(std::string_view list) {
    std::vector<long long> ids;
    ForEachId(list, [&](long long n) { ids.push_back(n); });
    return ids;
}

std::size_t CountIds(std::string_view list) {
    std::size_t n = 0;
    ForEachId(list, [&](long long) { ++n; });
    return n;
}

bool IsInteger(std::string_view text) {
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

long long ParseCount(std::string_view text, long long fallback) {
    if (!IsInteger(text))
        return fallback;
    if (text[0] == '+')
        text.remove_prefix(1);
    long long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return fallback;
    return value;
}

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

std::string_view NameAt(const std::vector<std::string>& table, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= table.size())
        return {};
    return Field(table[static_cast<std::size_t>(index)], 1);
}

std::vector<NameCount> ReadNameCounts(const std::vector<std::string>& table) {
    std::vector<NameCount> rows;
    rows.reserve(table.size());
    for (const std::string& line : table) {
        NameCount row;
        row.name = Field(line, 1);
        row.countText = Field(line, 2);
        row.count = ParseCount(row.countText);
        rows.push_back(row);
    }
    return rows;
}

NameListResult NamesOf(std::string_view ids, const std::vector<std::string>& table) {
    NameListResult result;
    ForEachId(ids, [&](long long n) {
        if (n < 0 || static_cast<unsigned long long>(n) >= table.size())
            ++result.missing;
        else
            result.names.push_back(Field(table[static_cast<std::size_t>(n)], 1));
    });
    return result;
}

const std::vector<std::string>& TableOrEmpty(const std::vector<std::string>* table) {
    static const std::vector<std::string> empty;
    return table ? *table : empty;
}

std::string Decimal(long long n) {
    return std::to_string(n);
}

}  // namespace trafikon::tabs
