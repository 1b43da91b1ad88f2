#include "views/analysis/tabs_sort.h"

#include <algorithm>

namespace trafikon::tabs {

int NextSortState(int state, int clickedColumn) {
    if (clickedColumn == state / 2)
        return clickedColumn * 2 + (1 - state % 2);
    return clickedColumn * 2;
}

int CompareListText(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void SortRows(std::vector<int>& rows, const std::vector<NameCount>& table, int state) {
    const bool bit = state % 2 == 1;
    auto at = [&](int r) -> const NameCount& { return table[static_cast<std::size_t>(r)]; };
    if (state / 2 == 0) {
        if (bit)
            std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
                return CompareListText(at(a).name, at(b).name) > 0;
            });
        else
            std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
                return CompareListText(at(a).name, at(b).name) < 0;
            });
    } else if (bit) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return at(a).count < at(b).count; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return at(a).count > at(b).count; });
    }
}

void SortRowsByText(std::vector<int>& rows, const std::vector<std::string_view>& texts, int state) {
    auto text = [&](int r) { return texts[static_cast<std::size_t>(r)]; };
    if (state % 2 == 1)
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return CompareListText(text(a), text(b)) > 0; });
    else
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return CompareListText(text(a), text(b)) < 0; });
}

}  // namespace trafikon::tabs
