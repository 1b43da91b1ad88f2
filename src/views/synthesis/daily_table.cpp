#include "views/synthesis/daily_table.h"

#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon {

std::vector<std::string> ParseDayValues(std::string_view line) {
    std::vector<std::string> values;
    // Key (four letters), "=" and the list's leading "-".
    if (line.size() <= 6)
        return values;
    std::string_view rest = line.substr(6);
    while (!rest.empty() && values.size() < static_cast<std::size_t>(kDailyRows)) {
        const std::size_t dash = rest.find('-');
        if (dash == std::string_view::npos) {
            values.emplace_back(rest);
            break;
        }
        values.emplace_back(rest.substr(0, dash));
        rest.remove_prefix(dash + 1);
    }
    return values;
}

std::string ReadStatsLine(const std::string& path, int line) {
    LineReader reader(path);
    std::string_view text;
    for (int i = 1; i <= line; ++i) {
        if (!reader.Next(text))
            return {};
    }
    return std::string(text);
}

DailyTableContent ShowDailyValues(const std::string& siteDir,
                                  const std::vector<std::string>& monthsNewestFirst, int selected,
                                  DailyMeasure measure) {
    DailyTableContent content;
    if (selected < 0 || static_cast<std::size_t>(selected) >= monthsNewestFirst.size())
        return content;
    std::size_t j = static_cast<std::size_t>(selected);
    for (int c = 0; c < kDailyColumns && j < monthsNewestFirst.size(); ++c, ++j) {
        const std::string& key = monthsNewestFirst[j];
        content.captions[c] = key;
        const std::string path = siteDir + MonthStatsFileName(key);
        if (!FileExists(path))
            continue;
        const std::vector<std::string> values =
            ParseDayValues(ReadStatsLine(path, static_cast<int>(measure)));
        for (std::size_t d = 0; d < values.size(); ++d)
            content.cells[d][c] = values[d];
    }
    return content;
}

}  // namespace trafikon
