// The thirteen settings lines and their file param.tfd (with its copy conf.tfd).
#pragma once

#include <array>
#include <string>

namespace trafikon {

struct Settings {
    std::array<std::string, 13> values;  // settings 1..13 at index 0..12

    std::string& operator[](int number) { return values.at(number - 1); }  // 1-based
    const std::string& operator[](int number) const { return values.at(number - 1); }

    const std::string& siteUrl() const { return values[0]; }
    bool showAllStatusCodes() const { return values[1] == "Retour On"; }
    const std::string& hostThresholdText() const { return values[2]; }
    std::string languageCode() const;  // the two characters before the last one ("fr" alone works)
};

// Fills settings from siteDir + "param.tfd", or the defaults of a missing file.
void LoadSettings(const std::string& siteDir, Settings& settings);
// Writes siteDir + "param.tfd", then programDir + "conf.tfd". Throws IoError.
void SaveSettings(const std::string& siteDir, const std::string& programDir,
                  const Settings& settings);

}  // namespace trafikon
