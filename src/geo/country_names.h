// SPDX-License-Identifier: GPL-3.0-or-later
// Country names in French and English, read from the system's ISO 3166-1
// list (Debian's iso-codes: its JSON file and the French gettext catalogue).
// Names are Windows-1252; a code the list lacks has no name.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace trafikon {

class CountryNames {
  public:
    // Reads `json` (the list) and `frenchCatalogue` (its .mo translations);
    // a file that is missing or unreadable leaves its names out.
    CountryNames(const std::string& json, const std::string& frenchCatalogue);

    // The names of the installed iso-codes, read once.
    static const CountryNames& Installed();

    // The name of `code` ("FR"), empty when the list lacks it.
    std::string Name(std::string_view code, bool french) const;
    bool empty() const { return english_.empty(); }

  private:
    std::unordered_map<std::string, std::string> english_, french_;  // by code
};

// The name of `code` for the windows and the report: its name, else the code;
// `unknown` for the empty code.
std::string CountryLabel(const CountryNames& names, std::string_view code, bool french,
                         const std::string& unknown);

}  // namespace trafikon
