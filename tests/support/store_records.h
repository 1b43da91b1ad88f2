// SPDX-License-Identifier: GPL-3.0-or-later
// Store records built and read the short way, for tests, fuzz targets and
// benchmarks that make or check store files; the program itself writes them
// through the engine's writers.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "store/month_stats.h"
#include "store/tagged_record.h"

namespace trafikon {

// The record line of fields 1..n of `values` (values[i - 1] is field i), with
// its closing tag n+1.
std::string BuildRecord(const RecordValues& values, int n);

// Appends n followed by "-" (the list must already hold its leading "-").
void IdListAppend(std::string& list, long long n);
// True when the list holds "-n-".
bool IdListContains(std::string_view list, long long n);

// Writes the 28 lines of `stats` to `path`.
void WriteMonthStatsFile(const std::string& path, const MonthStats& stats);

// The day and time stamp of a t value (AppendDayTimeStamp) as a string.
std::string DayTimeStamp(std::string_view t);

}  // namespace trafikon
