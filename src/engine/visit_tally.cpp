// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/visit_tally.h"

#include <algorithm>
#include <functional>

namespace trafikon {

namespace {

constexpr std::uint32_t kExactSeconds = 4 * 3600;
constexpr std::size_t kMinTable = 1024;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The 58 bits of a visitor in its distinct keys, beside its class and day:
// the host and agent positions themselves while both fit in 29 bits (always,
// short of half a billion of either), else a hash.
std::uint64_t VisitorBits(std::uint64_t visitor) {
    constexpr std::uint64_t kLow58 = (std::uint64_t{1} << 58) - 1;
    const std::uint64_t host = visitor >> 32, agent = visitor & 0xFFFFFFFFu;
    if (host < (1u << 29) && agent < (1u << 29))
        return host << 29 | agent;
    return Mix(visitor) & kLow58;
}

std::uint64_t DistinctKey(bool robot, int day, std::uint64_t bits) {
    return (robot ? std::uint64_t{1} << 63 : 0) | static_cast<std::uint64_t>(day) << 58 | bits;
}

std::int64_t Median(const std::vector<std::uint32_t>& byExactSecond,
                    std::vector<std::uint32_t>& longer, std::int64_t count) {
    if (count == 0)
        return 0;
    std::int64_t rank = (count - 1) / 2;  // the lower middle
    for (std::size_t s = 0; s < byExactSecond.size(); ++s) {
        if (rank < byExactSecond[s])
            return static_cast<std::int64_t>(s);
        rank -= byExactSecond[s];
    }
    std::nth_element(longer.begin(), longer.begin() + rank, longer.end());
    return longer[static_cast<std::size_t>(rank)];
}

}  // namespace

namespace {
std::atomic<std::uint32_t> visitGapSeconds{kDefaultVisitGapMinutes * 60};
}  // namespace

void SetVisitGapMinutes(int minutes) {
    visitGapSeconds = static_cast<std::uint32_t>(std::clamp(minutes, 1, 24 * 60)) * 60;
}

std::uint32_t VisitGapSeconds() {
    return visitGapSeconds;
}

VisitTally::VisitTally(const MonthAnalysis& analysis, VisitRules rules)
    : analysis_(analysis), rules_(rules), keys_(analysis.spill(), rules.keyBudget) {
    table_.resize(kMinTable);
    for (auto& d : durations_)
        d.assign(kExactSeconds, 0);
}

VisitTally::Visit* VisitTally::Find(std::uint64_t visitor) {
    const std::size_t mask = table_.size() - 1;
    for (std::size_t i = Mix(visitor) & mask;; i = (i + 1) & mask) {
        Visit& v = table_[i];
        if (!v.used)
            return nullptr;
        if (v.visitor == visitor)
            return &v;
    }
}

VisitTally::Visit& VisitTally::Insert(std::uint64_t visitor) {
    if ((open_ + 1) * 2 > table_.size()) {
        spare_.assign(table_.size() * 2, Visit{});
        table_.swap(spare_);
        open_ = 0;
        for (const Visit& v : spare_)
            if (v.used)
                Insert(v.visitor) = v;
    }
    const std::size_t mask = table_.size() - 1;
    std::size_t i = Mix(visitor) & mask;
    while (table_[i].used)
        i = (i + 1) & mask;
    ++open_;
    table_[i].used = true;
    table_[i].visitor = visitor;
    return table_[i];
}

void VisitTally::Prune(bool all) {
    sincePrune_ = 0;
    const std::uint64_t reach = std::uint64_t{rules_.gapSeconds} + rules_.toleranceSeconds;
    spare_.assign(table_.size(), Visit{});
    table_.swap(spare_);
    open_ = 0;
    for (const Visit& v : spare_) {
        if (!v.used)
            continue;
        if (all || v.last + reach < taken_)
            Close(v);
        else
            Insert(v.visitor) = v;
    }
}

void VisitTally::CountDay(Visit& v, int day, std::uint64_t visitorBits) {
    const std::uint32_t bit = std::uint32_t{1} << (day - 1);
    if (v.days & bit)
        return;
    v.days |= bit;
    keys_.Add(DistinctKey(v.robot, day, visitorBits));
}

void VisitTally::Hit(const StreamedHit& hit, bool robot) {
    latest_ = std::max(latest_, hit.second);
    // Lines are mostly in order: a new hit goes at the end, or a few places before it.
    queue_.push_back({hit.host, hit.agent, hit.second, hit.file, hit.day, hit.page, robot});
    for (std::size_t i = queue_.size() - 1; i > head_ && queue_[i - 1].second > queue_[i].second;
         --i)
        std::swap(queue_[i - 1], queue_[i]);
    while (head_ < queue_.size() &&
           std::uint64_t{queue_[head_].second} + rules_.toleranceSeconds < latest_)
        Take(queue_[head_++]);
    if (head_ == queue_.size()) {
        queue_.clear();
        head_ = 0;
    } else if (head_ >= 4096 && head_ * 2 >= queue_.size()) {
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }
}

void VisitTally::Take(const Queued& hit) {
    const bool robot = hit.robot;
    const std::uint64_t visitor = std::uint64_t{hit.host} << 32 | hit.agent;
    const std::uint32_t t = hit.second;
    taken_ = t;
    const std::uint64_t gap = rules_.gapSeconds;
    Visit* v = Find(visitor);
    const bool joins = v && t <= v->last + gap && t + gap >= v->first;
    if (v && !joins) {
        Close(*v);
        *v = Visit{};
        v->used = true;
        v->visitor = visitor;
    } else if (!v) {
        v = &Insert(visitor);
    }
    const std::uint64_t bits = VisitorBits(visitor);
    if (joins) {
        v->first = std::min(v->first, t);
        v->last = std::max(v->last, t);
    } else {
        v->first = v->last = t;
        v->robot = robot;
        keys_.Add(DistinctKey(robot, 0, bits));
    }
    if (hit.page) {
        ++v->pages;
        if (v->entry == kNone || t < v->entryTime) {
            v->entry = hit.file;
            v->entryTime = t;
        }
        if (v->exit == kNone || t >= v->exitTime) {
            v->exit = hit.file;
            v->exitTime = t;
        }
    }
    CountDay(*v, hit.day, bits);
    if (++sincePrune_ >= std::max(rules_.pruneEvery, open_))
        Prune(false);
}

void VisitTally::Close(const Visit& v) {
    VisitTotals& t = v.robot ? s_.robots : s_.people;
    ++t.visits;
    t.pages += v.pages;
    const std::uint32_t duration = v.last - v.first;
    t.seconds += duration;
    if (v.pages == 1)
        ++t.bounces;
    const int day = std::min<int>(static_cast<int>(v.first / 86400), 30);
    const int hour = static_cast<int>(v.first % 86400 / 3600);
    ++(v.robot ? s_.robotVisits : s_.peopleVisits)[day];
    ++(v.robot ? s_.robotHourVisits : s_.peopleHourVisits)[hour];
    if (duration < kExactSeconds)
        ++durations_[v.robot][duration];
    else
        longDurations_[v.robot].push_back(duration);
    if (v.robot || v.entry == kNone)
        return;
    for (auto [counts, file] : {std::pair{&entries_, v.entry}, {&exits_, v.exit}}) {
        if (counts->size() <= file)
            counts->resize(std::max<std::size_t>(file + 1, analysis_.files.size()), 0);
        ++(*counts)[file];
    }
}

std::vector<VisitPage> VisitTally::Top(const std::vector<std::uint32_t>& counts) const {
    std::vector<std::uint32_t> files;
    for (std::uint32_t f = 0; f < counts.size(); ++f)
        if (counts[f] > 0)
            files.push_back(f);
    const std::size_t n = std::min(files.size(), rules_.topPages);
    std::partial_sort(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(n), files.end(),
                      [&](std::uint32_t a, std::uint32_t b) {
                          return counts[a] != counts[b] ? counts[a] > counts[b] : a < b;
                      });
    std::vector<VisitPage> top;
    for (std::size_t i = 0; i < n; ++i)
        top.push_back({counts[files[i]], std::string(analysis_.files.keys.Key(files[i]))});
    return top;
}

VisitSummary VisitTally::Finish() {
    while (head_ < queue_.size())
        Take(queue_[head_++]);
    queue_.clear();
    head_ = 0;
    Prune(true);
    keys_.ForEachDistinct([&](std::uint64_t key) {
        const bool robot = key >> 63;
        const int day = static_cast<int>(key >> 58 & 31);
        if (day == 0)
            ++(robot ? s_.robots : s_.people).visitors;
        else
            ++(robot ? s_.robotVisitors : s_.peopleVisitors)[day - 1];
    });
    for (int robot = 0; robot < 2; ++robot) {
        VisitTotals& t = robot ? s_.robots : s_.people;
        t.medianSeconds = Median(durations_[robot], longDurations_[robot], t.visits);
    }
    s_.entries = Top(entries_);
    s_.exits = Top(exits_);
    return s_;
}

}  // namespace trafikon
