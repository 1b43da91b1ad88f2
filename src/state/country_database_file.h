// SPDX-License-Identifier: GPL-3.0-or-later
// Which country database the analyses read: the file the settings name, else
// the one shipped with the program (beside the executable in a build or a
// portable copy, under share/trafikon/ once installed).
#pragma once

#include <string>

namespace trafikon {

// The file name of the shipped database.
inline constexpr const char* kShippedCountryDatabase = "geo-whois-asn-country.mmdb";

// The shipped database found beside `executableFolder` (ending in '/'), or
// empty when there is none.
std::string ShippedCountryDatabase(const std::string& executableFolder);

// `settingPath` when set, else the shipped database of the running program
// (empty when there is none).
std::string ChosenCountryDatabase(const std::string& settingPath);

}  // namespace trafikon
