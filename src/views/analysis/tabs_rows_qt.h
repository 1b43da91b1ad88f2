// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the shared name/count lists from the tab logic's views.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "month/tabs_records.h"
#include "views/analysis/name_count_model.h"

namespace trafikon {

// One row per table row: name, count as stored and as a number, table position,
// and the place `placeOf(position)` gives when there is one. The names and
// counts are the views of the entries, not copies: the rows must be replaced
// before the month's tables are loaded again.
NameCountTable TableRows(const std::vector<int>& rows, const std::vector<tabs::NameCount>& entries,
                         const std::function<std::string_view(long long)>& placeOf = {});
// The same with each row's entry given by `entryOf(row)`, for every row in `rows`.
NameCountTable TableRows(const std::vector<int>& rows,
                         const std::function<tabs::NameCount(int)>& entryOf,
                         const std::function<std::string_view(long long)>& placeOf = {});
// One-column rows (names only), positions 0, 1, 2... in list order.
NameCountTable NameRows(const std::vector<std::string_view>& names);

}  // namespace trafikon
