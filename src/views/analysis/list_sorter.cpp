// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/list_sorter.h"

namespace trafikon {

namespace {
// Letters fold onto upper case, so '_' (95) sorts after every letter.
unsigned char Fold(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}
}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = Fold(static_cast<unsigned char>(a[i]));
        unsigned char y = Fold(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int SortState::Click(int c) {
    if (c == state_ / 2)
        state_ = c * 2 + (bit() ? 0 : 1);
    else
        state_ = c * 2;
    return state_;
}

}  // namespace trafikon
