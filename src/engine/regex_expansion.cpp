// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/regex_expansion.h"

#include <algorithm>
#include <vector>

namespace trafikon {

namespace {

// The end of the bracket expression opening at `at` (the index of its ']'),
// or the pattern's size when it has none.
std::size_t BracketEnd(std::string_view p, std::size_t at) {
    std::size_t i = at + 1;
    if (i < p.size() && p[i] == '^')
        ++i;
    if (i < p.size() && p[i] == ']')
        ++i;
    while (i < p.size() && p[i] != ']') {
        if (p[i] == '[' && i + 1 < p.size() &&
            (p[i + 1] == ':' || p[i + 1] == '.' || p[i + 1] == '=')) {
            const char close[] = {p[i + 1], ']', '\0'};
            const std::size_t end = p.find(close, i + 2);
            if (end == std::string_view::npos)
                return p.size();
            i = end + 2;
        } else {
            ++i;
        }
    }
    return i;
}

// Reads "{m}", "{m,}" or "{m,n}" at `at`: the copies written out (n, or m + 1
// when unbounded) and the index of the '}'; false when it is none of those.
bool ReadInterval(std::string_view p, std::size_t at, std::uint64_t& copies, std::size_t& end) {
    std::size_t i = at + 1;
    const auto number = [&](std::uint64_t& n) {
        const std::size_t first = i;
        n = 0;
        while (i < p.size() && p[i] >= '0' && p[i] <= '9' && i - first < 9)
            n = n * 10 + static_cast<std::uint64_t>(p[i++] - '0');
        return i > first;
    };
    std::uint64_t m = 0, n = 0;
    if (!number(m))
        return false;
    n = m;
    if (i < p.size() && p[i] == ',') {
        ++i;
        if (!number(n))
            n = m + 1;
    }
    if (i >= p.size() || p[i] != '}')
        return false;
    copies = std::max<std::uint64_t>({m, n, 1});
    end = i;
    return true;
}

}  // namespace

std::uint64_t RegexElements(std::string_view p, std::uint64_t limit) {
    const std::uint64_t cap = limit + 1;
    const auto capped = [cap](std::uint64_t n) { return std::min(n, cap); };
    // Per open group: its elements so far, those of its last element (what a
    // repetition that follows copies), and whether its last element, the
    // current alternative or an earlier one may match nothing.
    struct Group {
        std::uint64_t total = 0, last = 0;
        bool lastEmpty = false, altEmpty = true, altEmptyBeforeLast = true, anyAltEmpty = false;
    };
    std::vector<Group> groups(1);
    const auto add = [&](std::uint64_t n, bool mayBeEmpty) {
        Group& g = groups.back();
        g.total = capped(g.total + n);
        g.last = n;
        g.lastEmpty = mayBeEmpty;
        g.altEmptyBeforeLast = g.altEmpty;
        g.altEmpty = g.altEmpty && mayBeEmpty;
    };
    const auto optional = [&] {
        Group& g = groups.back();
        g.lastEmpty = true;
        g.altEmpty = g.altEmptyBeforeLast;
    };
    // The library's time grows fast when what is copied may match nothing
    // ("x*+++++", "((((x*)+)+)+)+"): such a copy counts eight times.
    const auto repeat = [&](std::uint64_t copies) {
        Group& g = groups.back();
        if (g.lastEmpty)
            copies *= 8;
        const std::uint64_t more = capped(g.last * (copies - 1));
        g.total = capped(g.total + more);
        g.last = capped(g.last + more);
    };
    bool afterRepetition = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        std::uint64_t copies = 0;
        std::size_t end = 0;
        const bool stacked = afterRepetition;
        afterRepetition = p[i] == '*' || p[i] == '?' || p[i] == '+';
        switch (p[i]) {
            case '\\':
                ++i;
                add(1, false);
                break;
            case '[':
                i = BracketEnd(p, i);
                add(1, false);
                break;
            case '(':
                groups.emplace_back();
                break;
            case ')':
                if (groups.size() > 1) {
                    const Group inner = groups.back();
                    groups.pop_back();
                    add(std::max<std::uint64_t>(inner.total, 1),
                        inner.altEmpty || inner.anyAltEmpty);
                } else {
                    add(1, false);
                }
                break;
            case '|':
                groups.back().anyAltEmpty = groups.back().anyAltEmpty || groups.back().altEmpty;
                groups.back().altEmpty = true;
                groups.back().last = 0;
                break;
            case '*':
            case '?':
                // One copy, made optional; a repetition of a repetition
                // ("b***...0***...") counts double for the time it takes.
                if (stacked)
                    repeat(2);
                optional();
                break;
            case '+':
                repeat(2);
                break;
            case '{':
                if (ReadInterval(p, i, copies, end)) {
                    repeat(copies);
                    if (end > i + 1 && p[i + 1] == '0')
                        optional();
                    i = end;
                    afterRepetition = true;
                } else {
                    add(1, false);
                }
                break;
            default:
                add(1, false);
        }
        if (groups.back().total >= cap)
            return cap;
    }
    std::uint64_t total = 0;
    for (const Group& g : groups)
        total = capped(total + g.total);
    return total;
}

}  // namespace trafikon
