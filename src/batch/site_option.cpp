// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/site_option.h"

#include "geo/cp1252_text.h"
#include "store/site_list.h"

namespace trafikon::batch {

CommandOption SiteOption::option() {
    return {"--site", true, StoreIn(text_, &given_)};
}

std::string SiteOption::Resolve(const std::string& root) {
    number_ = kSiteNumber;
    if (!given_)
        return {};
    if (const std::optional<int> n = FindSite(ReadSiteList(root), Utf8ToCp1252Text(text_))) {
        number_ = *n;
        return {};
    }
    return "--site " + text_ +
           ": no such site (trafikon-batch sites lists them, sites --add NAME makes one)";
}

}  // namespace trafikon::batch
