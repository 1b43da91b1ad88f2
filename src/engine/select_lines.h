// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis of a selection: the lines of the stored months that a period
// and conditions keep, copied into a folder of their own with the month
// layout (log-K.log and format-K.tfd, K the month of the period's start) and
// analysed there by the same engine as a month. The copy is what the result
// files' line numbers point into, so every window reads a selection as it
// reads a month, and deleting or importing months later changes no selection
// until it is run again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/analyse_log.h"
#include "engine/line_condition.h"
#include "engine/line_filter.h"

namespace trafikon {

// Written into a selection's folder: its period's two times (line_filter.h).
inline constexpr std::string_view kSelectionMarkerFileName = "selection.tfd";

struct Selection {
    SelectionPeriod period;
    std::vector<LineCondition> conditions;
};

struct SelectionResult {
    std::string key;              // the month key of the selection's files
    std::uint64_t linesRead = 0;  // lines of the stored months read
    std::uint64_t linesKept = 0;  // lines that the selection keeps
    AnalysisResult analysis;      // of the kept lines; not run when none is kept
};

// Runs `selection` over the stored months of `siteDir` into `outDir` (made
// when missing; never the site folder itself, nor a folder with stored months
// that holds no selection). With no line kept, the
// folder's earlier analysis is removed and nothing is analysed. The months of
// the period must share one field format. Throws IoError (a file, a format
// that differs, the site folder as `outDir`), StoreBusy.
SelectionResult RunSelection(const std::string& siteDir, const Selection& selection,
                             const std::string& outDir, const std::string& siteUrl,
                             AnalysisObserver& observer, const std::string& countryDatabase = {});

// The month key of the selection in `folder`: that of its one stored log;
// empty when it holds none.
std::string SelectionKey(const std::string& folder);

}  // namespace trafikon
