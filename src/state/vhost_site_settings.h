// SPDX-License-Identifier: GPL-3.0-or-later
// The settings of a site that an import made for a virtual host.
#pragma once

#include <string>

namespace trafikon {

// Writes the param.tfd of the new site of `siteDir`, made for virtual host
// `host` in the store of `programDir`: the settings that belong to the
// program rather than to one site (language 4, last log folder 7, expansion
// limit 8) as site 1 has them, the others as a site without settings has
// them, and the address "http://HOST". Throws IoError.
void SaveVhostSiteSettings(const std::string& programDir, const std::string& siteDir,
                           const std::string& host);

}  // namespace trafikon
