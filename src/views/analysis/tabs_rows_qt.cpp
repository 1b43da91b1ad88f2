// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_rows_qt.h"

namespace trafikon {

NameCountTable TableRows(const std::vector<int>& rows, const std::vector<tabs::NameCount>& entries,
                         const std::function<std::string_view(long long)>& placeOf) {
    NameCountTable out;
    out.reserve(rows.size());
    for (int r : rows) {
        if (r < 0 || static_cast<std::size_t>(r) >= entries.size())
            continue;
        const tabs::NameCount& e = entries[static_cast<std::size_t>(r)];
        out.AddBorrowed(e.name, e.countText, e.count, r, placeOf ? placeOf(r) : std::string_view());
    }
    return out;
}

NameCountTable TableRows(const std::vector<int>& rows,
                         const std::function<tabs::NameCount(int)>& entryOf,
                         const std::function<std::string_view(long long)>& placeOf) {
    NameCountTable out;
    out.reserve(rows.size());
    for (int r : rows) {
        const tabs::NameCount e = entryOf(r);
        out.AddBorrowed(e.name, e.countText, e.count, r, placeOf ? placeOf(r) : std::string_view());
    }
    return out;
}

NameCountTable NameRows(const std::vector<std::string_view>& names) {
    NameCountTable out;
    out.reserve(names.size());
    long long i = 0;
    for (std::string_view n : names)
        out.Add(n, {}, 0, i++);
    return out;
}

}  // namespace trafikon
