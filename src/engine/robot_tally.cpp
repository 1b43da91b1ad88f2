// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/robot_tally.h"

#include <bit>
#include <limits>

namespace trafikon {

namespace {

void AddSaturating(std::int64_t& total, std::int64_t value) {
    if (__builtin_add_overflow(total, value, &total))
        total = std::numeric_limits<std::int64_t>::max();
}

}  // namespace

AgentClass ClassifyAgent(const RobotSignatures& signatures, std::string_view userAgent,
                         bool agentsLogged) {
    AgentClass c{signatures.Classify(userAgent), false};
    if (c.match.kind == RobotKind::kEmptyAgent && !agentsLogged)
        c.match = RobotMatch{};
    c.browser = !userAgent.empty() && c.match.kind == RobotKind::kPerson &&
                BrowserFamilyOf(userAgent) != kOtherFamily;
    return c;
}

RobotTally::RobotTally(RobotSignatures signatures, const MonthAnalysis& analysis, bool agentsLogged)
    : signatures_(std::move(signatures)),
      analysis_(analysis),
      agentsLogged_(agentsLogged),
      hits_(analysis.spill()) {}

void RobotTally::Add(const PreparedHit& hit, bool page) {
    if (hit.day >= 1 && hit.day <= 31)
        day_ = hit.day;
    const LastHit& last = analysis_.lastHit();
    const std::uint32_t agent = AgentOf(last.agent);
    const std::uint32_t line = last.line;
    while (agentMatch_.size() <= agent) {  // positions are handed out in order
        const auto next = static_cast<std::uint32_t>(agentMatch_.size());
        AgentClass agentClass = ClassifyAgent(
            signatures_, next == 0 ? std::string_view() : analysis_.browsers.keys.Key(next - 1),
            agentsLogged_);
        agentBrowser_.push_back(agentClass.browser);
        agentRobot_.push_back(agentClass.match.kind != RobotKind::kPerson);
        agentMatch_.push_back(std::move(agentClass.match));
        agentTime_.Push(std::string_view());
        agentAskedTime_.Push(std::string_view());
        agentLine_.push_back(0);
        agentAskedLine_.push_back(0);
        agentAsked_.push_back(0);
    }
    const std::uint32_t host = last.host;
    if (host >= hostFlags_.size())
        hostFlags_.resize(host + 1, 0);
    std::uint8_t& flags = hostFlags_[host];
    flags |= HostFlagsOfHit(hit.path, page, agentBrowser_[agent]);
    // Times are kept for robots only: a person's agent needs one once its host
    // asked (and while it does not look like a browser showing pages).
    if (agentRobot_[agent]) {
        agentTime_.Set(agent, hit.time);
        agentLine_[agent] = line;
    } else if ((flags & kAskedRobotsTxt) &&
               !(agentBrowser_[agent] && (flags & kBrowserResources))) {
        agentAskedTime_.Set(agent, hit.time);
        agentAskedLine_[agent] = line;
        agentAsked_[agent] = 1;
    }
    // A line whose time cannot be read keeps the time of the line before.
    if (hit.secondOfDay >= 0)
        second_ = static_cast<std::uint32_t>((day_ - 1) * 86400 + hit.secondOfDay);
    hits_.Add({line, agent, host, page, static_cast<std::uint8_t>(day_),
               static_cast<std::uint64_t>(hit.hasBytes ? hit.bytes : 0), second_,
               page ? last.file : 0});
}

RobotTally::Results RobotTally::Finish(ClassifiedHits* also) const {
    Results out;
    out.lines = std::make_unique<PackedLists>(analysis_.spill(), true, ListBudget());
    std::vector<RobotRecord>& robots = out.robots;
    Audience& a = out.audience;
    // A robot is one name of one kind: named crawlers by their signature, a
    // host that asked for /robots.txt with an ordinary user agent under that
    // user agent. Each agent leads to at most two robots.
    std::vector<std::uint32_t> robotOfAgent(agentMatch_.size(), kNoRecord),
        robotsTxtOfAgent(agentMatch_.size(), kNoRecord);
    std::vector<std::uint32_t> lastLine;
    std::vector<std::uint32_t> peopleDays(hostFlags_.size()), robotDays(hostFlags_.size());
    std::vector<std::int64_t> personHits(agentMatch_.size()), robotHits(agentMatch_.size());
    KeyMap names;
    std::string key;
    // The kinds of the agents side by side, a byte each: read for every hit.
    std::vector<RobotKind> agentKind(agentMatch_.size());
    for (std::size_t agent = 0; agent < agentMatch_.size(); ++agent)
        agentKind[agent] = agentMatch_[agent].kind;
    hits_.ForEach([&](const StreamedHit& hit) {
        const std::uint32_t agent = hit.agent;
        const auto bytes = static_cast<std::int64_t>(hit.bytes);
        const RobotKind kind =
            HitRobotKind(agentKind[agent], agentBrowser_[agent] != 0, hostFlags_[hit.host]);
        const bool robot = kind != RobotKind::kPerson;
        if (also)
            also->Hit(hit, robot);
        AudienceTotals& t = robot ? a.robots : a.people;
        ++t.hits;
        if (hit.page)
            ++t.pages;
        AddSaturating(t.bytes, bytes);
        (robot ? robotDays : peopleDays)[hit.host] |= std::uint32_t{1} << (hit.day - 1);
        ++(robot ? robotHits : personHits)[agent];
        if (!robot)
            return;
        std::uint32_t& r =
            kind == RobotKind::kRobotsTxt ? robotsTxtOfAgent[agent] : robotOfAgent[agent];
        if (r == kNoRecord) {
            // Under the /robots.txt rule a robot is named by its user agent
            // ("-" in a log that has none).
            const std::string_view name = kind != RobotKind::kRobotsTxt
                                              ? std::string_view(agentMatch_[agent].name)
                                          : agent == 0 ? std::string_view("-")
                                                       : analysis_.browsers.keys.Key(agent - 1);
            key.assign(1, static_cast<char>(kind));
            key += name;
            bool added;
            r = names.FindOrAdd(key, added);
            if (added) {
                robots.push_back(RobotRecord{kind, 0, 0, 0, {}, {}, std::string(name)});
                lastLine.push_back(0);
            }
        }
        out.lines->Append(r, hit.line);
        RobotRecord& record = robots[r];
        ++record.hits;
        if (hit.page)
            ++record.pages;
        AddSaturating(record.bytes, bytes);
        // Last visit: the latest hit of its agents; for the /robots.txt rule,
        // from a host that had asked by then (none when every hit of the agent
        // came before its host asked with another agent).
        const bool asked = kind == RobotKind::kRobotsTxt;
        const std::uint32_t line = asked ? agentAskedLine_[agent] : agentLine_[agent];
        if ((!asked || agentAsked_[agent]) && (record.lastTime.empty() || line > lastLine[r])) {
            lastLine[r] = line;
            record.lastTime.assign(asked ? agentAskedTime_.Get(agent) : agentTime_.Get(agent));
        }
    });
    // Visitors: each host once for each day it came, as people or as a robot.
    for (std::size_t h = 0; h < peopleDays.size(); ++h) {
        a.people.visitors += std::popcount(peopleDays[h]);
        a.robots.visitors += std::popcount(robotDays[h]);
    }
    FamilyTally families;
    for (std::uint32_t agent = 0; agent < agentMatch_.size(); ++agent)
        families.AddAgent(agent == 0 ? std::string_view() : analysis_.browsers.keys.Key(agent - 1),
                          personHits[agent], robotHits[agent]);
    out.families = families.Groups();
    return out;
}

}  // namespace trafikon
