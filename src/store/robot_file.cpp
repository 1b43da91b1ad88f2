// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/robot_file.h"

#include "store/tagged_record.h"

namespace trafikon {

namespace {

void AppendText(std::string& out, std::string_view text, bool dropSemicolons) {
    for (char c : text) {
        if (c == '\r' || c == '\n' || (dropSemicolons && c == ';'))
            c = ' ';
        out += c;
    }
}

void AppendTotals(std::string& out, const AudienceTotals& t) {
    for (std::int64_t v : {t.hits, t.pages, t.bytes, t.visitors}) {
        out += ';';
        out += std::to_string(v);
    }
}

bool ParseTotals(std::string_view line, std::string_view label, AudienceTotals& t) {
    std::string_view field;
    if (!NextSemicolonField(line, field) || field != label)
        return false;
    for (std::int64_t* v : {&t.hits, &t.pages, &t.bytes}) {
        if (!NextSemicolonField(line, field))
            return false;
        *v = ParseInteger(field);
    }
    t.visitors = ParseInteger(line);
    return true;
}

}  // namespace

std::pair<std::string, std::string> FormatRobotRecordAround(const RobotRecord& r) {
    std::string before(1, static_cast<char>(r.kind));
    for (std::int64_t v : {r.hits, r.pages, r.bytes}) {
        before += ';';
        before += std::to_string(v);
    }
    before += ';';
    std::string after = ";";
    AppendText(after, r.lastTime, true);
    after += ';';
    AppendText(after, r.name, false);
    return {std::move(before), std::move(after)};
}

bool ParseRobotRecord(std::string_view line, RobotRecord& r) {
    std::string_view field;
    if (!NextSemicolonField(line, field) || field.size() != 1 || field[0] < '1' || field[0] > '4')
        return false;
    r.kind = static_cast<RobotKind>(field[0]);
    for (std::int64_t* v : {&r.hits, &r.pages, &r.bytes}) {
        if (!NextSemicolonField(line, field))
            return false;
        *v = ParseInteger(field);
    }
    if (!NextSemicolonField(line, field))
        return false;
    r.lines.assign(field);
    if (!NextSemicolonField(line, field))
        return false;
    r.lastTime.assign(field);
    r.name.assign(line);
    return true;
}

Lines FormatAudience(const Audience& a) {
    Lines lines(2);
    lines[0] = "people";
    AppendTotals(lines[0], a.people);
    lines[1] = "robots";
    AppendTotals(lines[1], a.robots);
    return lines;
}

bool ParseAudience(const Lines& lines, Audience& a) {
    return lines.size() >= 2 && ParseTotals(lines[0], "people", a.people) &&
           ParseTotals(lines[1], "robots", a.robots);
}

bool NextSemicolonField(std::string_view& rest, std::string_view& field) {
    const std::size_t semi = rest.find(';');
    if (semi == std::string_view::npos)
        return false;
    field = rest.substr(0, semi);
    rest.remove_prefix(semi + 1);
    return true;
}

}  // namespace trafikon
