// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/analysed_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "engine/line_exclusions.h"
#include "engine/robot_signatures.h"
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

namespace {

constexpr const char* kSizeTag = "Size=";
constexpr const char* kModifiedTag = "Modified=";

std::string ModifiedText(const LogVersion& v) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%09lld", static_cast<long long>(v.seconds),
                  static_cast<long long>(v.nanoseconds));
    return text;
}

}  // namespace

std::optional<LogVersion> StoredLogVersion(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowErrno(path);
    }
    LogVersion v;
    v.device = static_cast<std::uint64_t>(st.st_dev);
    v.inode = static_cast<std::uint64_t>(st.st_ino);
    v.size = static_cast<std::int64_t>(st.st_size);
    v.seconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    v.nanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return v;
}

void WriteAnalysedVersion(const std::string& siteDir, const std::string& monthKey,
                          const LogVersion& analysed) {
    WriteTextLines(
        siteDir + AnalysedLogFileName(monthKey),
        {kSizeTag + std::to_string(analysed.size), kModifiedTag + ModifiedText(analysed)});
}

bool IsMonthAnalysed(const std::string& siteDir, const std::string& monthKey) {
    const std::string monthly = siteDir + MonthStatsFileName(monthKey);
    const Lines lines = ReadTextLinesIfExists(monthly);
    if (lines.empty())
        return false;
    const std::string logPath = siteDir + LogFileName(monthKey);
    if (lines.front() != std::string(MonthStatsKeys()[kStatDate]) + "=" + LogDateTimeText(logPath))
        return false;
    const Lines analysed = ReadTextLinesIfExists(siteDir + AnalysedLogFileName(monthKey));
    // Exclusions set or changed after the analysis call for another.
    if (ExclusionsChangedSince(siteDir, ProgramDirOfSite(siteDir),
                               siteDir + (analysed.empty() ? MonthStatsFileName(monthKey)
                                                           : AnalysedLogFileName(monthKey))))
        return false;
    if (analysed.empty())
        return true;  // analysed by a version that kept no companion
    const std::optional<LogVersion> now = StoredLogVersion(logPath);
    return now && analysed.size() >= 2 && analysed[0] == kSizeTag + std::to_string(now->size) &&
           analysed[1] == kModifiedTag + ModifiedText(*now);
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
