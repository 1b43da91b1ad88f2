// SPDX-License-Identifier: GPL-3.0-or-later
// The conditions a selection puts on log lines, written in a small language
// (docs/selections.md):
//
//   status=404   status=5xx,403   host=203.0.113.0/24,2001:db8::/32
//   path~/blog/*   path~~^/(en|fr)/   method=POST   !robot   ref~example
//   ua~curl   country=FR,BE   !status=2xx   ua!~bot
//
// A condition is a field, an operator and one or more values separated by
// commas (any of which may match), or the word `robot` or `spam` (a referrer
// that holds a text of the referrer-spam list). A leading `!` (or `!=`,
// `!~`, `!~~`) negates it. Conditions are separated by blanks and must all
// hold. Values may be quoted with '"' to hold blanks or commas.
//   =   equals: status codes or classes (5xx, 40x), addresses and networks
//       (CIDR, IPv4 and IPv6) or host names, paths, methods, countries,
//       referrers and user agents;
//   ~   path: prefix, or wildcard (* any run, ? one character) when it holds
//       one; host, ref, ua: contains, without regard to ASCII case;
//   ~~  a POSIX extended regular expression, found anywhere in the value.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "geo/host_address.h"

namespace trafikon {

enum class LineField { kStatus, kHost, kPath, kMethod, kReferrer, kAgent, kCountry, kRobot, kSpam };
enum class MatchKind { kEquals, kContains, kRegex };

class CompiledRegex;  // a POSIX regular expression (line_condition.cpp)

struct AddressRange {
    HostAddress::Kind kind = HostAddress::kNone;
    std::array<unsigned char, 16> bytes{};
    int prefixBits = 0;
};

struct LineCondition {
    LineField field = LineField::kRobot;
    MatchKind kind = MatchKind::kEquals;
    bool negated = false;
    std::vector<std::string> texts;    // values as written (lower case where case is ignored)
    std::vector<AddressRange> ranges;  // host=: the values that are addresses or networks
    std::shared_ptr<const CompiledRegex> regex;
};

struct ConditionError {
    std::size_t position = 0;  // 1-based character of the expression
    std::string message;       // "position 8: unknown field \"stat\" ..."
};

// Parses `text` into `out` (appended). False with `error` set when the text is
// not a list of conditions; `out` is then left as it was.
bool ParseConditions(std::string_view text, std::vector<LineCondition>& out, ConditionError& error);

// path~: a pattern without '*' or '?' is a prefix of `text`; otherwise it
// matches the whole of `text`, '*' standing for any run, '?' for one character.
bool WildcardMatches(std::string_view pattern, std::string_view text);

// True when `address` lies in `range`.
bool AddressInRange(const HostAddress& address, const AddressRange& range);

// True when the regular expression finds a match in `text`; `scratch` holds
// the text with a terminating NUL between calls (no allocation once grown).
bool RegexFinds(const CompiledRegex& regex, std::string_view text, std::string& scratch);

}  // namespace trafikon
