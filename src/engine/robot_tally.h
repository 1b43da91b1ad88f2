// SPDX-License-Identifier: GPL-3.0-or-later
// Tells robots from people while an analysis runs, and totals each robot.
//
// A hit is a robot's when its user agent matches a crawler signature, when it
// has no user agent, or when its host asked for /robots.txt at any time in the
// month. A host that asked for /robots.txt stays a person for the hits whose
// user agent names a browser, when it also fetched files other than pages
// with such an agent (style sheets, images, fonts: a page shown in a browser).
// These rules are known only at the end, so the hits are classified after the
// last one, from the records of every hit kept here in a HitStream (line, user
// agent, host, page, day, bytes). While the hits come, only per-agent texts
// and flags are touched. This one classification feeds the robots, the
// people and robots totals and the browser families alike.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/agent_family.h"
#include "engine/hit_stream.h"
#include "engine/month_analysis.h"
#include "engine/packed_lists.h"
#include "engine/robot_signatures.h"
#include "store/robot_file.h"

namespace trafikon {

// Receives each hit of the month once more as Finish classifies it.
class ClassifiedHits {
  public:
    virtual void Hit(const StreamedHit& hit, bool robot) = 0;

  protected:
    ~ClassifiedHits() = default;
};

// The rules of a hit's class, shared by the tally and the exports of hits.
// A user agent's own class: its signature match (an empty agent says nothing
// when the log has no user-agent field) and whether it names a browser.
struct AgentClass {
    RobotMatch match;
    bool browser = false;
};
AgentClass ClassifyAgent(const RobotSignatures& signatures, std::string_view userAgent,
                         bool agentsLogged);

// What a hit tells of its host for the whole month.
inline constexpr std::uint8_t kAskedRobotsTxt = 1, kBrowserResources = 2;
inline std::uint8_t HostFlagsOfHit(std::string_view path, bool page, bool agentBrowser) {
    if (path == "/robots.txt")
        return kAskedRobotsTxt;
    return !page && agentBrowser ? kBrowserResources : 0;
}
// The kind of a hit from its agent's class and its host's flags at the end of
// the month.
inline RobotKind HitRobotKind(RobotKind agentKind, bool agentBrowser, std::uint8_t hostFlags) {
    if (agentKind != RobotKind::kPerson || !(hostFlags & kAskedRobotsTxt))
        return agentKind;
    if (agentBrowser && (hostFlags & kBrowserResources))
        return RobotKind::kPerson;
    return RobotKind::kRobotsTxt;
}

class RobotTally {
  public:
    // `analysis` receives the same hits and outlives the tally. Without
    // `agentsLogged` (a log format with no user-agent field) an empty user
    // agent says nothing, and only the /robots.txt rule is left.
    RobotTally(RobotSignatures signatures, const MonthAnalysis& analysis, bool agentsLogged);

    // Call right after `analysis.AddHit(hit, lineNumber)`; `page`: the hit's
    // file is a page.
    void Add(const PreparedHit& hit, bool page);
    // Hint for a coming Add of a hit from the host at position `host`: its
    // flags, one byte of many on a busy month.
    void PrefetchHost(std::int64_t host) const {
        if (host >= 0 && static_cast<std::size_t>(host) < hostFlags_.size())
            PrefetchLine(&hostFlags_[static_cast<std::size_t>(host)]);
    }

    // After the last hit: the robots in order of first appearance, the log
    // lines of each (robot i at record i of `lines`; the records' own `lines`
    // stay empty), the totals of people and robots, and the hits by browser
    // family and system with robots apart. `also`, when given, sees every hit
    // with its class.
    struct Results {
        std::vector<RobotRecord> robots;
        std::unique_ptr<PackedLists> lines;
        Audience audience;
        FamilyGroups families;
    };
    Results Finish(ClassifiedHits* also = nullptr) const;

  private:
    // Agent index: 0 for no user agent, else the browser position + 1.
    static std::uint32_t AgentOf(std::uint32_t position) {
        return position == kNoRecord ? 0 : position + 1;
    }

    RobotSignatures signatures_;
    const MonthAnalysis& analysis_;
    bool agentsLogged_;

    std::vector<RobotMatch> agentMatch_;   // by agent index
    std::vector<char> agentBrowser_;       // by agent index: names a browser
    std::vector<char> agentRobot_;         // by agent index: matched as a robot, for Add
    std::vector<std::uint8_t> hostFlags_;  // by host position
    // Last hit of each agent: overall, and from a host that had asked for
    // /robots.txt by then (the last visit of the robots found by that rule).
    TimeTexts agentTime_, agentAskedTime_;
    std::vector<std::uint32_t> agentLine_, agentAskedLine_;
    std::vector<char> agentAsked_;
    HitStream hits_;
    int day_ = 1;
    std::uint32_t second_ = 0;  // of the month, of the last hit with a readable time
};

}  // namespace trafikon
