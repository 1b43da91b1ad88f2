// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/key_map.h"
#include "engine/paged_vector.h"

namespace trafikon {

// The time text of each record's last hit, in 8 bytes: a timestamp as logs
// write it ("[03/May/2004:10:12:00 +0200]") packed as its eight pairs of
// digits, its month and its sign; a text of up to 7 bytes in place; any other
// text kept once aside, and its index.
class TimeTexts {
  public:
    using Slot = std::uint64_t;
    // A time text made ready once for the several lists a hit sets it in.
    struct Ready {
        Slot slot;
        std::string_view text;  // for a text kept aside
    };
    static Ready Prepare(std::string_view text) {
        Ready r{0, text};
        if (text.size() <= kInPlaceBytes) {
            for (std::size_t k = 0; k < text.size(); ++k)
                r.slot |= static_cast<Slot>(static_cast<unsigned char>(text[k])) << (8 * k);
            r.slot |= static_cast<Slot>(text.size()) << kLengthShift;
        } else if (!Pack(text, r.slot)) {
            r.slot = kAside;
        }
        return r;
    }

    void Push(const Ready& time) {
        slots_.push_back(0);
        Set(static_cast<std::uint32_t>(slots_.size() - 1), time);
    }
    void Set(std::uint32_t i, const Ready& time) {
        slots_[i] = time.slot == kAside ? Aside(time.text) : time.slot;
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
    static constexpr std::size_t kInPlaceBytes = 7;
    static constexpr int kLengthShift = 56;
    static constexpr Slot kPacked = Slot{1} << 63, kAside = Slot{1} << 62;
    static bool Pack(std::string_view text, Slot& slot);
    Slot Aside(std::string_view text) {
        bool added;
        return kAside | aside_.FindOrAdd(text, added);
    }
    PagedVector<Slot> slots_;
    KeyMap aside_;  // each text kept aside once, whatever the records showing it
    mutable char unpacked_[28];
};

}  // namespace trafikon
