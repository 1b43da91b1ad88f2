#include "engine/robot_tally.h"

#include <bit>
#include <limits>

#include "store/tagged_record.h"

namespace trafikon {

RobotTally::RobotTally(RobotSignatures signatures) : signatures_(std::move(signatures)) {}

void RobotTally::Add(const PreparedHit& hit, bool page, std::uint32_t lineNumber) {
    if (hit.day >= 1 && hit.day <= 31)
        day_ = hit.day;
    bool added;
    const std::uint32_t agent = agents_.FindOrAdd(hit.userAgent, hit.agentHash, added);
    if (added)
        agentMatch_.push_back(signatures_.Classify(hit.userAgent));
    const std::uint32_t host = hosts_.FindOrAdd(hit.host, hit.hostHash, added);
    if (added)
        askedRobotsTxt_.push_back(0);
    if (hit.path == "/robots.txt")
        askedRobotsTxt_[host] = 1;

    const std::uint64_t key = (std::uint64_t{host} << 32) | agent;
    if (lastPair_ == kNoRecord || key != lastPairKey_) {
        const auto [it, fresh] =
            pairIndex_.try_emplace(key, static_cast<std::uint32_t>(pairs_.size()));
        if (fresh) {
            pairs_.push_back(Pair{host, agent});
            pairTime_.Push(hit.time);
        }
        lastPair_ = it->second;
        lastPairKey_ = key;
    }
    Pair& p = pairs_[lastPair_];
    ++p.hits;
    if (page)
        ++p.pages;
    if (hit.hasBytes && __builtin_add_overflow(p.bytes, hit.bytes, &p.bytes))
        p.bytes = std::numeric_limits<std::int64_t>::max();
    p.days |= std::uint32_t{1} << (day_ - 1);
    p.lastLine = lineNumber;
    pairTime_.Set(lastPair_, hit.time);
    hitPair_.push_back(lastPair_);
    hitLine_.push_back(lineNumber);
}

RobotKind RobotTally::KindOf(const Pair& p) const {
    const RobotKind kind = agentMatch_[p.agent].kind;
    if (kind == RobotKind::kPerson && askedRobotsTxt_[p.host])
        return RobotKind::kRobotsTxt;
    return kind;
}

std::vector<RobotRecord> RobotTally::Robots() const {
    // A robot is one name of one kind; a host that asked for /robots.txt with
    // an ordinary user agent is listed under that user agent.
    KeyMap names;
    std::vector<RobotRecord> robots;
    std::vector<std::uint32_t> robotOfPair(pairs_.size(), kNoRecord);
    std::vector<std::uint32_t> lastLine;
    std::string key;
    for (std::uint32_t i = 0; i < pairs_.size(); ++i) {
        const Pair& p = pairs_[i];
        const RobotKind kind = KindOf(p);
        if (kind == RobotKind::kPerson)
            continue;
        const std::string_view name = kind == RobotKind::kRobotsTxt
                                          ? agents_.Key(p.agent)
                                          : std::string_view(agentMatch_[p.agent].name);
        key.assign(1, static_cast<char>(kind));
        key += name;
        bool added;
        const std::uint32_t r = names.FindOrAdd(key, added);
        if (added) {
            robots.push_back(RobotRecord{kind, 0, 0, 0, {}, {}, std::string(name)});
            lastLine.push_back(0);
        }
        RobotRecord& robot = robots[r];
        robot.hits += p.hits;
        robot.pages += p.pages;
        if (__builtin_add_overflow(robot.bytes, p.bytes, &robot.bytes))
            robot.bytes = std::numeric_limits<std::int64_t>::max();
        if (robot.lastTime.empty() || p.lastLine >= lastLine[r]) {
            lastLine[r] = p.lastLine;
            robot.lastTime.assign(pairTime_.Get(i));
        }
        robotOfPair[i] = r;
    }
    std::vector<std::uint32_t> robotOfHit(hitPair_.size());
    for (std::size_t h = 0; h < hitPair_.size(); ++h)
        robotOfHit[h] = robotOfPair[hitPair_[h]];
    const GroupedLists lines = GroupByRecord(robotOfHit, hitLine_, robots.size());
    for (std::uint32_t r = 0; r < robots.size(); ++r) {
        std::string& list = robots[r].lines;
        list = "-";
        for (std::uint32_t line : lines.List(r)) {
            list += std::to_string(line);
            list += '-';
        }
    }
    return robots;
}

Audience RobotTally::Totals() const {
    Audience a;
    std::vector<std::uint32_t> peopleDays(hosts_.size()), robotDays(hosts_.size());
    for (const Pair& p : pairs_) {
        const bool robot = KindOf(p) != RobotKind::kPerson;
        AudienceTotals& t = robot ? a.robots : a.people;
        t.hits += p.hits;
        t.pages += p.pages;
        if (__builtin_add_overflow(t.bytes, p.bytes, &t.bytes))
            t.bytes = std::numeric_limits<std::int64_t>::max();
        (robot ? robotDays : peopleDays)[p.host] |= p.days;
    }
    // Visitors: each host once for each day it came, as people or as a robot.
    for (std::size_t h = 0; h < hosts_.size(); ++h) {
        a.people.visitors += std::popcount(peopleDays[h]);
        a.robots.visitors += std::popcount(robotDays[h]);
    }
    return a;
}

}  // namespace trafikon
