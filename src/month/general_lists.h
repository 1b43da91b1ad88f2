// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the general and browsers tabs, built from a loaded month.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "month/month_results.h"
#include "month/name_count_row.h"
#include "store/visit_file.h"

namespace trafikon {

// Language entries of the eleven summary rows.
constexpr std::array<int, 11> kSummaryEntries{85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95};

// Day rows: one per visitors value (31 when the monthly file is complete),
// columns day number, visitors, kilobytes, pages, hits as written; a value a
// short line lacks is left empty.
std::vector<std::array<std::string, 5>> DayRows(const MonthSummary& summary);

// The first three come from the monthly file; the entry and exit pages of
// people's visits from the vis- file.
enum class TopList { Pages = 0, Hosts = 1, Engines = 2, EntryPages = 3, ExitPages = 4 };

// Rows of a top list: caption field 1 of the record at the stored position in
// the table of its kind (files, hosts, external referrers), count as stored,
// in stored order. A position beyond the table gives a row with an empty
// caption and is counted in *missing.
std::vector<NameCountRow> TopListRows(const MonthResults& month, TopList which,
                                      std::size_t* missing = nullptr);

// Rows of the entry or exit pages, in their order (most visits first).
std::vector<NameCountRow> VisitPageRows(const std::vector<VisitPage>& pages);

// Rows of a table of tagged records: caption field 1, count field 2, in table
// order (browsers; also usable for any name/count list).
std::vector<NameCountRow> RecordRows(const LineTable& table);

}  // namespace trafikon
