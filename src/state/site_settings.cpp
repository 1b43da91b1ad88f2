// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/site_settings.h"

#include "store/data_store.h"
#include "store/site_list.h"

namespace trafikon {

Settings NewSiteSettings(const std::string& programDir, const std::string& host) {
    Settings first;
    LoadSettings(SiteDir(programDir), first);
    Settings settings = DefaultSettings();
    for (int number = 1; number <= Settings::kCount; ++number)
        if (IsProgramWideSetting(number))
            settings[number] = first[number];
    if (!host.empty())
        settings[1] = "http://" + host;
    return settings;
}

void SaveNewSiteSettings(const std::string& programDir, const std::string& siteDir,
                         const std::string& host) {
    SaveSiteSettings(siteDir, NewSiteSettings(programDir, host));
}

VhostRouting RoutingMakingSites(const std::string& programDir, const std::string& siteDir,
                                const VhostFold& fold) {
    VhostRouting routing = RoutingInto(programDir, siteDir, fold);
    routing.siteMade = [programDir](const std::string& made, const std::string& host) {
        SaveNewSiteSettings(programDir, made, host);
    };
    return routing;
}

int CreateSite(const std::string& programDir, const std::string& name,
               const std::vector<std::string>& hosts, const std::string& address) {
    Settings settings = NewSiteSettings(programDir, hosts.empty() ? "" : hosts.front());
    if (!address.empty())
        settings[1] = address;
    const int number = AddSite(programDir, name, hosts);
    SaveSiteSettings(SiteDir(programDir, number), settings);
    return number;
}

}  // namespace trafikon
