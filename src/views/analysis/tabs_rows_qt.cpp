// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_rows_qt.h"

namespace trafikon {

std::vector<NameCountRow> TableRows(const std::vector<int>& rows,
                                    const std::vector<tabs::NameCount>& entries) {
    std::vector<NameCountRow> out;
    out.reserve(rows.size());
    for (int r : rows) {
        if (r < 0 || static_cast<std::size_t>(r) >= entries.size())
            continue;
        const tabs::NameCount& e = entries[static_cast<std::size_t>(r)];
        out.push_back({std::string(e.name), std::string(e.countText), e.count, r});
    }
    return out;
}

std::vector<NameCountRow> NameRows(const std::vector<std::string_view>& names) {
    std::vector<NameCountRow> out;
    out.reserve(names.size());
    long long i = 0;
    for (std::string_view n : names)
        out.push_back({std::string(n), std::string(), 0, i++});
    return out;
}

}  // namespace trafikon
