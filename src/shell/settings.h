// The thirteen settings lines and their file param.tfd (with its copy conf.tfd).
//
// Setting 1 is the site's address, 2 "Retour On"/"Retour Off", 3 the minimum
// number of requests for a host to be listed, 4 the interface language as the
// text of a language list entry ("English (en)"); 5 to 13 are kept unchanged.
#pragma once

#include <array>
#include <string>

namespace trafikon {

struct Settings {
    static constexpr int kCount = 13;
    std::array<std::string, kCount> values;  // settings 1..13 at index 0..12

    std::string& operator[](int number) { return values.at(number - 1); }  // 1-based
    const std::string& operator[](int number) const { return values.at(number - 1); }

    const std::string& siteUrl() const { return values[0]; }
    bool showAllStatusCodes() const { return values[1] == "Retour On"; }
    const std::string& hostThresholdText() const { return values[2]; }
    // Setting 5: the folder of the last log file picked (local file name bytes).
    static constexpr int kLastLogFolder = 5;
    const std::string& lastLogFolder() const { return values[kLastLogFolder - 1]; }
    // The two characters before the last one of setting 4 ("English (en)" gives
    // "en"); a text of fewer than three characters is the code itself ("fr").
    std::string languageCode() const;
};

// The code held in a language setting or list entry text, by the rule above.
std::string LanguageCodeOf(const std::string& languageText);

// Fills settings from siteDir + "param.tfd" (its first thirteen lines; missing
// lines read empty), or, when the file is missing, all empty but setting 3
// "40" and setting 4 "fr". Throws IoError when the file exists but cannot be read.
void LoadSettings(const std::string& siteDir, Settings& settings);
// Writes siteDir + "param.tfd", then programDir + "conf.tfd", each replaced
// whole through a temporary file. Throws IoError.
void SaveSettings(const std::string& siteDir, const std::string& programDir,
                  const Settings& settings);

}  // namespace trafikon
