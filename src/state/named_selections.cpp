// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/named_selections.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "store/month_file_names.h"
#include "store/text_file.h"
#include "text/extra_texts.h"

namespace trafikon {

namespace {

std::string ListPath(const std::string& siteDir) {
    return SiteFolderPrefix(siteDir) + std::string(kNamedSelectionsFileName);
}

}  // namespace

std::vector<NamedSelection> LoadNamedSelections(const std::string& siteDir) {
    std::vector<NamedSelection> list;
    for (const std::string& line : ReadTextLinesIfExists(ListPath(siteDir))) {
        NamedSelection s;
        std::string* parts[4] = {&s.name, &s.from, &s.to, &s.where};
        std::size_t start = 0;
        for (int i = 0; i < 4; ++i) {
            const std::size_t tab = i < 3 ? line.find('\t', start) : std::string::npos;
            *parts[i] = line.substr(start, tab == std::string::npos ? tab : tab - start);
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (!s.name.empty())
            list.push_back(std::move(s));
    }
    return list;
}

void SaveNamedSelections(const std::string& siteDir, const std::vector<NamedSelection>& list) {
    Lines lines;
    for (const NamedSelection& s : list)
        lines.push_back(s.name + '\t' + s.from + '\t' + s.to + '\t' + s.where);
    WriteTextLines(ListPath(siteDir), lines);
}

SelectionProblem ReadNamedSelection(const NamedSelection& s, Selection& out) {
    SelectionProblem problem;
    const auto unfit = [](const std::string& t) {
        return t.find_first_of("\t\r\n") != std::string::npos;
    };
    if (s.name.empty() || unfit(s.name)) {
        problem.entry = lang::kSelectionNeedsName;
        return problem;
    }
    if (!ParsePeriodBound(s.from, false, out.period.from) ||
        !ParsePeriodBound(s.to, true, out.period.to) || out.period.to < out.period.from) {
        problem.entry = lang::kSelectionBadPeriod;
        return problem;
    }
    ConditionError error;
    out.conditions.clear();
    if (unfit(s.where)) {
        problem.entry = lang::kSelectionBadConditions;
        problem.detail = "tab or line end";
    } else if (!ParseConditions(s.where, out.conditions, error)) {
        problem.entry = lang::kSelectionBadConditions;
        problem.detail = error.message;
    }
    return problem;
}

std::string NamedSelectionFolder(const std::string& siteDir, std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    std::string folder;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (folder.size() < 40)
            folder.push_back(plain ? c : '_');
    }
    char suffix[10];
    std::snprintf(suffix, sizeof suffix, "-%08x", static_cast<unsigned>(hash));
    return SiteFolderPrefix(siteDir) + "selections/" + folder + suffix + "/";
}

void DeleteNamedSelectionFolder(const std::string& siteDir, std::string_view name) {
    const std::string folder = NamedSelectionFolder(siteDir, name);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    if (error)
        throw IoError(folder, error.message());
}

}  // namespace trafikon
