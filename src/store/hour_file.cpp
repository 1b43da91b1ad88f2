// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/hour_file.h"

#include <string_view>

#include "store/robot_file.h"
#include "store/tagged_record.h"

namespace trafikon {

Lines FormatHours(const HourCounters& h) {
    Lines lines;
    for (int hour = 0; hour < 24; ++hour) {
        std::string line;
        line += static_cast<char>('0' + hour / 10);
        line += static_cast<char>('0' + hour % 10);
        for (std::int64_t v : {h.hits[hour], h.pages[hour], h.bytes[hour]}) {
            line += ';';
            line += std::to_string(v);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool ParseHours(const Lines& lines, HourCounters& h) {
    if (lines.size() < 24)
        return false;
    for (int hour = 0; hour < 24; ++hour) {
        std::string_view line = lines[hour];
        std::int64_t* values[] = {&h.hits[hour], &h.pages[hour], &h.bytes[hour]};
        if (line.size() < 3 || line[0] != '0' + hour / 10 || line[1] != '0' + hour % 10 ||
            line[2] != ';')
            return false;
        line.remove_prefix(3);
        for (int i = 0; i < 3; ++i) {
            const std::size_t semi = line.find(';');
            *values[i] = ParseInteger(line.substr(0, semi));
            if (semi == std::string_view::npos) {
                if (i < 2)
                    return false;
            } else {
                line.remove_prefix(semi + 1);
            }
        }
    }
    return true;
}

}  // namespace trafikon
