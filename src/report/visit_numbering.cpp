// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/visit_numbering.h"

#include <algorithm>

#include "engine/visit_tally.h"

namespace trafikon::report {

namespace {
constexpr std::uint32_t kLetGoEvery = 4096;
}  // namespace

std::uint64_t VisitNumbering::Number(std::uint64_t visitor, std::int64_t seconds) {
    // The analysis's rules: its gap, and lines out of time order by up to its
    // tolerance still find their visit open.
    const VisitRules rules;
    const std::int64_t gap = rules.gapSeconds;
    const std::int64_t tolerance = rules.toleranceSeconds;
    latest_ = std::max(latest_, seconds);
    if (++sinceLetGo_ >= kLetGoEvery && open_.size() >= kLetGoEvery) {
        sinceLetGo_ = 0;
        std::erase_if(open_, [&](const auto& entry) {
            return entry.second.last + gap + tolerance < latest_;
        });
    }
    auto [it, added] = open_.try_emplace(visitor, Open{seconds, seconds, 0});
    Open& visit = it->second;
    if (!added && seconds >= visit.first - gap && seconds <= visit.last + gap) {
        visit.first = std::min(visit.first, seconds);
        visit.last = std::max(visit.last, seconds);
        return visit.number;
    }
    visit = {seconds, seconds, ++count_};
    return visit.number;
}

}  // namespace trafikon::report
