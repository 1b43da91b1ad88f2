// SPDX-License-Identifier: GPL-3.0-or-later
// The table of every site by month: one row per stored month of each site,
// with its hits, pages, visits and kilobytes as the month's files hold them.
#pragma once

#include <string>
#include <vector>

#include "store/site_list.h"

namespace trafikon {

struct AllSitesRow {
    int site = 0;
    std::string key;  // month key
    // Empty for a month not analysed; visits also for a month without its
    // vis- file (analysed by an earlier version).
    std::string hits, pages, visits, kilobytes;
};

// The name a window gives site `site`: its name, else `numberedText` with
// "%1" replaced by its number.
std::string SiteCaption(const SiteEntry& site, const std::string& numberedText);

// Appends the rows of each site of `sites` (the program in `programDir`), in
// the order of `sites`, newest month first. Throws IoError when a monthly
// statistics file exists but cannot be read; the rows appended until then stay.
void AppendAllSitesRows(const std::string& programDir, const std::vector<SiteEntry>& sites,
                        std::vector<AllSitesRow>& rows);

}  // namespace trafikon
