// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the monthly synthesis table: one per stored month, newest first,
// with the month's totals exactly as the monthly statistics file holds them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/month_stats.h"

namespace trafikon {

struct SynthesisRow {
    std::string key;                 // month key, the row caption
    std::vector<std::string> cells;  // up to ten cells after the caption
    // After them: people's visits and unique visitors of the month (empty
    // for a month without its vis- file).
    std::string visits, uniqueVisitors;
};

// Lines of the monthly statistics file shown in the value columns, left to right.
inline constexpr std::array<MonthStatsLine, 10> kSynthesisLines = {
    kStatTota, kStatPage, kStatImag, kStatProg, kStatHost,
    kStatMote, kStatReOK, kStatReKO, kStatHits, kStatJour};
// Number of value columns after the month key.
constexpr int kSynthesisValueColumns = static_cast<int>(kSynthesisLines.size());

// The row of one month: the values of kSynthesisLines of its monthly
// statistics file as stored, or the single cell "*" when the file does not
// exist; its visits when the month has them. Throws IoError when the file
// exists but cannot be read.
SynthesisRow ReadSynthesisRow(const std::string& siteDir, const std::string& key);

// Appends the rows of `months` (ascending) to `rows`, newest first. On an
// unreadable statistics file it throws IoError; the rows appended until then stay.
void AppendSynthesisRows(const std::string& siteDir, const std::vector<std::string>& months,
                         std::vector<SynthesisRow>& rows);

// Caption of the analysis window of a month: `analyseWord` + " " + key.
std::string AnalysisCaption(const std::string& analyseWord, const std::string& key);

// True when the month has been analysed (its lfp- result file exists).
bool MonthHasAnalysis(const std::string& siteDir, const std::string& key);

}  // namespace trafikon
