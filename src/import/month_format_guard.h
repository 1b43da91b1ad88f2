// SPDX-License-Identifier: GPL-3.0-or-later
// One format per month: every line of a stored month is split by the month's
// one format file, so lines of another format must never enter it.
//
// A month that holds lines keeps its format: an import whose lines have
// another format is refused. W3C lines are the one exception, as their
// "#Fields:" directive names every field: they are rewritten into the month's
// field order, with "-" for a field they lack (and for every N field, whose
// meaning is not known), provided they carry the month's date fields.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "store/log_format.h"

namespace trafikon {

// The format the stored lines of month `key` are split by: its format file
// when its stored log holds lines; empty for a month without lines. Throws IoError.
FieldFormat StoredMonthFormat(const std::string& siteDir, const std::string& key);

// Whether W3C lines of `lineCodes` can be rewritten into `monthCodes`: the
// month's date fields (t, d, H) are all among the line's.
bool CanRewriteFields(std::string_view lineCodes, std::string_view monthCodes);

// Writes into `out` the fields of `line` (split by `lineCodes`) in the order of
// `monthCodes`, separated by one blank; a field the line lacks, an empty one
// and every N field become "-", a blank inside a value "+"; a value that
// begins with '"' or '[' is quoted. Split by `monthCodes`, the result always
// has every field.
void RewriteFields(std::string_view line, std::string_view lineCodes, std::string_view monthCodes,
                   std::string& out);

// The refusal of a file whose lines would enter a month stored under another format.
class MonthFormatConflict : public std::runtime_error {
  public:
    MonthFormatConflict(std::string path, std::string month, FieldFormat monthCodes,
                        FieldFormat fileCodes);
    std::string path, month;
    FieldFormat monthCodes, fileCodes;
};

}  // namespace trafikon
