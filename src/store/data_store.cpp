// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_store.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "store/text_file.h"

namespace trafikon {
namespace {

std::string Join(std::string_view a, std::string_view key, std::string_view b) {
    std::string s;
    s.reserve(a.size() + key.size() + b.size());
    s += a;
    s += key;
    s += b;
    return s;
}

}  // namespace

std::string DataDir(const std::string& programDir) {
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    dir += "data/";
    return dir;
}

std::string SiteDir(const std::string& programDir, int site) {
    std::string dir = DataDir(programDir);
    dir += std::to_string(site);
    dir += '/';
    return dir;
}

std::string SiteDir(const std::string& programDir) {
    return SiteDir(programDir, kSiteNumber);
}

std::string LogFileName(std::string_view key) {
    return Join("log-", key, ".log");
}
std::string TimeFileName(std::string_view key) {
    return Join("log-", key, ".eur");
}
std::string FormatFileName(std::string_view key) {
    return Join("format-", key, ".tfd");
}
std::string MonthStatsFileName(std::string_view key) {
    return Join(kMonthStatsPrefix, key, ".tfd");
}
std::string ResultFileName(ResultFile file, std::string_view key) {
    return Join(kResultPrefixes[file], key, ".tfd");
}

std::string AnalysedLogFileName(std::string_view key) {
    return Join("ver-", key, ".tfd");
}

std::vector<std::string> AnalysisFileNames(std::string_view key) {
    std::vector<std::string> names;
    for (int f = 0; f < kResultFileCount; ++f)
        names.push_back(ResultFileName(static_cast<ResultFile>(f), key));
    names.push_back(MonthStatsFileName(key));
    return names;
}

std::vector<std::string> ListStoredMonths(const std::string& siteDir) {
    std::vector<std::string> keys;
    DIR* dir = opendir(siteDir.c_str());
    if (dir == nullptr) {
        if (errno == ENOENT || errno == ENOTDIR)
            return keys;
        ThrowErrno(siteDir);
    }
    constexpr std::string_view kPrefix = "log-";
    constexpr std::string_view kSuffix = ".log";
    constexpr std::size_t kKeyLength = 7;
    std::string base = siteDir;
    if (!base.empty() && base.back() != '/')
        base += '/';
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != kPrefix.size() + kKeyLength + kSuffix.size() ||
            !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
            continue;
        struct stat st;
        if (stat((base + std::string(name)).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        keys.emplace_back(name.substr(kPrefix.size(), kKeyLength));
    }
    closedir(dir);
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace trafikon
