// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the shared name/count lists from the tab logic's views.
#pragma once

#include <string_view>
#include <vector>

#include "month/tabs_records.h"
#include "views/analysis/name_count_model.h"

namespace trafikon {

// One row per table row: name, count as stored and as a number, table position.
std::vector<NameCountRow> TableRows(const std::vector<int>& rows,
                                    const std::vector<tabs::NameCount>& entries);
// One-column rows (names only), positions 0, 1, 2... in list order.
std::vector<NameCountRow> NameRows(const std::vector<std::string_view>& names);

}  // namespace trafikon
