// SPDX-License-Identifier: GPL-3.0-or-later
// The sorted index the reference analysis keeps beside a result list while it
// builds it: lines of the form key "\1;" position, sorted by key in ordinal
// byte order (unsigned bytes, case-sensitive, a shorter prefix first).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

using KeyIndex = std::vector<std::string>;

// Key of an index line: its text before the first "\1;" (the whole line when it has none).
std::string_view IndexKey(std::string_view line);

// Position of the line whose key equals `key`, or -1. Binary search with the
// collapse rules of the index: lo = 0, hi = count - 1; while lo + 1 < hi and
// key(lo) < key < key(hi), halve the range; otherwise the range collapses to
// lo (key(lo) >= key) or to hi (key(hi) <= key).
int FindKey(std::string_view key, const KeyIndex& index);

// Inserts the bare key as a new line at its ordered place and returns that
// position; the caller then appends "\1;" and the record position to the line.
// Callers insert only keys that FindKey did not find.
int InsertKey(std::string_view key, KeyIndex& index);

}  // namespace trafikon
