// SPDX-License-Identifier: GPL-3.0-or-later
// What the batch's analyses take from the store's settings: the site's
// address and the country database when the command line leaves them out,
// and the longest gap within a visit.
#pragma once

#include <string>

namespace trafikon::batch {

// `siteUrl` and `countries` as given (`haveSiteUrl`, `haveCountries`), else
// from the settings of `siteDir`; countries "none" means no database, and no
// database set means the shipped one; the visit gap of the settings becomes
// the analyses' (SetVisitGapMinutes). Throws IoError when the settings file
// exists but cannot be read.
void TakeStoreSettings(const std::string& siteDir, bool haveSiteUrl, std::string& siteUrl,
                       bool haveCountries, std::string& countries);

}  // namespace trafikon::batch
