// Rows of the monthly synthesis table: one per stored month, newest first,
// with the month's totals exactly as the monthly statistics file holds them.
#pragma once

#include <string>
#include <vector>

namespace trafikon {

struct SynthesisRow {
    std::string key;                 // month key, the row caption
    std::vector<std::string> cells;  // up to ten cells after the caption
};

// Number of value columns after the month key.
constexpr int kSynthesisValueColumns = 10;

// The row of one month: the values of lines 2, 3, 4, 5, 6, 8, 9, 10, 11 and 17
// of `siteDir` + "mon-<key>.tfd" without their first five characters, or the
// single cell "*" when the file does not exist. Throws IoError when the file
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
