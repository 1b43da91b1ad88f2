// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/agent_family.h"

#include <algorithm>
#include <vector>

namespace trafikon {

namespace {

// The major version written after `token` ("Chrome/120.0" gives "120"), or "".
std::string_view MajorAfter(std::string_view agent, std::string_view token) {
    const std::size_t at = agent.find(token);
    if (at == std::string_view::npos)
        return {};
    std::size_t begin = at + token.size(), end = begin;
    while (end < agent.size() && agent[end] >= '0' && agent[end] <= '9')
        ++end;
    return agent.substr(begin, end - begin);
}

std::string Named(std::string_view family, std::string_view major) {
    std::string out(family);
    if (!major.empty()) {
        out += ' ';
        out += major;
    }
    return out;
}

bool Has(std::string_view agent, std::string_view text) {
    return agent.find(text) != std::string_view::npos;
}

std::vector<FamilyCount> Sorted(const std::map<std::string, FamilyCount, std::less<>>& counts) {
    std::vector<FamilyCount> out;
    for (const auto& [name, c] : counts)
        out.push_back(c);
    std::stable_sort(out.begin(), out.end(),
                     [](const FamilyCount& x, const FamilyCount& y) { return x.hits > y.hits; });
    return out;
}

}  // namespace

std::string BrowserFamilyOf(std::string_view a) {
    struct Rule {
        std::string_view token, family;
    };
    // Browsers built on another one name themselves after it, so they come first.
    static constexpr Rule kRules[] = {
        {"Edg/", "Edge"},
        {"EdgA/", "Edge"},
        {"EdgiOS/", "Edge"},
        {"Edge/", "Edge"},
        {"OPR/", "Opera"},
        {"Opera/", "Opera"},
        {"SamsungBrowser/", "Samsung Internet"},
        {"YaBrowser/", "Yandex Browser"},
        {"Vivaldi/", "Vivaldi"},
        {"UCBrowser/", "UC Browser"},
        {"Firefox/", "Firefox"},
        {"FxiOS/", "Firefox"},
        {"CriOS/", "Chrome"},
        {"Chromium/", "Chromium"},
        {"Chrome/", "Chrome"},
    };
    for (const Rule& r : kRules)
        if (Has(a, r.token))
            return Named(r.family, MajorAfter(a, r.token));
    if (Has(a, "Safari/") && Has(a, "Version/"))
        return Named("Safari", MajorAfter(a, "Version/"));
    if (Has(a, "MSIE "))
        return Named("Internet Explorer", MajorAfter(a, "MSIE "));
    if (Has(a, "Trident/7."))
        return "Internet Explorer 11";
    return std::string(kOtherFamily);
}

std::string SystemOf(std::string_view a) {
    if (Has(a, "Windows Phone"))
        return "Windows Phone";
    if (Has(a, "Windows"))
        return "Windows";
    if (Has(a, "Android"))
        return "Android";
    if (Has(a, "iPhone") || Has(a, "iPad") || Has(a, "iPod"))
        return "iOS";
    if (Has(a, "CrOS"))
        return "ChromeOS";
    if (Has(a, "Mac OS X") || Has(a, "Macintosh"))
        return "macOS";
    if (Has(a, "Linux") || Has(a, "X11"))
        return "Linux";
    return std::string(kOtherFamily);
}

void FamilyTally::Add(std::map<std::string, FamilyCount, std::less<>>& map, std::string_view name,
                      std::int64_t hits) {
    auto it = map.find(name);
    if (it == map.end())
        it = map.emplace(std::string(name), FamilyCount{std::string(name), 0, 0}).first;
    it->second.hits += hits;
    ++it->second.agents;
}

void FamilyTally::AddAgent(std::string_view userAgent, std::int64_t personHits,
                           std::int64_t robotHits) {
    if (personHits > 0) {
        Add(browsers_, BrowserFamilyOf(userAgent), personHits);
        Add(systems_, SystemOf(userAgent), personHits);
    }
    if (robotHits > 0) {
        Add(browsers_, kRobotFamily, robotHits);
        Add(systems_, kRobotFamily, robotHits);
    }
}

FamilyGroups FamilyTally::Groups() const {
    return {Sorted(browsers_), Sorted(systems_)};
}

}  // namespace trafikon
