// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/store_settings_options.h"

#include "engine/visit_tally.h"
#include "state/country_database_file.h"
#include "state/settings.h"

namespace trafikon::batch {

void TakeStoreSettings(const std::string& siteDir, bool haveSiteUrl, std::string& siteUrl,
                       bool haveCountries, std::string& countries) {
    Settings settings;
    LoadSettings(siteDir, settings);
    SetVisitGapMinutes(settings.visitGapMinutes());
    if (!haveSiteUrl)
        siteUrl = settings.siteUrl();
    if (!haveCountries)
        countries = ChosenCountryDatabase(settings.countryDatabase());
    else if (countries == "none")
        countries.clear();
}

}  // namespace trafikon::batch
