// SPDX-License-Identifier: GPL-3.0-or-later
// The thirteen settings lines and their file param.tfd (with its copy conf.tfd).
//
// Setting 1 is the site's address, 2 "Retour On"/"Retour Off", 3 the minimum
// number of requests for a host to be listed, 4 the interface language as the
// text of a language list entry ("English (en)"), 5 the country database the
// user chose (empty: the one shipped), 6 "Masque Off" to leave visitors'
// addresses whole in reports and exports (empty or anything else masks
// them); 7 the folder of the last log file picked; 8 how many times its size
// a compressed log may expand (empty: the built-in limit); 9 the longest gap
// within a visit in minutes (empty: 30); 10 to 13 are kept unchanged.
#pragma once

#include <array>
#include <cstdint>
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
    const std::string& countryDatabase() const { return values[4]; }
    bool maskAddresses() const { return values[5] != kAddressesWhole; }
    static constexpr const char* kAddressesWhole = "Masque Off";
    // Setting 7: the folder of the last log file picked (local file name bytes).
    static constexpr int kLastLogFolder = 7;
    const std::string& lastLogFolder() const { return values[kLastLogFolder - 1]; }
    // Setting 8: the expansion limit of compressed logs, a number from 1;
    // anything else gives the built-in limit.
    static constexpr int kExpansionLimit = 8;
    std::uint64_t expansionLimit() const;
    // Setting 9: the longest gap within a visit, in minutes from 1 to 1440;
    // anything else gives 30.
    static constexpr int kVisitGap = 9;
    int visitGapMinutes() const;
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
// False only when siteDir + "param.tfd" is not there at all (a store that the
// desktop program never opened, e.g. one made by trafikon-batch).
bool HasSettingsFile(const std::string& siteDir);
// Writes siteDir + "param.tfd", then programDir + "conf.tfd", each replaced
// whole through a temporary file. Throws IoError.
void SaveSettings(const std::string& siteDir, const std::string& programDir,
                  const Settings& settings);
// Writes siteDir + "param.tfd" alone (a site other than the first, whose
// settings are not the program folder's copy). Throws IoError.
void SaveSiteSettings(const std::string& siteDir, const Settings& settings);

}  // namespace trafikon
