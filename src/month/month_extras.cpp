// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/month_extras.h"

#include "store/extra_result_names.h"
#include "store/line_reader.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

void LoadCountries(const std::string& siteDir, const std::string& key, MonthExtras& m) {
    const std::string path = siteDir + ExtraResultFileName(kCountriesPrefix, key);
    try {
        if (!FileExists(path))
            return;
        // Line by line: a big month's file has a line for each of a million hosts.
        LineReader reader(path);
        std::string_view line;
        bool good = true, first = true;
        for (; good && reader.Next(line); first = false)
            good = ParseCountryLine(line, first, m.countries);
        if (good && !first)
            m.countriesPresent = true;
        else
            m.problems.push_back(path + ": not a countries file");
    } catch (const IoError& e) {
        m.problems.push_back(e.path() + ": " + e.reason());
    }
}

}  // namespace

MonthExtras LoadMonthExtras(const std::string& siteDir, const std::string& key) {
    MonthExtras m;
    LoadCountries(siteDir, key, m);
    m.visitsPresent = ReadVisitSummary(siteDir, key, m.visits);
    if (const std::string path = siteDir + ExtraResultFileName(kVisitsPrefix, key);
        !m.visitsPresent && FileExists(path))
        m.problems.push_back(path + ": not a visits file");
    const std::vector<std::string> names = ExtraAnalysisFileNames(key);
    Lines files[4];
    for (int i = 0; i < 4; ++i) {
        const std::string path = siteDir + names[i];
        try {
            if (!FileExists(path))
                return m;
            files[i] = ReadTextLines(path);
        } catch (const IoError& e) {
            m.problems.push_back(e.path() + ": " + e.reason());
            return m;
        }
    }
    for (const std::string& line : files[0]) {
        RobotRecord r;
        if (ParseRobotRecord(line, r))
            m.robots.push_back(std::move(r));
        else
            m.problems.push_back(siteDir + names[0] + ": a line is not a robot record");
    }
    if (!ParseAudience(files[1], m.audience))
        m.problems.push_back(siteDir + names[1] + ": not the two total lines");
    if (!ParseHours(files[2], m.hours))
        m.problems.push_back(siteDir + names[2] + ": not the 24 hour lines");
    if (!ParseFamilies(files[3], m.families))
        m.problems.push_back(siteDir + names[3] + ": a line is not a family record");
    m.present = true;
    return m;
}

bool LoadMonthFamilies(const std::string& siteDir, const std::string& key, FamilyGroups& groups) {
    groups = {};
    try {
        const std::string path = siteDir + ExtraResultFileName(kFamiliesPrefix, key);
        return FileExists(path) && ParseFamilies(ReadTextLines(path), groups);
    } catch (const IoError&) {
        return false;
    }
}

bool LoadMonthAudience(const std::string& siteDir, const std::string& key, Audience& audience) {
    audience = {};
    try {
        const std::string path = siteDir + ExtraResultFileName(kAudiencePrefix, key);
        return FileExists(path) && ParseAudience(ReadTextLines(path), audience);
    } catch (const IoError&) {
        return false;
    }
}

}  // namespace trafikon
