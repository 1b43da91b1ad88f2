// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/vhost_site_settings.h"

#include "state/settings.h"
#include "store/data_store.h"

namespace trafikon {

void SaveVhostSiteSettings(const std::string& programDir, const std::string& siteDir,
                           const std::string& host) {
    Settings first, settings;
    LoadSettings(SiteDir(programDir), first);
    LoadSettings(siteDir, settings);  // a new site has none: the defaults
    const int language = 4;
    for (const int programWide : {language, Settings::kLastLogFolder, Settings::kExpansionLimit})
        settings[programWide] = first[programWide];
    settings[1] = "http://" + host;
    SaveSiteSettings(siteDir, settings);
}

}  // namespace trafikon
