#include "shell/settings.h"

namespace trafikon {

std::string Settings::languageCode() const {
    const std::string& s = values[3];
    if (s.size() < 3)
        return s;
    return s.substr(s.size() - 3, 2);
}

}  // namespace trafikon
