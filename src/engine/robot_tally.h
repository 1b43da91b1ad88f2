// Tells robots from people while an analysis runs, and totals each robot.
//
// A hit is a robot's when its user agent matches a crawler signature, when it
// has no user agent, or when its host asked for /robots.txt at any time in the
// month. The last rule is known only at the end, so hits are totalled per
// host and user agent pair and classified after the last one.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/key_map.h"
#include "engine/month_analysis.h"
#include "engine/robot_signatures.h"
#include "store/robot_file.h"

namespace trafikon {

class RobotTally {
  public:
    explicit RobotTally(RobotSignatures signatures);

    void Add(const PreparedHit& hit, bool page, std::uint32_t lineNumber);

    // After the last hit: the robots in order of first appearance, each with
    // its log lines, and the totals of people and robots.
    std::vector<RobotRecord> Robots() const;
    Audience Totals() const;

  private:
    struct Pair {
        std::uint32_t host, agent;
        std::int64_t hits = 0, pages = 0, bytes = 0;
        std::uint32_t days = 0;  // bit d - 1: seen on day d
        std::uint32_t lastLine = 0;
    };
    RobotKind KindOf(const Pair& p) const;

    RobotSignatures signatures_;
    KeyMap agents_, hosts_;
    std::vector<RobotMatch> agentMatch_;
    std::vector<char> askedRobotsTxt_;
    std::unordered_map<std::uint64_t, std::uint32_t> pairIndex_;
    std::vector<Pair> pairs_;
    TimeTexts pairTime_;
    std::vector<std::uint32_t> hitPair_, hitLine_;
    std::uint32_t lastPair_ = kNoRecord;
    std::uint64_t lastPairKey_ = 0;
    int day_ = 1;
};

}  // namespace trafikon
