// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/key_map.h"

#include <cstring>

namespace trafikon {

namespace {

inline std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    const unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

}  // namespace

std::uint64_t HashBytes(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t h = 0x243F6A8885A308D3ull ^ n;
    while (n >= 16) {
        h = Mix(Load64(p) ^ 0xA0761D6478BD642Full, Load64(p + 8) ^ h);
        p += 16;
        n -= 16;
    }
    if (n >= 8) {
        h = Mix(Load64(p) ^ 0xE7037ED1A0B428DBull, h ^ 0x8EBC6AF09C88C6E3ull);
        p += 8;
        n -= 8;
    }
    std::uint64_t tail = 0;
    if (n > 0)
        std::memcpy(&tail, p, n);
    return Mix(tail ^ 0x589965CC75374CC3ull, h ^ 0x1D8E4E27C47D124Full);
}

KeyMap::KeyMap() : table_(1024), mask_(1023) {
    offsets_.push_back(0);
}

std::int64_t KeyMap::Find(std::string_view key) const {
    const std::uint64_t h = HashBytes(key);
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
        const Slot slot = table_[i];
        if (slot.entry == 0)
            return -1;
        if (slot.tag == tag && Key(slot.entry - 1) == key)
            return slot.entry - 1;
    }
}

std::uint32_t KeyMap::FindOrAdd(std::string_view key, std::uint64_t h, bool& added) {
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    std::size_t i = h & mask_;
    for (;; i = (i + 1) & mask_) {
        const Slot slot = table_[i];
        if (slot.entry == 0)
            break;
        if (slot.tag == tag && Key(slot.entry - 1) == key) {
            added = false;
            return slot.entry - 1;
        }
    }
    const auto position = static_cast<std::uint32_t>(size());
    keys_.append(key);
    offsets_.push_back(keys_.size());
    table_[i] = {position + 1, tag};
    added = true;
    if (size() * 2 > table_.size())
        Grow();
    return position;
}

void KeyMap::Grow() {
    std::vector<Slot> table(table_.size() * 2);
    const std::size_t mask = table.size() - 1;
    for (const Slot& slot : table_) {
        if (slot.entry == 0)
            continue;
        const std::uint64_t h = HashBytes(Key(slot.entry - 1));
        std::size_t i = h & mask;
        while (table[i].entry != 0)
            i = (i + 1) & mask;
        table[i] = slot;
    }
    table_.swap(table);
    mask_ = mask;
}

}  // namespace trafikon
