// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/line_filter.h"

#include "engine/month_analysis.h"

namespace trafikon {

namespace {

constexpr std::size_t kRobotCacheSize = 4096;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view lowered) {
    if (a.size() != lowered.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != lowered[i])
            return false;
    return true;
}

bool ContainsIgnoreCase(std::string_view text, std::string_view lowered) {
    if (lowered.size() > text.size())
        return false;
    for (std::size_t i = 0; i + lowered.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < lowered.size() && Lower(text[i + k]) == lowered[k])
            ++k;
        if (k == lowered.size())
            return true;
    }
    return false;
}

// Reads `count` digits at `at` of `text` into `value`; false when one is not.
bool Digits(std::string_view text, std::size_t at, std::size_t count, std::uint64_t& value) {
    if (text.size() < at + count)
        return false;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    return true;
}

}  // namespace

bool ParsePeriodBound(std::string_view text, bool end, std::uint64_t& stamp) {
    std::uint64_t v = 0;
    if ((text.size() != 10 && text.size() != 16) || !Digits(text, 0, 4, v) || text[4] != '-' ||
        !Digits(text, 5, 2, v) || text[7] != '-' || !Digits(text, 8, 2, v))
        return false;
    const std::uint64_t month = v / 100 % 100, day = v % 100;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (text.size() == 10) {
        stamp = v * 1000000 + (end ? 235959 : 0);
        return true;
    }
    std::uint64_t hour = 0, minute = 0;
    if (text[10] != 'T' || !Digits(text, 11, 2, hour) || text[13] != ':' ||
        !Digits(text, 14, 2, minute) || hour > 23 || minute > 59)
        return false;
    stamp = v * 1000000 + hour * 10000 + minute * 100 + (end ? 59 : 0);
    return true;
}

std::string MonthKeyOfStamp(std::uint64_t stamp) {
    const std::uint64_t yearMonth = stamp / 100000000;
    std::string key = std::to_string(yearMonth / 100 + 10000).substr(1);
    key += '-';
    key += std::to_string(yearMonth % 100 + 100).substr(1);
    return key;
}

std::uint64_t LineStamp(const LogLineSplitter& splitter) {
    const std::string_view d = splitter['d'], h = splitter['H'];
    std::uint64_t v = 0;
    if (d.size() != 10 || d[4] != '-' || d[7] != '-' || !Digits(d, 0, 4, v) ||
        !Digits(d, 5, 2, v) || !Digits(d, 8, 2, v) || h.size() < 8 || h[2] != ':' || h[5] != ':' ||
        !Digits(h, 0, 2, v) || !Digits(h, 3, 2, v) || !Digits(h, 6, 2, v))
        return 0;
    return v;
}

LineFilter::LineFilter(std::vector<LineCondition> conditions, SelectionPeriod period,
                       const RobotSignatures& signatures, const CountryDatabase& countries,
                       bool agentsLogged)
    : conditions_(std::move(conditions)),
      period_(period),
      signatures_(signatures),
      countries_(countries),
      agentsLogged_(agentsLogged) {}

bool LineFilter::Matches(const LogLineSplitter& splitter) {
    const std::uint64_t stamp = LineStamp(splitter);
    if (stamp == 0 || stamp < period_.from || stamp > period_.to)
        return false;
    return MatchesAnyTime(splitter);
}

bool LineFilter::MatchesAnyTime(const LogLineSplitter& splitter) {
    for (const LineCondition& c : conditions_)
        if (!Meets(c, splitter))
            return false;
    return true;
}

bool LineFilter::IsRobot(std::string_view agent) {
    if (agent == "-")
        agent = {};
    if (agent.empty())
        return agentsLogged_;
    const std::string key(agent);
    if (const auto it = robotAgents_.find(key); it != robotAgents_.end())
        return it->second;
    if (robotAgents_.size() >= kRobotCacheSize)
        robotAgents_.clear();
    const bool robot = signatures_.Classify(agent).kind != RobotKind::kPerson;
    robotAgents_.emplace(key, robot);
    return robot;
}

bool LineFilter::Meets(const LineCondition& c, const LogLineSplitter& splitter) {
    std::string_view value;
    switch (c.field) {
        case LineField::kRobot:
            return IsRobot(splitter['U']) != c.negated;
        case LineField::kSpam: {
            bool found = false;
            if (spamTexts_)
                for (const std::string& t : *spamTexts_)
                    found = found || ContainsIgnoreCase(splitter['R'], t);
            return found != c.negated;
        }
        case LineField::kStatus: {
            const std::string_view status = splitter['s'];
            bool found = false;
            for (const std::string& t : c.texts) {
                bool same = status.size() == 3;
                for (std::size_t i = 0; same && i < 3; ++i)
                    same = t[i] == 'x' ? status[i] >= '0' && status[i] <= '9' : t[i] == status[i];
                found = found || same;
            }
            return found != c.negated;
        }
        case LineField::kCountry: {
            const GeoPlace place = countries_.Locate(splitter['h']);
            bool found = false;
            for (const std::string& t : c.texts)
                found = found ||
                        (place.known() && t[0] == place.country[0] && t[1] == place.country[1]);
            return found != c.negated;
        }
        case LineField::kMethod: {
            const std::string_view request = splitter['r'];
            value = request.substr(0, request.find(' '));
            break;
        }
        case LineField::kPath:
            value = RequestPath(splitter['r']);
            break;
        case LineField::kHost:
            value = splitter['h'];
            break;
        case LineField::kReferrer:
            value = splitter['R'];
            break;
        case LineField::kAgent:
            value = splitter['U'];
            break;
    }
    bool found = false;
    if (c.kind == MatchKind::kRegex) {
        found = RegexFinds(*c.regex, value, scratch_);
    } else if (c.kind == MatchKind::kContains) {
        for (const std::string& t : c.texts)
            found = found || (c.field == LineField::kPath ? WildcardMatches(t, value)
                                                          : ContainsIgnoreCase(value, t));
    } else {
        const bool anyCase = c.field == LineField::kHost || c.field == LineField::kMethod;
        if (!c.ranges.empty()) {
            const HostAddress address = ReadHostAddress(value);
            for (const AddressRange& r : c.ranges)
                found = found || AddressInRange(address, r);
        }
        for (const std::string& t : c.texts)
            found = found || (anyCase ? EqualsIgnoreCase(value, t) : value == t);
    }
    return found != c.negated;
}

}  // namespace trafikon
