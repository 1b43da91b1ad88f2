// SPDX-License-Identifier: GPL-3.0-or-later
// Splits log lines by a field format: the one home of the splitting rules,
// used by the import (month and time of each line), the format detection, the
// rewriting of W3C lines, and the analysis run, whose hot path it is.
//
// A line gets one blank appended; then each field is taken off its front:
// 1. a '"' starts a quoted value that ends at the first "\" " (quotes dropped;
//    the opening quote itself counts, so '" ' at once gives an empty value);
// 2. a '[' starts a value that ends with the first "] " (brackets kept);
// 3. otherwise the value runs to the first blank;
// the line then loses the value and its end. When the end is not found the
// value is empty and the line loses one character.
// 4. For the code 'r' only, the rest of a request that held '"' + blank is then
//    skipped: while the line does not begin with '-' or a digit, it loses
//    everything through the next '"' and one more character (one character
//    when it holds no '"').
//
// Values are views into the splitter's own copy of the line (or, with
// SplitInPlace, into the line itself), never copied: nothing is allocated per
// field. Values that the date completion and
// CompleteRequest make are kept in owned buffers and stay until a later line
// replaces them, so a value a line does not set keeps what an earlier line left.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "store/log_format.h"

namespace trafikon {

class LogLineSplitter {
  public:
    // `format` holds the field codes in order; a letter outside the fifteen
    // takes its field off the line and its value is never read.
    explicit LogLineSplitter(FieldFormat format);

    // Empties t and r, then takes the fields of `line` (without its line end,
    // a blank appended) in format order (an 'N' overwrites the previous 'N').
    // False when the line had no text left when a field was due: a malformed
    // line, whose fields from there on are empty.
    bool Split(std::string_view line);
    // The same without copying the line: the values view `line` itself, which
    // must stay in place, unchanged, for as long as they are read.
    bool SplitInPlace(std::string_view line);

    // Completes the date, then gives IIS lines, which have no request line,
    // the request "M I HTTP/1.1" (CompleteRequest).
    void Complete();
    // Completes the date only. When t is not empty ("[24/Mar/2002:01:37:08
    // +0100]") sets d (2002-03-24) and H (01:37:08) from it; a month name not
    // in MonthNames (exact case) gives the month number "00". Otherwise builds
    // t from d (YYYY-MM-DD) and H (hh:mm:ss) with the zone " +0200"; a month
    // number other than 01..12 gives an empty month name. Characters are taken
    // by position; a text too short yields what is there (possibly empty).
    void CompleteDate();

    // One field at a time, for callers that look at each field in turn:
    // takes the field at `pos` of `text` (a line with its blank appended) by
    // the rules above and moves `pos` past it. Once `pos` reaches the end of
    // `text` the line has run out: the value is empty and `pos` stays.
    static std::string_view TakeField(std::string_view text, std::size_t& pos, char code);

    // The value of a field code; valid until the next Split.
    std::string_view operator[](char code) const {
        return values_[static_cast<unsigned char>(code)];
    }

  private:
    // Splits text[0, n), the line and its blank; the blank is at n - 1 in
    // memory only when `real` is n, otherwise the line is text[0, real).
    bool SplitText(const char* text, std::size_t n, std::size_t real);
    bool EmptyFrom(std::size_t index);  // empties the fields from format_[index] on; false
    void CompleteRequest();

    FieldFormat format_;
    std::array<std::string_view, 256> values_{};
    std::string line_;
    // Values made by Complete; their parts are at most a few characters each.
    char time_[40], date_[16], hour_[16];
    // The first characters of the last timestamp whose date_ was taken straight from it.
    char datePrefix_[12];
    bool dateFromPrefix_ = false;
    std::string request_;
};

}  // namespace trafikon
