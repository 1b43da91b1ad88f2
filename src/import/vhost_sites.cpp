// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/vhost_sites.h"

#include <algorithm>
#include <charconv>

#include "store/data_store.h"
#include "store/site_list.h"

namespace trafikon {

namespace {

constexpr std::size_t kMaxHostLength = 255;

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' ||
           c == ':' || c == '[' || c == ']';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<VhostFold> ParseVhostFold(std::string_view text) {
    VhostFold fold{false, false};
    bool none = false;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t end = std::min(text.find(',', i), text.size());
        std::string_view word = text.substr(i, end - i);
        while (!word.empty() && word.front() == ' ')
            word.remove_prefix(1);
        while (!word.empty() && word.back() == ' ')
            word.remove_suffix(1);
        if (word == "port" && !fold.dropPort)
            fold.dropPort = true;
        else if (word == "www" && !fold.dropWww)
            fold.dropWww = true;
        else if (word == "none" && !none)
            none = true;
        else
            return std::nullopt;
        i = end + 1;
    }
    if (none && (fold.dropPort || fold.dropWww))
        return std::nullopt;
    return fold;
}

bool FoldVirtualHost(std::string_view value, const VhostFold& fold, std::string& out) {
    out.clear();
    if (value.empty() || value == "-" || value.size() > kMaxHostLength)
        return false;
    for (char c : value) {
        c = Lower(c);
        if (!IsHostChar(c))
            return false;
        out.push_back(c);
    }
    if (fold.dropPort) {
        // "host:80" and "[::1]:80", never a part of a bare IPv6 address.
        const std::size_t colon = out.rfind(':');
        if (colon != std::string::npos && colon + 1 < out.size() &&
            std::all_of(out.begin() + colon + 1, out.end(),
                        [](char c) { return c >= '0' && c <= '9'; }) &&
            (out.find(':') == colon || (colon > 0 && out[colon - 1] == ']')))
            out.resize(colon);
    }
    if (fold.dropWww && out.size() > 4 && out.compare(0, 4, "www.") == 0)
        out.erase(0, 4);
    return !out.empty() && out != "-";
}

VhostRouting RoutingInto(const std::string& programDir, const std::string& siteDir,
                         const VhostFold& fold) {
    VhostRouting routing{programDir, kSiteNumber, fold, {}};
    const std::string dataDir = DataDir(programDir);
    if (siteDir.size() > dataDir.size() + 1 && siteDir.compare(0, dataDir.size(), dataDir) == 0) {
        const std::string_view number =
            std::string_view(siteDir).substr(dataDir.size(), siteDir.size() - dataDir.size() - 1);
        int n = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
        if (ec == std::errc() && end == number.data() + number.size() && n > 0 &&
            SiteDir(programDir, n) == siteDir)
            routing.aimedSite = n;
    }
    return routing;
}

VhostSites::VhostSites(const VhostRouting& routing) : routing_(routing) {
    const std::vector<SiteEntry> sites = ReadSiteList(routing.programDir);
    std::string folded;
    for (const SiteEntry& site : sites) {
        for (const std::string& host : site.hosts)
            if (FoldVirtualHost(host, routing.fold, folded))
                byHost_.try_emplace(folded, site.number);
    }
    // A name is a host's second chance: a site named "example.org" by hand.
    for (const SiteEntry& site : sites) {
        std::string name = site.name;
        std::transform(name.begin(), name.end(), name.begin(), Lower);
        if (!name.empty())
            byHost_.try_emplace(std::move(name), site.number);
    }
}

int VhostSites::SiteOf(std::string_view value) {
    if (lastSite_ != 0 && value == lastValue_)
        return lastSite_;
    int site = routing_.aimedSite;
    if (FoldVirtualHost(value, routing_.fold, folded_)) {
        if (const auto it = byHost_.find(folded_); it != byHost_.end())
            site = it->second;
        else if (created_.size() < kMaxNewSites)
            site = MakeSite();
        else {
            ++pastLimit_;
            return site;  // not kept: the next line of the host is counted too
        }
    }
    lastValue_.assign(value);
    lastSite_ = site;
    return site;
}

int VhostSites::MakeSite() {
    const int number = AddSite(routing_.programDir, folded_, {folded_});
    if (routing_.siteMade)
        routing_.siteMade(SiteDir(routing_.programDir, number), folded_);
    byHost_.emplace(folded_, number);
    created_.push_back({number, folded_});
    return number;
}

}  // namespace trafikon
