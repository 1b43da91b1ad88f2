// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/browser_families.h"

#include <algorithm>
#include <map>

#include "month/month_results.h"
#include "store/result_records.h"

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

std::string BrowserOf(std::string_view a) {
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

std::vector<FamilyCount> Sorted(const std::map<std::string, FamilyCount>& counts) {
    std::vector<FamilyCount> out;
    for (const auto& [name, c] : counts)
        out.push_back(c);
    std::stable_sort(out.begin(), out.end(),
                     [](const FamilyCount& x, const FamilyCount& y) { return x.hits > y.hits; });
    return out;
}

}  // namespace

AgentFamily FamilyOfAgent(std::string_view userAgent, const RobotSignatures& robots) {
    AgentFamily f;
    if (robots.Classify(userAgent).kind != RobotKind::kPerson) {
        f.browser = kRobotFamily;
        f.system = kOtherFamily;
        return f;
    }
    f.browser = BrowserOf(userAgent);
    f.system = SystemOf(userAgent);
    return f;
}

FamilyGroups GroupBrowserFamilies(const std::vector<std::string>& browserRecords,
                                  const RobotSignatures& robots) {
    std::map<std::string, FamilyCount> browsers, systems;
    for (const std::string& line : browserRecords) {
        const AgentFamily f = FamilyOfAgent(ReadField(line, BrowserField::kName), robots);
        const long long hits = ParseInteger(ReadField(line, BrowserField::kHits));
        for (auto [map, name] :
             {std::pair{&browsers, &f.browser}, std::pair{&systems, &f.system}}) {
            FamilyCount& c = (*map)[*name];
            c.name = *name;
            c.hits += hits;
            ++c.agents;
        }
    }
    return {Sorted(browsers), Sorted(systems)};
}

}  // namespace trafikon
