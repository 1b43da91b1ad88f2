#include "engine/robot_tally.h"

#include <bit>
#include <charconv>
#include <limits>

namespace trafikon {

namespace {

void AddSaturating(std::int64_t& total, std::int64_t value) {
    if (__builtin_add_overflow(total, value, &total))
        total = std::numeric_limits<std::int64_t>::max();
}

}  // namespace

RobotTally::RobotTally(RobotSignatures signatures, const MonthAnalysis& analysis, bool agentsLogged)
    : signatures_(std::move(signatures)), analysis_(analysis), agentsLogged_(agentsLogged) {}

void RobotTally::Add(const PreparedHit& hit) {
    if (hit.day >= 1 && hit.day <= 31)
        day_ = hit.day;
    const std::uint32_t agent = AgentOf(analysis_.hitAgents().back());
    const std::uint32_t line = analysis_.hitLines().back();
    while (agentMatch_.size() <= agent) {  // positions are handed out in order
        const auto next = static_cast<std::uint32_t>(agentMatch_.size());
        RobotMatch match = signatures_.Classify(next == 0 ? std::string_view()
                                                          : analysis_.browsers.keys.Key(next - 1));
        if (match.kind == RobotKind::kEmptyAgent && !agentsLogged_)
            match = RobotMatch{};
        agentMatch_.push_back(std::move(match));
        agentTime_.Push({});
        agentAskedTime_.Push({});
        agentLine_.push_back(0);
        agentAskedLine_.push_back(0);
        agentAsked_.push_back(0);
    }
    const std::uint32_t host = analysis_.hitHosts().back();
    if (host >= askedRobotsTxt_.size())
        askedRobotsTxt_.resize(host + 1, 0);
    if (hit.path == "/robots.txt")
        askedRobotsTxt_[host] = 1;
    // Times are kept for robots only: a person's agent needs one once its host asked.
    if (agentMatch_[agent].kind != RobotKind::kPerson) {
        agentTime_.Set(agent, hit.time);
        agentLine_[agent] = line;
    } else if (askedRobotsTxt_[host]) {
        agentAskedTime_.Set(agent, hit.time);
        agentAskedLine_[agent] = line;
        agentAsked_[agent] = 1;
    }
    hitBytes_.push_back(hit.hasBytes ? hit.bytes : 0);
    hitDay_.push_back(static_cast<std::uint8_t>(day_));
}

RobotKind RobotTally::KindOf(std::uint32_t agent, std::uint32_t host) const {
    const RobotKind kind = agentMatch_[agent].kind;
    if (kind == RobotKind::kPerson && askedRobotsTxt_[host])
        return RobotKind::kRobotsTxt;
    return kind;
}

std::vector<std::uint32_t> RobotTally::ClassifyHits(std::vector<RobotRecord>& robots) const {
    // A robot is one name of one kind: named crawlers by their signature, a
    // host that asked for /robots.txt with an ordinary user agent under that
    // user agent. Each agent leads to at most two robots.
    const std::vector<std::uint32_t>& hosts = analysis_.hitHosts();
    const std::vector<std::uint32_t>& agents = analysis_.hitAgents();
    const std::vector<std::uint32_t>& files = analysis_.hitFiles();
    std::vector<std::uint32_t> robotOfAgent(agentMatch_.size(), kNoRecord),
        robotsTxtOfAgent(agentMatch_.size(), kNoRecord), robotOfHit(hosts.size(), kNoRecord);
    std::vector<std::uint32_t> lastLine;
    KeyMap names;
    std::string key;
    for (std::size_t h = 0; h < hosts.size(); ++h) {
        const std::uint32_t agent = AgentOf(agents[h]);
        const RobotKind kind = KindOf(agent, hosts[h]);
        if (kind == RobotKind::kPerson)
            continue;
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
        robotOfHit[h] = r;
        RobotRecord& robot = robots[r];
        ++robot.hits;
        if (analysis_.files.type[files[h]] == kPage)
            ++robot.pages;
        AddSaturating(robot.bytes, hitBytes_[h]);
        // Last visit: the latest hit of its agents; for the /robots.txt rule,
        // from a host that had asked by then (none when every hit of the agent
        // came before its host asked with another agent).
        const bool asked = kind == RobotKind::kRobotsTxt;
        const std::uint32_t line = asked ? agentAskedLine_[agent] : agentLine_[agent];
        if ((!asked || agentAsked_[agent]) && (robot.lastTime.empty() || line > lastLine[r])) {
            lastLine[r] = line;
            robot.lastTime.assign(asked ? agentAskedTime_.Get(agent) : agentTime_.Get(agent));
        }
    }
    return robotOfHit;
}

RobotTally::Results RobotTally::Finish() const {
    Results out;
    const std::vector<std::uint32_t> robotOfHit = ClassifyHits(out.robots);
    const GroupedLists lines = GroupByRecord(robotOfHit, analysis_.hitLines(), out.robots.size());
    char number[16];
    for (std::uint32_t r = 0; r < out.robots.size(); ++r) {
        std::string& list = out.robots[r].lines;
        list.reserve(1 + lines.List(r).size() * 8);
        list = "-";
        for (std::uint32_t line : lines.List(r)) {
            list.append(number, std::to_chars(number, number + sizeof number, line).ptr);
            list += '-';
        }
    }

    Audience& a = out.audience;
    const std::vector<std::uint32_t>& hosts = analysis_.hitHosts();
    const std::vector<std::uint32_t>& files = analysis_.hitFiles();
    std::vector<std::uint32_t> peopleDays(askedRobotsTxt_.size()),
        robotDays(askedRobotsTxt_.size());
    for (std::size_t h = 0; h < robotOfHit.size(); ++h) {
        const bool robot = robotOfHit[h] != kNoRecord;
        AudienceTotals& t = robot ? a.robots : a.people;
        ++t.hits;
        if (analysis_.files.type[files[h]] == kPage)
            ++t.pages;
        AddSaturating(t.bytes, hitBytes_[h]);
        (robot ? robotDays : peopleDays)[hosts[h]] |= std::uint32_t{1} << (hitDay_[h] - 1);
    }
    // Visitors: each host once for each day it came, as people or as a robot.
    for (std::size_t h = 0; h < peopleDays.size(); ++h) {
        a.people.visitors += std::popcount(peopleDays[h]);
        a.robots.visitors += std::popcount(robotDays[h]);
    }
    return out;
}

}  // namespace trafikon
