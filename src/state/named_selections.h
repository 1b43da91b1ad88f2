// SPDX-License-Identifier: GPL-3.0-or-later
// The selections the user named in the desktop program, kept in the site
// folder's selections.tfd (one a line: name, start, end and conditions split
// by tabs, Windows-1252), each analysed into its own folder under
// selections/ of the site folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/select_lines.h"

namespace trafikon {

inline constexpr std::string_view kNamedSelectionsFileName = "selections.tfd";

struct NamedSelection {
    std::string name;
    std::string from;  // YYYY-MM-DD[THH:MM]
    std::string to;
    std::string where;  // the conditions, as typed
};

// The saved selections; none when the file is missing. Throws IoError.
std::vector<NamedSelection> LoadNamedSelections(const std::string& siteDir);
// Writes them all. Throws IoError.
void SaveNamedSelections(const std::string& siteDir, const std::vector<NamedSelection>& list);

// What is wrong with `s`, as the language entry to show (0: nothing) and,
// for conditions, the parser's message; `out` receives the selection.
struct SelectionProblem {
    int entry = 0;
    std::string detail;
};
SelectionProblem ReadNamedSelection(const NamedSelection& s, Selection& out);

// The folder of the selection named `name`: siteDir + "selections/" + a
// name made of its letters and digits and a hash of the whole name, so two
// names never share one.
std::string NamedSelectionFolder(const std::string& siteDir, std::string_view name);

// Removes the selection's folder and everything in it (missing: nothing to
// do). Throws IoError.
void DeleteNamedSelectionFolder(const std::string& siteDir, std::string_view name);

}  // namespace trafikon
