// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the hours file (hrs-): 24 lines "HH;hits;pages;bytes", hour 00 to 23
// of the lines' own times.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

struct HourCounters {
    std::array<std::int64_t, 24> hits{}, pages{}, bytes{};
};

Lines FormatHours(const HourCounters& h);
// False when the lines are not the 24 lines of an hrs- file.
bool ParseHours(const Lines& lines, HourCounters& h);

}  // namespace trafikon
