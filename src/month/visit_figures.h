// SPDX-License-Identifier: GPL-3.0-or-later
// The visit figures as the windows and the report show them, from the totals
// of the vis- file: pages per visit, durations, bounce rate.
#pragma once

#include <cstdint>
#include <string>

#include "store/visit_file.h"

namespace trafikon {

// "H:MM:SS".
std::string DurationText(std::int64_t seconds);
// One decimal, with `point` as the decimal separator ("2.4"); "0" without visits.
std::string PagesPerVisitText(const VisitTotals& t, char point = '.');
std::string AverageVisitText(const VisitTotals& t);
std::string MedianVisitText(const VisitTotals& t);
// The share of one-page visits in percent, one decimal ("41.5 %").
std::string BounceRateText(const VisitTotals& t, char point = '.');

}  // namespace trafikon
