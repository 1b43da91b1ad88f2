// SPDX-License-Identifier: GPL-3.0-or-later
// One row of a two-column list of the analysis window: a name and a count.
#pragma once

#include <string>

namespace trafikon {

struct NameCountRow {
    std::string name;
    std::string count;        // as stored
    long long number = 0;     // count as an integer (0 when it does not convert)
    long long position = -1;  // position of the record in its table
    std::string place = {};   // third column of a list that shows one (a host's country)
};

}  // namespace trafikon
