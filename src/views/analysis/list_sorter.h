// SPDX-License-Identifier: GPL-3.0-or-later
// Header-click sorting shared by the lists of the analysis window.
//
// A sort state is one integer, 0 for a fresh list: column = state / 2 and
// direction bit = state % 2. Clicking the column of the state flips the bit;
// clicking another column sets column * 2 (bit 0). Then:
//   column 0, bit 0: first column as text, ascending;   bit 1: descending;
//   other column, bit 0: second column as integer, descending; bit 1: ascending.
// Text order folds a-z onto A-Z and compares other bytes by code. Sorting is
// stable, so equal keys keep their table order.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace trafikon {

// <0, 0, >0: case-insensitive for ASCII letters only, bytes by code otherwise.
int CompareListText(std::string_view a, std::string_view b);

class SortState {
  public:
    int state() const { return state_; }
    int column() const { return state_ / 2; }
    bool bit() const { return (state_ % 2) != 0; }
    // Applies a click on column c (0-based) and returns the new state.
    int Click(int c);
    void Reset() { state_ = 0; }

  private:
    int state_ = 0;
};

// Sorts rows by a state. `text(row)` gives the first column, `number(row)` the
// second column as an integer.
template <class Row, class TextOf, class NumberOf>
void SortRowsByState(std::vector<Row>& rows, int state, TextOf text, NumberOf number) {
    const bool bit = (state % 2) != 0;
    if (state / 2 == 0) {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            int c = CompareListText(text(a), text(b));
            return bit ? c > 0 : c < 0;
        });
    } else {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            return bit ? number(a) < number(b) : number(a) > number(b);
        });
    }
}

// The external-query list of a file detail: always by its first column as
// text, descending when the bit is 1, ascending when 0, whatever the column.
template <class Row, class TextOf>
void SortRowsByTextOnly(std::vector<Row>& rows, int state, TextOf text) {
    SortRowsByState(rows, (state % 2), text, [](const Row&) { return 0LL; });
}

}  // namespace trafikon
