// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference/key_index.h"

namespace trafikon {
namespace {

// Narrows lo and hi as the index's search does; both stay valid positions.
// `index` must not be empty.
void Search(std::string_view key, const KeyIndex& index, int& lo, int& hi) {
    lo = 0;
    hi = static_cast<int>(index.size()) - 1;
    while (lo + 1 < hi) {
        const std::string_view low = IndexKey(index[lo]);
        const std::string_view high = IndexKey(index[hi]);
        if (low < key && key < high) {
            const int mid = (lo + hi) / 2;
            const std::string_view middle = IndexKey(index[mid]);
            if (middle == key) {
                lo = hi = mid;
            } else if (middle < key) {
                lo = mid;
            } else {
                hi = mid;
            }
        } else if (low >= key) {
            hi = lo;
        } else {
            lo = hi;
        }
    }
}

}  // namespace

// std::string_view compares through char_traits<char>, which orders bytes as
// unsigned char: the ordinal byte order of the index.
std::string_view IndexKey(std::string_view line) {
    const std::size_t p = line.find("\\1;");
    return p == std::string_view::npos ? line : line.substr(0, p);
}

int FindKey(std::string_view key, const KeyIndex& index) {
    if (index.empty())
        return -1;
    int lo, hi;
    Search(key, index, lo, hi);
    if (IndexKey(index[lo]) == key)
        return lo;
    if (IndexKey(index[hi]) == key)
        return hi;
    return -1;
}

int InsertKey(std::string_view key, KeyIndex& index) {
    int pos = 0;
    if (!index.empty()) {
        int lo, hi;
        Search(key, index, lo, hi);
        if (IndexKey(index[lo]) > key)
            pos = lo;
        else if (IndexKey(index[hi]) < key)
            pos = hi + 1;
        else
            pos = hi;
    }
    index.insert(index.begin() + pos, std::string(key));
    return pos;
}

}  // namespace trafikon
