// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/family_file.h"
#include "store/tagged_record.h"

#include <string_view>

#include "store/robot_file.h"

namespace trafikon {

namespace {

void AppendRecord(Lines& out, char kind, const FamilyCount& f) {
    std::string line(1, kind);
    for (std::int64_t v : {f.hits, f.agents}) {
        line += ';';
        line += std::to_string(v);
    }
    line += ';';
    for (char c : f.name)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    out.push_back(std::move(line));
}

}  // namespace

Lines FormatFamilies(const FamilyGroups& groups) {
    Lines out;
    for (const FamilyCount& f : groups.browsers)
        AppendRecord(out, 'b', f);
    for (const FamilyCount& f : groups.systems)
        AppendRecord(out, 's', f);
    return out;
}

bool ParseFamilies(const Lines& lines, FamilyGroups& groups) {
    for (const std::string& text : lines) {
        std::string_view line(text);
        if (line.size() < 2 || (line[0] != 'b' && line[0] != 's') || line[1] != ';')
            return false;
        auto& list = line[0] == 'b' ? groups.browsers : groups.systems;
        line.remove_prefix(2);
        const std::size_t a = line.find(';');
        const std::size_t b = a == std::string_view::npos ? a : line.find(';', a + 1);
        if (b == std::string_view::npos)
            return false;
        list.push_back({std::string(line.substr(b + 1)), ParseInteger(line.substr(0, a)),
                        ParseInteger(line.substr(a + 1, b - a - 1))});
    }
    return true;
}

}  // namespace trafikon
