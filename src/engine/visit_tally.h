// SPDX-License-Identifier: GPL-3.0-or-later
// Visits and unique visitors of a month, from the hits as the robot tally
// hands them out with their class after the last one (so a visitor's visits
// fall wholly among people or among robots).
//
// A visitor is a host with a user agent; its key packs the host's and the
// agent's positions in the month's lists. A visit is a visitor's run of hits
// with no gap longer than `gapSeconds`. Lines may come out of time order
// (several files, rotated sets): the hits wait in a queue until the latest
// time seen passes theirs by `toleranceSeconds`, and leave it in time order,
// so lines out of order by less than that count as if they were in order. A
// later line is taken as it comes: it joins its visitor's open visit when it
// falls within the gap of either end, else it starts a visit of its own.
// Memory: the queue (the hits of the tolerance), the open visits (a few words
// each), the distinct-visitor keys (spilled past a budget), and one counter
// for each page for the entry and exit pages.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/distinct_keys.h"
#include "engine/month_analysis.h"
#include "engine/robot_tally.h"
#include "store/visit_file.h"

namespace trafikon {

// The longest gap within a visit for the analyses that follow, in minutes
// (1 to 1440; 30 until set): the user's setting, set by the program at start
// and when the settings change.
inline constexpr int kDefaultVisitGapMinutes = 30;
void SetVisitGapMinutes(int minutes);
std::uint32_t VisitGapSeconds();

struct VisitRules {
    std::uint32_t gapSeconds = VisitGapSeconds();
    std::uint32_t toleranceSeconds = 10 * 60;
    std::size_t topPages = 100;  // entry and exit pages kept
    std::size_t keyBudget = std::size_t{1} << 18;
    std::size_t pruneEvery = 4096;  // hits at least between two looks for closed visits
};

class VisitTally final : public ClassifiedHits {
  public:
    // `analysis` outlives the tally.
    explicit VisitTally(const MonthAnalysis& analysis, VisitRules rules = {});
    void Hit(const StreamedHit& hit, bool robot) override;
    // Closes the visits still open and counts the visitors; call once, after
    // the last hit. Throws IoError (reading the spilled keys).
    VisitSummary Finish();

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct Visit {
        std::uint64_t visitor = 0;
        std::uint32_t first = 0, last = 0;  // seconds of the month
        std::uint32_t entryTime = 0, exitTime = 0, entry = kNone, exit = kNone;
        std::uint32_t pages = 0, days = 0;  // days: bit d - 1 for each day seen
        bool robot = false, used = false;
    };
    // What a visit needs of a hit, while it waits in the queue.
    struct Queued {
        std::uint32_t host, agent, second, file;
        std::uint8_t day;
        bool page, robot;
    };
    void Take(const Queued& hit);
    Visit* Find(std::uint64_t visitor);
    Visit& Insert(std::uint64_t visitor);
    // Closes the visits that no hit can join any more (all with `all`) and
    // keeps the others.
    void Prune(bool all);
    void Close(const Visit& v);
    void CountDay(Visit& v, int day, std::uint64_t visitorBits);
    std::vector<VisitPage> Top(const std::vector<std::uint32_t>& counts) const;

    const MonthAnalysis& analysis_;
    VisitRules rules_;
    std::vector<Visit> table_, spare_;  // open addressing, linear probing
    std::size_t open_ = 0, sincePrune_ = 0;
    std::uint32_t latest_ = 0;  // of the hits come
    // Of the hit taken out of the queue last. The hits still queued may be
    // older than `latest_` by the tolerance, so the open visits are closed by
    // this time instead; and when a whole file of the month comes after a
    // later one, its visits are cut by its own times, not by the other's end.
    std::uint32_t taken_ = 0;
    // In time order from queue_[head_] on (equal times in the order they came).
    std::vector<Queued> queue_;
    std::size_t head_ = 0;
    DistinctKeys keys_;
    VisitSummary s_;
    // Durations: by the second up to kExactSeconds, longer ones as they are.
    std::vector<std::uint32_t> durations_[2];
    std::vector<std::uint32_t> longDurations_[2];
    std::vector<std::uint32_t> entries_, exits_;  // people's visits by file position
};

}  // namespace trafikon
