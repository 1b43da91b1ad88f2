#include "shell/language_table.h"

namespace trafikon {

const std::string& LanguageTable::Text(int entry) const {
    static const std::string empty;
    if (entry < 0 || static_cast<std::size_t>(entry) >= entries_.size())
        return empty;
    return entries_[static_cast<std::size_t>(entry)];
}

}  // namespace trafikon
