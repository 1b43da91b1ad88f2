// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/visit_file.h"

#include <initializer_list>
#include <optional>
#include <string_view>

#include "store/extra_result_names.h"
#include "store/robot_file.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

void AppendNumbers(std::string& out, std::initializer_list<std::int64_t> values) {
    for (const std::int64_t v : values) {
        out += ';';
        out += std::to_string(v);
    }
}

std::string TwoDigits(int n) {
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// Reads `values` from `rest` ("a;b;c"); the last runs to the end of `rest`.
bool ReadNumbers(std::string_view rest, std::initializer_list<std::int64_t*> values) {
    std::string_view field;
    std::size_t i = 0;
    for (std::int64_t* v : values) {
        if (++i == values.size())
            field = rest;
        else if (!NextSemicolonField(rest, field))
            return false;
        const std::optional<long long> n = ParseStoredInteger(field);
        if (!n)
            return false;
        *v = *n;
    }
    return true;
}

bool ReadTotals(std::string_view rest, VisitTotals& t) {
    return ReadNumbers(
        rest, {&t.visits, &t.visitors, &t.pages, &t.seconds, &t.medianSeconds, &t.bounces});
}

// The number "00".."max" before the first ';' of `rest`, or -1.
int ReadIndex(std::string_view& rest, int max) {
    std::string_view field;
    if (!NextSemicolonField(rest, field) || field.size() != 2)
        return -1;
    const std::optional<long long> n = ParseStoredInteger(field);
    return n && *n >= 0 && *n <= max ? static_cast<int>(*n) : -1;
}

}  // namespace

Lines FormatVisits(const VisitSummary& s) {
    Lines lines;
    for (const auto& [label, t] :
         {std::pair<const char*, const VisitTotals&>{"people", s.people}, {"robots", s.robots}}) {
        std::string line = label;
        AppendNumbers(line, {t.visits, t.visitors, t.pages, t.seconds, t.medianSeconds, t.bounces});
        lines.push_back(std::move(line));
    }
    for (int d = 0; d < 31; ++d) {
        std::string line = "day;" + TwoDigits(d + 1);
        AppendNumbers(
            line, {s.peopleVisits[d], s.peopleVisitors[d], s.robotVisits[d], s.robotVisitors[d]});
        lines.push_back(std::move(line));
    }
    for (int h = 0; h < 24; ++h) {
        std::string line = "hour;" + TwoDigits(h);
        AppendNumbers(line, {s.peopleHourVisits[h], s.robotHourVisits[h]});
        lines.push_back(std::move(line));
    }
    for (const auto& [label, pages] :
         {std::pair<const char*, const std::vector<VisitPage>&>{"entry", s.entries},
          {"exit", s.exits}}) {
        for (const VisitPage& p : pages) {
            std::string line = label;
            AppendNumbers(line, {p.visits});
            line += ';';
            for (char c : p.page)
                line += c == '\r' || c == '\n' ? ' ' : c;
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

bool ParseVisits(const Lines& lines, VisitSummary& s) {
    s = {};
    bool people = false, robots = false;
    for (const std::string& text : lines) {
        std::string_view rest = text, kind;
        if (!NextSemicolonField(rest, kind))
            return false;
        if (kind == "people" || kind == "robots") {
            if (!ReadTotals(rest, kind == "people" ? s.people : s.robots))
                return false;
            (kind == "people" ? people : robots) = true;
        } else if (kind == "day") {
            const int d = ReadIndex(rest, 31) - 1;
            if (d < 0 || !ReadNumbers(rest, {&s.peopleVisits[d], &s.peopleVisitors[d],
                                             &s.robotVisits[d], &s.robotVisitors[d]}))
                return false;
        } else if (kind == "hour") {
            const int h = ReadIndex(rest, 23);
            if (h < 0 || !ReadNumbers(rest, {&s.peopleHourVisits[h], &s.robotHourVisits[h]}))
                return false;
        } else if (kind == "entry" || kind == "exit") {
            std::string_view count;
            VisitPage p;
            if (!NextSemicolonField(rest, count) || !ReadNumbers(count, {&p.visits}))
                return false;
            p.page.assign(rest);
            (kind == "entry" ? s.entries : s.exits).push_back(std::move(p));
        } else {
            return false;
        }
    }
    return people && robots;
}

bool ReadVisitSummary(const std::string& siteDir, const std::string& key, VisitSummary& s) {
    s = {};
    try {
        const std::string path = siteDir + ExtraResultFileName(kVisitsPrefix, key);
        return FileExists(path) && ParseVisits(ReadTextLines(path), s);
    } catch (const IoError&) {
        return false;
    }
}

}  // namespace trafikon
