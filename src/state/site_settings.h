// SPDX-License-Identifier: GPL-3.0-or-later
// The settings of a new site, and the making of one with them.
#pragma once

#include <string>
#include <vector>

#include "import/vhost_sites.h"
#include "state/settings.h"

namespace trafikon {

// What a new site's param.tfd starts with: the settings that belong to the
// program rather than to one site (language 4, last log folder 7, expansion
// limit 8) as site 1 has them, the others as a site without settings has them;
// its address "http://HOST" when the site is made for the virtual host HOST
// (empty: none). Throws IoError when site 1's settings cannot be read.
Settings NewSiteSettings(const std::string& programDir, const std::string& host);

// Writes the param.tfd of the new site of `siteDir`, made for the virtual
// host `host` in the store of `programDir` (an import made the site).
// Throws IoError.
void SaveNewSiteSettings(const std::string& programDir, const std::string& siteDir,
                         const std::string& host);

// The routing of an import aimed at `siteDir` (RoutingInto) whose sites made
// for new hosts get their settings by SaveNewSiteSettings.
VhostRouting RoutingMakingSites(const std::string& programDir, const std::string& siteDir,
                                const VhostFold& fold);

// Makes a new site named `name` for `hosts` (store/site_list.h, AddSite) and
// writes its settings, its address `address` when given, else taken from the
// first host. Returns its number. Throws IoError.
int CreateSite(const std::string& programDir, const std::string& name,
               const std::vector<std::string>& hosts, const std::string& address = {});

}  // namespace trafikon
