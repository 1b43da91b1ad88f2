// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of language files as the tests write and expect them: CR LF lines.
#pragma once

#include <string>
#include <vector>

namespace trafikon::testing {

// The lines as a file holds them, each ended by CR LF.
inline std::string FileBytes(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A language file of `count` entries whose first line is `name`.
inline std::string LanguageFile(const std::string& name, int count) {
    std::vector<std::string> lines{name};
    for (int i = 1; i < count; ++i)
        lines.push_back("text " + std::to_string(i));
    return FileBytes(lines);
}

}  // namespace trafikon::testing
