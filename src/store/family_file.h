// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the families file (fam-): the month's hits by browser family and
// by operating system, robots apart. One family a line, "b;hits;agents;name"
// for a browser family and "s;hits;agents;name" for a system, most hits first
// within each kind; agents is the number of user agents grouped there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

struct FamilyCount {
    std::string name;
    std::int64_t hits = 0;
    std::int64_t agents = 0;
};

struct FamilyGroups {
    std::vector<FamilyCount> browsers, systems;
};

Lines FormatFamilies(const FamilyGroups& groups);
// False when a line is not a family record (the records before it are kept).
bool ParseFamilies(const Lines& lines, FamilyGroups& groups);

}  // namespace trafikon
