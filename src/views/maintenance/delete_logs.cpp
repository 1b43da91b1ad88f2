// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/maintenance/delete_logs.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include "store/data_store.h"
#include "store/store_lock.h"

namespace trafikon {

bool MatchesMonthPattern(std::string_view name, std::string_view key) {
    if (key.empty() || key.find('/') != std::string_view::npos)
        return false;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size())
        return false;
    const std::string_view stem = name.substr(0, dot);
    if (stem.size() < key.size() || stem.substr(stem.size() - key.size()) != key)
        return false;
    // Every file of a month is the key alone or a prefix of letters and "-"
    // before it ("lfp-", "format-"): a key that merely ends like a longer name
    // ("05", "12004-05") never reaches another month's files.
    const std::string_view before = stem.substr(0, stem.size() - key.size());
    if (before.empty())
        return true;
    if (before.size() < 2 || before.back() != '-')
        return false;
    for (char c : before.substr(0, before.size() - 1)) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

bool IsSiteWideFile(std::string_view name) {
    return name == kLastFormatFileName || name == kSettingsFileName || name == kStoreLockFileName;
}

namespace {

// Names of the plain files (and links) of the folder, sorted so that runs are
// repeatable. Sub-folders and other entries are left alone.
std::vector<std::string> ListFiles(const std::string& dir) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.c_str()), closedir);
    if (!d)
        return names;
    while (dirent* e = readdir(d.get())) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st {};
        if (lstat((dir + name).c_str(), &st) != 0)
            continue;
        if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

DeleteReport DeleteWhere(const std::string& siteDir,
                         const std::function<bool(const std::string&)>& wanted, RemoveFile remove) {
    const StoreWriteLock lock(siteDir);
    DeleteReport report;
    // The monthly statistics go first: a month whose deletion stops half way
    // no longer looks analysed. A month whose statistics stay keeps all its
    // files, so that it is never shown as analysed with results missing.
    std::vector<std::string> names = ListFiles(siteDir);
    std::stable_partition(names.begin(), names.end(), [](const std::string& name) {
        return name.starts_with(kMonthStatsPrefix);
    });
    std::vector<std::string> keptMonths;
    for (const std::string& name : names) {
        if (IsSiteWideFile(name) || !wanted(name))
            continue;
        if (std::any_of(keptMonths.begin(), keptMonths.end(),
                        [&](const std::string& key) { return MatchesMonthPattern(name, key); }))
            continue;
        const std::string path = siteDir + name;
        if (remove(path.c_str()) == 0) {
            report.deleted.push_back(name);
            continue;
        }
        report.failures.push_back({path, std::strerror(errno)});
        if (name.starts_with(kMonthStatsPrefix) && name.ends_with(".tfd"))
            keptMonths.push_back(
                name.substr(kMonthStatsPrefix.size(), name.size() - kMonthStatsPrefix.size() - 4));
    }
    return report;
}

}  // namespace

DeleteReport DeleteAnalysis(const std::string& siteDir, const std::string& key, RemoveFile remove) {
    const std::string log = LogFileName(key);
    const std::string format = FormatFileName(key);
    return DeleteWhere(
        siteDir,
        [&](const std::string& name) {
            return MatchesMonthPattern(name, key) && name != log && name != format;
        },
        remove ? remove : &::unlink);
}

DeleteReport DeleteAnalysisAndLog(const std::string& siteDir, const std::string& key) {
    return DeleteWhere(
        siteDir, [&](const std::string& name) { return MatchesMonthPattern(name, key); },
        &::unlink);
}

DeleteReport DeleteEverything(const std::string& siteDir) {
    return DeleteWhere(
        siteDir, [](const std::string&) { return true; }, &::unlink);
}

}  // namespace trafikon
