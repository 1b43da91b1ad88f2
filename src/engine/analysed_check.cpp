#include "engine/analysed_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/text_file.h"

namespace trafikon {

std::string LogDateTimeText(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path);
    struct tm local;
    if (!::localtime_r(&st.st_mtime, &local))
        ThrowErrno(path);
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, n);
}

bool IsMonthAnalysed(const std::string& siteDir, const std::string& monthKey) {
    const Lines lines = ReadTextLinesIfExists(siteDir + MonthStatsFileName(monthKey));
    if (lines.empty())
        return false;
    return lines.front() == std::string(MonthStatsKeys()[kStatDate]) + "=" +
                                LogDateTimeText(siteDir + LogFileName(monthKey));
}

std::vector<std::string> MonthsToAnalyse(const std::string& siteDir,
                                         const std::vector<std::string>& storedMonths,
                                         bool allMonths) {
    std::vector<std::string> months;
    for (const auto& key : storedMonths)
        if (allMonths || !IsMonthAnalysed(siteDir, key))
            months.push_back(key);
    return months;
}

}  // namespace trafikon
