#include "engine/analysed_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

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
    const std::string monthly = siteDir + "mon-" + monthKey + ".tfd";
    const Lines lines = ReadTextLinesIfExists(monthly);
    if (lines.empty())
        return false;
    return lines.front() == "Date=" + LogDateTimeText(siteDir + "log-" + monthKey + ".log");
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
