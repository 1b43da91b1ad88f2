// SPDX-License-Identifier: GPL-3.0-or-later
// Hits, pages and bytes per hour of the day, from each line's own time.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/hour_file.h"

namespace trafikon {

// Hour of a normalised time text ("[dd/Mon/yyyy:HH:mm:ss ...]", the form both
// Apache and IIS lines take after LogLineSplitter::Complete), or -1 when it has none.
int HourOfTimestamp(std::string_view time);
// Seconds since midnight of the same time text (0 to 86399), or -1.
int SecondOfTimestamp(std::string_view time);
// The same from a time's hour (-1: none), minute and second as numbers: -1
// past 59 minutes or 60 seconds; a leap second counts as the 59th.
inline int SecondOfDay(int hour, unsigned minute, unsigned second) {
    if (hour < 0 || minute > 59 || second > 60)
        return -1;
    return hour * 3600 + static_cast<int>(minute) * 60 +
           static_cast<int>(second == 60 ? 59 : second);
}

class HourTally {
  public:
    void Add(std::string_view time, bool page, bool hasBytes, std::int64_t bytes) {
        AddAtHour(HourOfTimestamp(time), page, hasBytes, bytes);
    }
    // The same with the time's HourOfTimestamp worked out beforehand.
    void AddAtHour(int hour, bool page, bool hasBytes, std::int64_t bytes);
    const HourCounters& counters() const { return counters_; }

  private:
    HourCounters counters_;
};

}  // namespace trafikon
