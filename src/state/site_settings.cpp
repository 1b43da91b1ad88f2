// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/site_settings.h"

#include "store/data_store.h"
#include "store/site_list.h"

namespace trafikon {

Settings NewSiteSettings(const std::string& programDir, const std::string& host) {
    Settings first;
    LoadSettings(SiteDir(programDir), first);
    Settings settings = DefaultSettings();
    const int language = 4;
    for (const int programWide : {language, Settings::kLastLogFolder, Settings::kExpansionLimit})
        settings[programWide] = first[programWide];
    if (!host.empty())
        settings[1] = "http://" + host;
    return settings;
}

int CreateSite(const std::string& programDir, const std::string& name,
               const std::vector<std::string>& hosts) {
    const Settings settings = NewSiteSettings(programDir, hosts.empty() ? "" : hosts.front());
    const int number = AddSite(programDir, name, hosts);
    SaveSiteSettings(SiteDir(programDir, number), settings);
    return number;
}

}  // namespace trafikon
