// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/key_map.h"
#include "engine/paged_vector.h"

namespace trafikon {

// The time text of each record's last hit, in 4 bytes. A timestamp as logs
// write it ("[03/May/2004:10:12:00 +0200]") keeps its day, hour, minute and
// second there, and the index of the rest (year, month, zone), which a month
// holds few of, in a short table; any other text is kept once aside, and its
// index.
class TimeTexts {
  public:
    // A time text made ready once for the several lists a hit sets it in.
    struct Ready {
        // kPacked and the timestamp's parts, the day to the second in the
        // low kDayBits; 0 for a text kept aside.
        std::uint64_t packed;
        std::string_view text;  // for a text kept aside
    };
    static Ready Prepare(std::string_view text) {
        Ready r{0, text};
        Pack(text, r.packed);
        return r;
    }

    // `packed` (a timestamp's, not 0) with its hour, minute and second
    // replaced: two digits each, as the text has them.
    static std::uint64_t WithTimeOfDay(std::uint64_t packed, unsigned hour, unsigned minute,
                                       unsigned second) {
        return (packed & ~kTimeOfDayMask) | std::uint64_t{hour} << kHourShift |
               std::uint64_t{minute} << kMinuteShift | std::uint64_t{second} << kSecondShift;
    }

    void Push(const Ready& time) {
        slots_.push_back(0);
        Set(static_cast<std::uint32_t>(slots_.size() - 1), time);
    }
    void Set(std::uint32_t i, const Ready& time) {
        const std::uint64_t rest = time.packed >> kDayBits;
        if (rest != 0 && (rest == rests_[lastRest_] || FindRest(rest)))
            slots_[i] = lastRest_ << kDayBits | static_cast<std::uint32_t>(time.packed & kDayMask);
        else
            slots_[i] = Aside(time.text);
    }
    void Push(std::string_view text) { Push(Prepare(text)); }
    void Set(std::uint32_t i, std::string_view text) { Set(i, Prepare(text)); }
    void Prefetch(std::uint32_t i) const {
        if (i < slots_.size())
            PrefetchLine(&slots_[i]);
    }
    // Valid until the next Get.
    std::string_view Get(std::uint32_t i) const;

  private:
    static constexpr std::uint64_t kPacked = std::uint64_t{1} << 63;
    static constexpr int kDayBits = 28;
    static constexpr std::uint32_t kDayMask = (std::uint32_t{1} << kDayBits) - 1;
    static constexpr std::uint32_t kAside = std::uint32_t{1} << 31;
    static constexpr int kHourShift = 7, kMinuteShift = 14, kSecondShift = 21;
    static constexpr std::uint64_t kTimeOfDayMask = std::uint64_t{0x1FFFFF} << kHourShift;
    static constexpr std::uint32_t kRests = 8;  // of the slot's bits 28 to 30
    static bool Pack(std::string_view text, std::uint64_t& packed);
    // Makes the index of `rest` lastRest_, adding it when there is room.
    bool FindRest(std::uint64_t rest);
    std::uint32_t Aside(std::string_view text) {
        bool added;
        return kAside | aside_.FindOrAdd(text, added);
    }
    PagedVector<std::uint32_t> slots_;
    std::array<std::uint64_t, kRests> rests_{};  // 0 for none yet
    std::uint32_t lastRest_ = 0;
    KeyMap aside_;  // each text kept aside once, whatever the records showing it
    mutable char unpacked_[28];
};

}  // namespace trafikon
