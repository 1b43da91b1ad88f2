// SPDX-License-Identifier: GPL-3.0-or-later
// How one analysis run talks to whoever started it: the desktop worker hands
// these calls over to the interface thread, the batch driver answers them
// itself. Every call comes from the thread that runs AnalyseLog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trafikon {

enum class MalformedLineAnswer {
    Ignore,     // drop the line and go on with the next one
    IgnoreAll,  // drop it and every further malformed line of the month, without asking
    Cancel,     // end the run; no file of the month is written
};

class AnalysisObserver {
  public:
    virtual ~AnalysisObserver() = default;

    // Share of the stored log read so far, 0 to 100; called only when it changes.
    virtual void Progress(int percent) { (void)percent; }

    // A line ran out of text before its last field. `lineNumber` is the 0-based
    // index of the line in the stored log, `line` its text as stored. The run
    // waits for the answer.
    virtual MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) = 0;

    // The run of `monthKey` was cancelled: nothing of the month was changed.
    virtual void Cancelled(const std::string& monthKey) { (void)monthKey; }

    // The run of `monthKey` completed: its ten files are written.
    virtual void MonthFinished(const std::string& monthKey) { (void)monthKey; }

    // Asked between batches of lines and before a malformed-line question:
    // true ends the run at once, without a question or a file written.
    virtual bool StopRequested() { return false; }
};

}  // namespace trafikon
