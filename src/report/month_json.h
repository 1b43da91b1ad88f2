// SPDX-License-Identifier: GPL-3.0-or-later
// An analysed month as one JSON document for scripts and dashboards; its keys
// are described in docs/report-json.md. Keys never depend on the interface
// language; names from the log are UTF-8 strings, counts are integers, and
// every list runs whole, sorted by hits, most first.
#pragma once

#include <string>
#include <vector>

#include "report/json_text.h"

namespace trafikon::report {

// Loads month `key` of `siteDir` (ending in '/') and hands its document to
// `sink` in pieces. `site` is the site's address ("" when not set);
// `maskAddresses` cuts the hosts' addresses to their networks. Throws
// IoError when the month has no analysis; files that are damaged or missing
// are named in `problems` and their values left out or zero.
void WriteMonthJson(const std::string& siteDir, const std::string& key, const std::string& site,
                    bool maskAddresses, const JsonSink& sink, std::vector<std::string>& problems);

}  // namespace trafikon::report
