// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/top_by_hits.h"

#include <algorithm>

#include "store/result_records.h"

namespace trafikon {

TopByHitsCollector::TopByHitsCollector(int n) : n_(std::clamp(n, 0, 29)) {}

void TopByHitsCollector::Offer(long long position, long long hits) {
    if (!(minHits_ < hits))
        return;
    slots_[minSlot_] = {hits, position};
    // Search the minimum again over the filled slots and the first free one.
    int j = 1;
    minSlot_ = 1;
    minHits_ = slots_[1].hits;
    while (j <= n_ && slots_[j].hits > 0) {
        ++j;
        if (slots_[j].hits < minHits_) {
            minSlot_ = j;
            minHits_ = slots_[j].hits;
        }
    }
}

std::string TopByHitsCollector::Text() const {
    std::array<Slot, 30> sorted;
    std::copy(slots_.begin() + 1, slots_.end(), sorted.begin());
    // A stable sort by falling hits gives what a bubble sort swapping only on
    // strictly fewer hits gives: equal counts keep their slot order.
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Slot& a, const Slot& b) { return a.hits > b.hits; });
    std::string text = "-";
    for (const Slot& s : sorted) {
        if (s.hits <= 0)
            continue;
        AppendDecimal(text, s.position);
        text += " (";
        AppendDecimal(text, s.hits);
        text += ")-";
    }
    return text;
}

std::string TopByHits(const std::vector<std::string>& lines, int n, std::string_view marker) {
    TopByHitsCollector top(n);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(marker) == std::string::npos)
            continue;
        top.Offer(static_cast<long long>(i),
                  ParseInteger(ReadField(lines[i], CountedField::kHits)));
    }
    return top.Text();
}

std::string TopByHits(std::span<const TopCandidate> candidates, int n) {
    TopByHitsCollector top(n);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].matchesMarker)
            top.Offer(static_cast<long long>(i), candidates[i].hits);
    }
    return top.Text();
}

TopListRead ReadTopList(std::string_view text) {
    TopListRead read;
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view positionText = text.substr(0, blank);
        const std::optional<long long> position = ParseSignedDecimal(positionText);
        if (blank == std::string_view::npos || !position || *position < 0) {
            read.fault = TopListFault::kBadPosition;
            read.faultyPosition = positionText;
            break;
        }
        const std::size_t close = text.find(')', blank);
        if (blank + 1 >= text.size() || text[blank + 1] != '(' || close == std::string_view::npos) {
            read.fault = TopListFault::kCutShort;
            break;
        }
        read.entries.push_back({*position, text.substr(blank + 2, close - blank - 2)});
        text.remove_prefix(std::min(text.size(), close + 2));  // through ")" and its "-"
    }
    return read;
}

}  // namespace trafikon
