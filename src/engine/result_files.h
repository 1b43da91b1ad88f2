// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the results of a month's analysis: the nine result files (status,
// hosts, browsers, files, external pages and queries, internal pages and
// queries, the empty fls- file) and then the monthly statistics file.
#pragma once

#include <string>
#include <string_view>

#include "engine/month_analysis.h"
#include "store/month_stats.h"

namespace trafikon {

// Kind of a path as the monthly statistics count it: extension found by an
// unlimited scan back to the first "." or "/", compared case-sensitively.
enum class StatsKind { kPage, kImage, kArchive };
StatsKind StatsKindOfPath(std::string_view path);

// Writes the ten files of `monthKey` into `siteDir` (ending in '/').
// Every file is first written whole under a temporary name; the earlier monthly file is removed
// before the first one is renamed into place and the new one comes last, so an interrupted write
// leaves the month marked as not analysed. Throws IoError.
// The files of `extra`, when given, are written beside them and renamed before the monthly file.
class ExtraAnalysis;
void WriteMonthFiles(const MonthAnalysis& analysis, const std::string& siteDir,
                     const std::string& monthKey, const std::string& logDateText,
                     const ExtraAnalysis* extra = nullptr);

}  // namespace trafikon
