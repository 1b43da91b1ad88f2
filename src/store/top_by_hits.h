// SPDX-License-Identifier: GPL-3.0-or-later
// Top lists of the monthly statistics: "-" followed, for each entry in falling
// order of hits, by the record position, " (", the hits, ")-":
// "-3 (120)-0 (95)-".
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// Markers: only file records of type 1 (pages), and every record.
inline constexpr std::string_view kPageMarker = "\\4;1\\";
inline constexpr std::string_view kAnyRecordMarker = "\\";

// Collects the top entries with 30 slots of (hits, position), all (-1, -1) at
// first, of which slots 1..n+1 take part (n is clamped to 0..29). An offered
// entry takes the current minimum slot only with more hits than it holds; the
// minimum is then searched again from slot 1 (the first smallest wins). Text()
// sorts the slots by falling hits, equal counts keeping their slot order, and
// lists those with hits above 0.
class TopByHitsCollector {
  public:
    explicit TopByHitsCollector(int n);
    // A line at `position` of its list that holds the marker, with its hits.
    void Offer(long long position, long long hits);
    std::string Text() const;

  private:
    struct Slot {
        long long hits = -1;
        long long position = -1;
    };
    std::array<Slot, 31> slots_{};  // 1-based: slots_[1..30]
    int n_;
    int minSlot_ = 1;
    long long minHits_ = -1;
};

// Top list over the record lines that contain `marker`; a line's hits are its
// field 2 read with ParseInteger (a text that is not a number counts 0), its
// position is its index in `lines`.
std::string TopByHits(const std::vector<std::string>& lines, int n, std::string_view marker);

// The same over records kept in structured form: one entry per line of the
// list, in list order, with its hits and whether the line's text holds the marker.
struct TopCandidate {
    long long hits = 0;
    bool matchesMarker = true;
};
std::string TopByHits(std::span<const TopCandidate> candidates, int n);

// One entry of a top list text.
struct TopEntry {
    long long position = 0;
    std::string_view hits;  // as stored
    bool operator==(const TopEntry&) const = default;
};
enum class TopListFault {
    kNone,
    kBadPosition,  // no blank, or the text before it is not a position (ParseSignedDecimal, >= 0)
    kCutShort,     // no "(" right after the blank, or no ")" after it
};
struct TopListRead {
    std::vector<TopEntry> entries;  // in stored order, up to the first faulty entry
    TopListFault fault = TopListFault::kNone;
    std::string_view faultyPosition;  // with kBadPosition: the entry's text up to its blank
};
// Reads a top list text (with or without its leading "-") entry by entry:
// "position (hits)" and one more character (the "-"). The first faulty entry
// ends the reading. The views point into `text`.
TopListRead ReadTopList(std::string_view text);

}  // namespace trafikon
