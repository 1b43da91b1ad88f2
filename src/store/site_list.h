// SPDX-License-Identifier: GPL-3.0-or-later
// The sites of a store. Each site has a number, its folder data/N/ (laid out
// like the first site's), a name, and the virtual host names whose lines an
// import files into it.
//
// data/sites.tfd holds one line per named site, "N;HOSTS;NAME", HOSTS being
// blank-separated host names; a site folder without a line is a site without
// a name. A store that never had a second site has no such file, and site 1
// always exists. data/chosen-site.tfd holds the number of the site the
// desktop program shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

inline constexpr std::string_view kSiteListFileName = "sites.tfd";
inline constexpr std::string_view kChosenSiteFileName = "chosen-site.tfd";

struct SiteEntry {
    int number = 0;
    std::string name;                // empty: none given
    std::vector<std::string> hosts;  // virtual host names filed into this site
};

// The sites of the store in `programDir`: site 1, every folder data/N/ (N a
// number from 1, written without leading zeros) and every site of sites.tfd,
// ascending by number. Lines of sites.tfd that name no site are skipped.
// Throws IoError when a file exists but cannot be read.
std::vector<SiteEntry> ReadSiteList(const std::string& programDir);

// Writes sites.tfd whole through a temporary file (sites without a name or
// host are left out). Throws IoError.
void WriteSiteList(const std::string& programDir, const std::vector<SiteEntry>& sites);

// The site named by `text` among `sites`: a number ("2"), else a name
// compared without regard to case (Windows-1252 letters), else a host name of
// a site.
std::optional<int> FindSite(const std::vector<SiteEntry>& sites, std::string_view text);

// The entry of site `number`, or null.
const SiteEntry* SiteOf(const std::vector<SiteEntry>& sites, int number);

// Makes a new site numbered one past the highest, with its folder, and adds
// it to sites.tfd. Holds the store's site-list lock meanwhile, so two
// processes never give out one number twice. Returns its number. Throws
// IoError.
int AddSite(const std::string& programDir, const std::string& name,
            const std::vector<std::string>& hosts = {});

// Renames site `number` (its hosts stay). Throws IoError.
void RenameSite(const std::string& programDir, int number, const std::string& name);

// Deletes site `number`: its folder with everything in it (links inside are
// removed, never followed) and its line of sites.tfd; nothing else. Site 1
// is never deleted (false); the store lock of the site must be free (throws
// StoreBusy). Throws IoError when the folder cannot be removed.
bool DeleteSite(const std::string& programDir, int number);

// The site the desktop program last showed; site 1 when none was chosen or
// that site no longer exists.
int ReadChosenSite(const std::string& programDir);
void WriteChosenSite(const std::string& programDir, int number);

}  // namespace trafikon
