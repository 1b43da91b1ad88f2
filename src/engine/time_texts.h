// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/key_map.h"
#include "engine/paged_vector.h"

namespace trafikon {

// The time text of each record's last hit, in 16 bytes: a timestamp as logs
// write it ("[03/May/2004:10:12:00 +0200]") packed as its digits two to a
// byte, a text of up to 15 bytes in place, any other aside.
class TimeTexts {
  public:
    using Slot = std::array<char, 16>;
    // A time text made ready once for the several lists a hit sets it in.
    struct Ready {
        Slot slot;
        std::string_view text;  // for a text kept aside
    };
    static Ready Prepare(std::string_view text) {
        Ready r{{}, text};
        if (text.size() < r.slot.size()) {
            r.slot[0] = static_cast<char>(text.size());
            if (!text.empty())
                std::memcpy(r.slot.data() + 1, text.data(), text.size());
        } else if (!Pack(text, r.slot)) {
            r.slot[0] = kAside;
        }
        return r;
    }

    void Push(const Ready& time) {
        slots_.push_back({});
        Set(static_cast<std::uint32_t>(slots_.size() - 1), time);
    }
    void Set(std::uint32_t i, const Ready& time) {
        slots_[i] = time.slot;
        if (time.slot[0] == kAside)
            SetLong(i, time.text);
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
    static constexpr char kPacked = 16, kAside = 17;
    static bool Pack(std::string_view text, Slot& slot);
    void SetLong(std::uint32_t i, std::string_view text);
    PagedVector<Slot> slots_;
    std::unordered_map<std::uint32_t, std::string> long_;
    mutable char unpacked_[28];
};

}  // namespace trafikon
