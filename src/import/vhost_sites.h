// SPDX-License-Identifier: GPL-3.0-or-later
// The site each line of a virtual-host log is filed into.
//
// A line's virtual host is folded first: always to lower case, then, as the
// user chooses, without a ":port" suffix and without a leading "www.", so
// that "WWW.Example.org:443" and "example.org" are one site. The folded host
// is looked up among the host names of the sites (folded alike), then among
// their names; a host met for the first time makes a new site named after
// it, with the host in its list; the caller gives it its settings.
//
// A line whose virtual host is empty, "-", longer than a host name can be or
// made of anything but letters, digits, ".-_:[]", goes to the site the import
// was aimed at: a log cannot make sites of arbitrary text. So does a line of
// a new host once a run has made kMaxNewSites sites (a log of forged host
// headers would make one site per line); such lines are counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trafikon {

struct VhostFold {
    bool dropPort = true;  // "example.org:8080" is "example.org"
    bool dropWww = true;   // "www.example.org" is "example.org"
};

// "port,www", "port", "www" or "none" (either order, blanks ignored); nothing
// for any other text.
std::optional<VhostFold> ParseVhostFold(std::string_view text);

// Folds `value` into `out`. False when it names no host (see above).
bool FoldVirtualHost(std::string_view value, const VhostFold& fold, std::string& out);

// How an import files the lines of a format that holds 'v'.
struct VhostRouting {
    std::string programDir;  // the store's program folder (ends with '/')
    int aimedSite = 1;       // the site of lines without a virtual host
    VhostFold fold;
    // Called with the folder and host of each site made, once the folder is there.
    std::function<void(const std::string& siteDir, const std::string& host)> siteMade;
};

// The routing of an import aimed at the site folder `siteDir` of the store
// in `programDir` (site 1 when that is no site folder of the store).
VhostRouting RoutingInto(const std::string& programDir, const std::string& siteDir,
                         const VhostFold& fold);

struct NewSite {
    int number = 0;
    std::string host;
};

class VhostSites {
  public:
    static constexpr std::size_t kMaxNewSites = 200;

    // Reads the sites of the store. Throws IoError.
    explicit VhostSites(const VhostRouting& routing);

    // The site of a line whose virtual host field holds `value`; makes the
    // site when the host is new. Throws IoError.
    int SiteOf(std::string_view value);

    const std::vector<NewSite>& created() const { return created_; }
    // Lines of new hosts sent to the aimed site because the run made enough sites.
    std::uint64_t linesPastSiteLimit() const { return pastLimit_; }

  private:
    int MakeSite();

    const VhostRouting& routing_;
    std::unordered_map<std::string, int> byHost_;  // folded host: site
    std::string folded_;
    std::string lastValue_;
    int lastSite_ = 0;
    std::vector<NewSite> created_;
    std::uint64_t pastLimit_ = 0;
};

}  // namespace trafikon
