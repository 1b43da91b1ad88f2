// SPDX-License-Identifier: GPL-3.0-or-later
// Paths of the files of one stored month in the site folder, as the import
// writes them.
#pragma once

#include <string>
#include <string_view>

#include "store/data_store.h"

namespace trafikon {

// `siteDir` with exactly one "/" after it.
inline std::string SiteFolderPrefix(std::string_view siteDir) {
    std::string prefix(siteDir);
    if (prefix.empty() || prefix.back() != '/')
        prefix.push_back('/');
    return prefix;
}

inline std::string StoredLogPath(std::string_view siteDir, std::string_view key) {
    return SiteFolderPrefix(siteDir) + LogFileName(key);
}
inline std::string StoredTimePath(std::string_view siteDir, std::string_view key) {
    return SiteFolderPrefix(siteDir) + TimeFileName(key);
}
inline std::string MonthFormatPath(std::string_view siteDir, std::string_view key) {
    return SiteFolderPrefix(siteDir) + FormatFileName(key);
}
inline std::string ImportJournalPath(std::string_view siteDir) {
    return SiteFolderPrefix(siteDir) + std::string(kImportJournalFileName);
}

}  // namespace trafikon
