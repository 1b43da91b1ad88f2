// Reading helpers shared by the files, hosts, status and referrer tabs of the
// analysis window: field views into tagged records, index lists, counts and
// the last-access text. Everything works on views into the month's tables,
// so a detail allocates only its result vectors.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon::tabs {

// A language entry by absolute number (the window's texts).
using TextLookup = std::function<const std::string&(int)>;

// Value of field i (1-based) of a tagged record (the store's ReadField).
std::string_view Field(std::string_view line, int i);

// Calls f(n) for every entry of an index list ("-12-40-") in order. Entries
// that are not plain decimal numbers are skipped.
template <class F>
void ForEachId(std::string_view list, F&& f) {
    std::size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && list[i] == '-')
            ++i;
        std::size_t start = i;
        long long value = 0;
        bool ok = true;
        while (i < list.size() && list[i] != '-') {
            char c = list[i];
            if (c < '0' || c > '9' || value > (INT64_MAX - 9) / 10)
                ok = false;
            else
                value = value * 10 + (c - '0');
            ++i;
        }
        if (ok && i > start)
            f(value);
    }
}

std::vector<long long> ParseIds(std::string_view list);
std::size_t CountIds(std::string_view list);

// A count as stored: decimal digits, optionally signed. Anything else gives
// `fallback` (a damaged record must not stop the window).
long long ParseCount(std::string_view text, long long fallback = 0);
// True when `text` is a decimal integer (optional sign, at least one digit).
bool IsInteger(std::string_view text);

// "[dd/Mon/yyyy:hh:mm:ss +zzzz]" shown as "dd/Mon/yyyy:hh:mm:ss ": from the
// second character up to and including the blank before the time zone.
std::string_view LastAccessText(std::string_view stamp);

// Field 1 of line `index` of `table`, or empty when the index is out of range.
std::string_view NameAt(const std::vector<std::string>& table, long long index);

// Case-sensitive substring test; an empty filter keeps everything.
inline bool Matches(std::string_view name, std::string_view filter) {
    return filter.empty() || name.find(filter) != std::string_view::npos;
}

// One row of a two-column list (name, count), read once from its record.
struct NameCount {
    std::string_view name;       // field 1
    std::string_view countText;  // field 2, shown as stored
    long long count = 0;         // field 2 as a number, for sorting and thresholds
};

// Reads field 1 and field 2 of every line of a table.
std::vector<NameCount> ReadNameCounts(const std::vector<std::string>& table);

// Each referenced name and the total: positions that fall outside the table
// are counted in `missing` and give no entry.
struct NameListResult {
    std::vector<std::string_view> names;
    std::size_t missing = 0;
};
NameListResult NamesOf(std::string_view ids, const std::vector<std::string>& table);

// The result tables of the loaded month that the details read, each the lines
// of one result file in file order. Unset tables read as empty.
struct TabTables {
    const std::vector<std::string>* files = nullptr;              // lfp-
    const std::vector<std::string>* hosts = nullptr;              // hos-
    const std::vector<std::string>* externalQueries = nullptr;    // ori-
    const std::vector<std::string>* internalQueries = nullptr;    // oit-
    const std::vector<std::string>* externalReferrers = nullptr;  // mot-
    const std::vector<std::string>* internalReferrers = nullptr;  // mit-
    const std::vector<std::string>* status = nullptr;             // ret-
};

// The table behind a pointer, or an empty one.
const std::vector<std::string>& TableOrEmpty(const std::vector<std::string>* table);

// Decimal text of a number, appended to a label.
std::string Decimal(long long n);

}  // namespace trafikon::tabs
