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

bool IsProgramWideSetting(int number) {
    return number == 4 || number == Settings::kLastLogFolder || number == Settings::kExpansionLimit;
}

bool HasSettingsFile(const std::string& siteDir) {
    const std::string path = siteDir + std::string(kSettingsFileName);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

Settings DefaultSettings() {
    Settings settings;
    settings[3] = "40";
    settings[4] = "fr";
    return settings;
}

void LoadSettings(const std::string& siteDir, Settings& settings) {
    // Only a file that is not there gives the defaults; one that exists but
    // cannot be read is reported rather than silently replaced at the next save.
    if (!HasSettingsFile(siteDir)) {
        settings = DefaultSettings();
        return;
    }
    settings.values.fill(std::string());
    const Lines lines = ReadTextLines(siteDir + std::string(kSettingsFileName));
    for (std::size_t i = 0; i < settings.values.size() && i < lines.size(); ++i)
        settings.values[i] = lines[i];
}

namespace {

void WriteSettingsFile(const std::string& path, const Settings& settings) {
    WriteTextLines(path, Lines(settings.values.begin(), settings.values.end()));
}

void TakeProgramWideValues(const Settings& from, Settings& to) {
    for (int number = 1; number <= Settings::kCount; ++number)
        if (IsProgramWideSetting(number))
            to[number] = from[number];
}

}  // namespace

void SaveSettings(const std::string& siteDir, const std::string& programDir,
                  const Settings& settings) {
    WriteSettingsFile(siteDir + std::string(kSettingsFileName), settings);
    WriteSettingsFile(programDir + "conf.tfd", settings);
}

void LoadSiteSettings(const std::string& programDir, int site, Settings& settings) {
    Settings loaded;
    LoadSettings(SiteDir(programDir, site), loaded);
    if (site != kSiteNumber) {
        Settings first;
        LoadSettings(SiteDir(programDir, kSiteNumber), first);
        TakeProgramWideValues(first, loaded);
    }
    settings = std::move(loaded);
}

void SaveSiteSettings(const std::string& programDir, int site, const Settings& settings) {
    if (site == kSiteNumber) {
        SaveSettings(SiteDir(programDir, site), programDir, settings);
        return;
    }
    Settings first;
    LoadSettings(SiteDir(programDir, kSiteNumber), first);
    TakeProgramWideValues(settings, first);
    SaveSiteSettings(SiteDir(programDir, site), settings);
    SaveSettings(SiteDir(programDir, kSiteNumber), programDir, first);
}

void SaveSiteSettings(const std::string& siteDir, const Settings& settings) {
    WriteSettingsFile(siteDir + std::string(kSettingsFileName), settings);
}

}  // namespace trafikon
