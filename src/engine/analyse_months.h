// SPDX-License-Identifier: GPL-3.0-or-later
// A run of analyses over several stored months. Months are analysed side by
// side when the machine has cores to spare (each analysis already keeps two
// busy), yet everything is reported as a run of one month after the other
// would report it: in month order, on the calling thread, the progress and the
// malformed-line questions of the month in hand only. A month ahead of the one
// in hand that meets a malformed line waits for its turn to ask. The results
// are the same files whatever the number of months at once.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/analyse_log.h"

namespace trafikon {

class MonthsObserver {
  public:
    virtual ~MonthsObserver() = default;
    // `key` is now the month in hand; its progress, question and end follow.
    virtual void MonthInHand(const std::string& key) { (void)key; }
    // Share of the month in hand read, 0 to 100; called when it changes.
    virtual void Progress(int percent) { (void)percent; }
    // As AnalysisObserver::MalformedLine, for the month in hand.
    virtual MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) = 0;
    // The analysis of the month in hand ended (completed, cancelled at a
    // malformed line, stopped, or its log changed meanwhile).
    virtual void MonthEnded(const std::string& key, const AnalysisResult& result) {
        (void)key, (void)result;
    }
    // The analysis of the month in hand failed with `error` (an IoError,
    // StoreBusy or another exception). True goes on with the next month;
    // false ends the run, and the months after it are not reported.
    virtual bool MonthFailed(const std::string& key, std::exception_ptr error) = 0;
    // True ends the run: the months under way stop, no further month starts.
    // Called from any thread of the run.
    virtual bool StopRequested() { return false; }
};

// How many months this machine analyses at once: two for each three cores
// (two on two cores), as each month keeps about a core and a half busy, and
// no more than a quarter of the memory holds (a busy month's analysis may
// take a quarter of a gigabyte). Measured on two cores with varied months
// (bench/months_at_once.sh): two at once cost the same processor time as one
// at a time, end sooner, and take about 1.7 times the memory.
int MonthsAtOnce();
// The same for `cores` processor cores (0: unknown) and `memoryBytes` of
// memory (0: unknown).
int MonthsAtOnceFor(unsigned cores, std::uint64_t memoryBytes);

// Analyses `months` in their order with `monthsAtOnce` months at most under
// way. `wanted`, asked for each month when its turn to start comes (from any
// thread of the run), leaves a month out when false; a month left out is
// still in hand, and ends without a report. Run PrepareAnalysisRun before.
// `countryDatabase`: as for AnalyseLog.
void AnalyseMonths(const std::string& siteDir, const std::vector<std::string>& months,
                   const std::string& siteUrl,
                   const std::function<bool(const std::string&)>& wanted, MonthsObserver& observer,
                   int monthsAtOnce, const std::string& countryDatabase = {});

}  // namespace trafikon
