// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/line_exclusions.h"

#include <sys/stat.h>

#include <cstdio>

#include "engine/robot_signatures.h"
#include "store/month_file_names.h"

namespace trafikon {

namespace {

// Modification time of `path` in nanoseconds; -1 when it does not exist.
long long ModifiedAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return -1;
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

Lines BuiltInReferrerSpamLines() {
    return {"# Referrers that only advertise: a referrer holding one of these texts (any case)",
            "# is spam for the condition `spam` (exclusions.tfd of a site). One text a line.",
            "semalt.com",
            "buttons-for-website.com",
            "darodar.com",
            "best-seo-offer.com",
            "free-share-buttons",
            "get-free-traffic-now.com",
            "ilovevitaly",
            "priceg.com",
            "hulfingtonpost.com",
            "o-o-6-o-o.com"};
}

LineExclusions::LineExclusions(const std::string& siteDir, const std::string& programDir,
                               const std::string& countryDatabase, bool agentsLogged) {
    const Lines lines =
        ReadTextLinesIfExists(SiteFolderPrefix(siteDir) + std::string(kExclusionsFileName));
    std::vector<std::vector<LineCondition>> rules;
    for (const std::string& line : lines) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        std::vector<LineCondition> conditions;
        ConditionError error;
        if (ParseConditions(line, conditions, error))
            rules.push_back(std::move(conditions));
        else
            problems_.push_back(std::string(kExclusionsFileName) + ": \"" + line +
                                "\": " + error.message);
    }
    if (rules.empty())
        return;
    signatures_ = std::make_unique<RobotSignatures>(LoadRobotSignatures(programDir));
    countries_ = std::make_unique<CountryDatabase>(countryDatabase);
    const std::string spamPath = programDir + std::string(kReferrerSpamFileName);
    try {
        if (!FileExists(spamPath))
            WriteTextLines(spamPath, BuiltInReferrerSpamLines());
    } catch (const IoError&) {
        // A folder that cannot be written keeps the built-in list.
    }
    Lines spam;
    try {
        spam = ReadTextLines(spamPath);
    } catch (const IoError&) {
        spam = BuiltInReferrerSpamLines();
    }
    for (const std::string& text : spam)
        if (!text.empty() && text[0] != '#')
            spam_.push_back(Lowered(text));
    constexpr SelectionPeriod kAlways{0, ~std::uint64_t{0}};
    for (auto& conditions : rules) {
        filters_.emplace_back(std::move(conditions), kAlways, *signatures_, *countries_,
                              agentsLogged);
        filters_.back().UseSpamTexts(&spam_);
    }
}

LineExclusions::~LineExclusions() = default;

bool LineExclusions::Excludes(const LogLineSplitter& splitter) {
    for (LineFilter& f : filters_)
        if (f.MatchesAnyTime(splitter))
            return true;
    return false;
}

Lines LoadExclusionLines(const std::string& siteDir) {
    return ReadTextLinesIfExists(SiteFolderPrefix(siteDir) + std::string(kExclusionsFileName));
}

std::string SaveExclusionLines(const std::string& siteDir, const Lines& lines) {
    bool any = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        std::vector<LineCondition> conditions;
        ConditionError error;
        if (!ParseConditions(line, conditions, error))
            return "line " + std::to_string(i + 1) + ": " + error.message;
        any = true;
    }
    const std::string path = SiteFolderPrefix(siteDir) + std::string(kExclusionsFileName);
    if (any)
        WriteTextLines(path, lines);
    else if (FileExists(path) && std::remove(path.c_str()) != 0)
        ThrowErrno(path);
    return {};
}

bool ExclusionsChangedSince(const std::string& siteDir, const std::string& programDir,
                            const std::string& stampPath) {
    const long long set = ModifiedAt(SiteFolderPrefix(siteDir) + std::string(kExclusionsFileName));
    if (set < 0)
        return false;
    const long long stamp = ModifiedAt(stampPath);
    const long long spam = ModifiedAt(programDir + std::string(kReferrerSpamFileName));
    return stamp < 0 || set > stamp || spam > stamp;
}

}  // namespace trafikon
