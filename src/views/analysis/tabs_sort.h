// Header-click sorting of the two-column lists (name, count) of the files,
// hosts and referrer tabs, and of the query list of a file detail.
//
// A sort state is column * 2 + direction bit, 0 for a fresh list. Clicking the
// column the state already names flips the bit; another column starts at bit 0.
#pragma once

#include <string_view>
#include <vector>

#include "views/analysis/tabs_records.h"

namespace trafikon::tabs {

int NextSortState(int state, int clickedColumn);

// Text order of the lists: A to Z compare as a to z, everything else by byte value.
int CompareListText(std::string_view a, std::string_view b);
inline bool ListTextLess(std::string_view a, std::string_view b) {
    return CompareListText(a, b) < 0;
}

// Sorts row numbers (indices into `table`) for a state:
//   column 0, bit 0: name ascending      column 0, bit 1: name descending
//   other,    bit 0: count descending    other,    bit 1: count ascending
// Equal keys keep their previous order.
void SortRows(std::vector<int>& rows, const std::vector<NameCount>& table, int state);

// Sorts row numbers by a text alone (the query list of a file detail):
// descending when the state's bit is 1, ascending otherwise, whatever the column.
void SortRowsByText(std::vector<int>& rows, const std::vector<std::string_view>& texts, int state);

}  // namespace trafikon::tabs
