// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/country_database_file.h"

#include "state/program_folder.h"
#include "store/text_file.h"

namespace trafikon {

std::string ShippedCountryDatabase(const std::string& executableFolder) {
    if (executableFolder.empty())
        return {};
    for (const char* place : {"", "../share/trafikon/"}) {
        const std::string path = executableFolder + place + kShippedCountryDatabase;
        if (FileExists(path))
            return path;
    }
    return {};
}

std::string ChosenCountryDatabase(const std::string& settingPath) {
    return settingPath.empty() ? ShippedCountryDatabase(ExecutableFolder()) : settingPath;
}

}  // namespace trafikon
