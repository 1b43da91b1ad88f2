// SPDX-License-Identifier: GPL-3.0-or-later
// The reference analysis's own field splitting, written from the rules rather
// than for speed: each value is copied into its own string. The analysis and
// the import split with LogLineSplitter; the differential test holds the two
// together.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trafikon::testing {

// One reusable text per code letter (any byte may index it); a value that a
// line does not set keeps what the previous line left.
class LogFields {
  public:
    std::string& operator[](char code) { return values_[static_cast<unsigned char>(code)]; }
    const std::string& operator[](char code) const {
        return values_[static_cast<unsigned char>(code)];
    }

  private:
    std::array<std::string, 256> values_;
};

// Takes the next field off the front of `line` (which ends with the blank
// appended before the first field) into `value`, a view into the line:
// 1. a '"' starts a quoted value that ends at the first "\" " (quotes dropped);
// 2. a '[' starts a value that ends with the first "] " (brackets kept);
// 3. otherwise the value runs to the first blank;
// the line then loses the value and its end. When the end is not found the
// value is empty and the line loses one character; an empty line stays empty.
// 4. For the code 'r' only, the rest of a request that held '"' + blank is then
//    skipped: while the line does not begin with '-' or a digit, it loses
//    everything through the next '"' and one more character.
void ExtractField(std::string_view& line, std::string_view& value, char code);

// Completes the date of a line: from a non-empty t, d (YYYY-MM-DD) and H
// (hh:mm:ss); otherwise t from d and H with the zone " +0200". Characters are
// taken by position.
void NormaliseDates(LogFields& fields);

}  // namespace trafikon::testing
