// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the month key and the day-time stamp of one log line, by the field
// rules of the log format, for the import of logs into the store.
//
// Only the fields up to the last date field of the format (t, d or H), or up
// to the virtual host v when it comes later, are taken: the fields after them
// cannot change the date nor the site of the line. The values that only the
// date completion sets (d and H when the format is dated by t, t when it is
// dated by d and H) carry over from one line to the next, as one set of field
// values is kept for a whole run. A field that a short line lacks is empty.
#pragma once

#include <string>
#include <string_view>

#include "store/log_line_splitter.h"

namespace trafikon {

// A month key is well formed when it is four ASCII digits, "-", two ASCII
// digits ("2002-00" included); anything else cannot name a store file.
bool IsWellFormedMonthKey(std::string_view key);

class LineDater {
  public:
    // codes: the format, one code letter per field, in order.
    explicit LineDater(std::string_view codes);

    // Splits `line` and completes its date. Afterwards monthKey() holds
    // year + "-" + month number and stamp() the line's DD:hh:mm:ss, both taken
    // by position from whatever stands at the date positions. The line is not
    // copied: t() and v() view it, for as long as it stays in place.
    void Date(std::string_view line);

    const std::string& monthKey() const { return key_; }
    const std::string& stamp() const { return stamp_; }
    std::string_view t() const { return splitter_['t']; }
    // The virtual host of the line; empty when the format has none.
    std::string_view v() const { return splitter_['v']; }
    bool formatHasT() const { return hasT_; }

  private:
    bool hasT_ = false;
    LogLineSplitter splitter_;  // the format cut after its last date field; one for the run
    std::string key_, stamp_;
};

}  // namespace trafikon
