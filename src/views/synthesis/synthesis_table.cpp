#include "views/synthesis/synthesis_table.h"

#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon {

SynthesisRow ReadSynthesisRow(const std::string& siteDir, const std::string& key) {
    SynthesisRow row;
    row.key = key;
    const std::string path = siteDir + MonthStatsFileName(key);
    if (!FileExists(path)) {
        row.cells.push_back("*");
        return row;
    }
    // Line numbers (1-based) shown in the ten value columns, left to right.
    static constexpr int kShownLines[kSynthesisValueColumns] = {2, 3, 4, 5, 6, 8, 9, 10, 11, 17};
    LineReader reader(path);
    std::vector<std::string> lines;
    std::string_view line;
    while (lines.size() < 17 && reader.Next(line))
        lines.emplace_back(line);
    for (int number : kShownLines) {
        const std::size_t index = static_cast<std::size_t>(number - 1);
        if (index < lines.size() && lines[index].size() > 5)
            row.cells.push_back(lines[index].substr(5));
        else
            row.cells.emplace_back();
    }
    return row;
}

void AppendSynthesisRows(const std::string& siteDir, const std::vector<std::string>& months,
                         std::vector<SynthesisRow>& rows) {
    for (auto it = months.rbegin(); it != months.rend(); ++it)
        rows.push_back(ReadSynthesisRow(siteDir, *it));
}

std::string AnalysisCaption(const std::string& analyseWord, const std::string& key) {
    return analyseWord + " " + key;
}

bool MonthHasAnalysis(const std::string& siteDir, const std::string& key) {
    return FileExists(siteDir + ResultFileName(kFilesResult, key));
}

}  // namespace trafikon
