// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/settings.h"

#include <sys/stat.h>

#include <cerrno>

#include "engine/visit_tally.h"
#include "import/log_source.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon {

std::string LanguageCodeOf(const std::string& languageText) {
    if (languageText.size() < 3)
        return languageText;
    return languageText.substr(languageText.size() - 3, 2);
}

std::string Settings::languageCode() const {
    return LanguageCodeOf(values[3]);
}

std::uint64_t Settings::expansionLimit() const {
    const std::string& text = values[kExpansionLimit - 1];
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return kDefaultExpansionLimit;
    const std::uint64_t ratio = std::stoull(text);
    return ratio >= 1 ? ratio : kDefaultExpansionLimit;
}

int Settings::visitGapMinutes() const {
    const std::string& text = values[kVisitGap - 1];
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != text.npos)
        return kDefaultVisitGapMinutes;
    const int minutes = std::stoi(text);
    return minutes >= 1 && minutes <= 24 * 60 ? minutes : kDefaultVisitGapMinutes;
}

bool HasSettingsFile(const std::string& siteDir) {
    const std::string path = siteDir + std::string(kSettingsFileName);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

void LoadSettings(const std::string& siteDir, Settings& settings) {
    settings.values.fill(std::string());
    // Only a file that is not there gives the defaults; one that exists but
    // cannot be read is reported rather than silently replaced at the next save.
    if (!HasSettingsFile(siteDir)) {
        settings[3] = "40";
        settings[4] = "fr";
        return;
    }
    const Lines lines = ReadTextLines(siteDir + std::string(kSettingsFileName));
    for (std::size_t i = 0; i < settings.values.size() && i < lines.size(); ++i)
        settings.values[i] = lines[i];
}

void SaveSettings(const std::string& siteDir, const std::string& programDir,
                  const Settings& settings) {
    SaveSiteSettings(siteDir, settings);
    const Lines lines(settings.values.begin(), settings.values.end());
    WriteTextLines(programDir + "conf.tfd", lines);
}

void SaveSiteSettings(const std::string& siteDir, const Settings& settings) {
    const Lines lines(settings.values.begin(), settings.values.end());
    WriteTextLines(siteDir + std::string(kSettingsFileName), lines);
}

}  // namespace trafikon
