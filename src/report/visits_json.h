// SPDX-License-Identifier: GPL-3.0-or-later
// The "visits" part of the month's JSON document.
#pragma once

#include <string>

#include "month/month_extras.h"
#include "report/json_text.h"

namespace trafikon::report {

// Writes the key "visits": null for a month analysed by an earlier version.
void WriteVisitsJson(JsonOut& j, const std::string& key, const MonthExtras& extras);

}  // namespace trafikon::report
