// SPDX-License-Identifier: GPL-3.0-or-later
// How large a POSIX extended regular expression grows once compiled: the C
// library writes each repetition out as copies of what it repeats ("x+" is
// "xx*", "x{3,5}" five x), so stacked or nested repetitions of a few
// characters ("a+++++...", "((a{99}){99}){99}") take gigabytes.
#pragma once

#include <cstdint>
#include <string_view>

namespace trafikon {

// The most elements a selection's regular expression may grow to (a few
// megabytes compiled).
inline constexpr std::uint64_t kMaxRegexElements = 20000;

// The number of elements `pattern` grows to once its repetitions are written
// out (for the time the library then takes, a repetition of a repetition
// counts double, a copy of what may match nothing eight times); any count
// above `limit` is given as limit + 1.
std::uint64_t RegexElements(std::string_view pattern, std::uint64_t limit = kMaxRegexElements);

}  // namespace trafikon
