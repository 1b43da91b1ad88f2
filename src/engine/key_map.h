// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory index of one result list while an analysis runs: each distinct
// key text gets the position of its record, in order of first appearance.
// Keys are kept once, packed in pages that never move; lookup is by hash in
// an open-addressing table filled up to three quarters.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/paged_bytes.h"
#include "engine/paged_vector.h"

namespace trafikon {

std::uint64_t HashBytes(std::string_view bytes);

// The 4 bytes of an IPv4 address written as "192.0.2.1": four numbers up to
// 255 without leading zeros. False for any other text.
bool PackAddress(std::string_view text, std::uint32_t& address);

// Asks for the cache line of `p` ahead of its use. Written out for x86-64:
// the compiler drops a __builtin_prefetch whose address it can see unused.
inline void PrefetchLine(const void* p) {
#if defined(__x86_64__)
    asm volatile("prefetcht0 (%0)" : : "r"(p));
#else
    __builtin_prefetch(p);
#endif
}

class KeyMap {
  public:
    KeyMap();

    // Position of `key`, adding it as the next position when absent.
    // `added` tells which happened.
    std::uint32_t FindOrAdd(std::string_view key, bool& added) {
        return FindOrAdd(key, HashBytes(key), added);
    }
    // The same with the key's HashBytes worked out beforehand.
    std::uint32_t FindOrAdd(std::string_view key, std::uint64_t hash, bool& added) {
        const std::uint64_t tag = hash >> kOffsetBits << kOffsetBits;
        std::size_t i = hash & mask_;
        for (;; i = (i + 1) & mask_) {
            const std::uint64_t slot = table_[i];
            if (slot == 0)
                break;
            if ((slot & ~kOffsetMask) == tag) {
                std::uint32_t position;
                if (Holds(slot, key, position)) {
                    added = false;
                    return position;
                }
            }
        }
        added = true;
        return Add(key, tag, i);
    }
    // Position of `key`, or -1.
    std::int64_t Find(std::string_view key) const;

    // Hints for a lookup of a key of hash `hash` soon to come, so that the
    // memory it reads is on its way meanwhile: first the table, later (once
    // the table has come) the key that the table names.
    void PrefetchSlot(std::uint64_t hash) const { PrefetchLine(&table_[hash & mask_]); }
    void PrefetchKey(std::uint64_t hash) const {
        const std::uint64_t slot = SlotGuess(hash);
        if (slot != 0)
            PrefetchLine(KeyBytes((slot & kOffsetMask) - 1));
    }

    // The position of the key of hash `hash` when its table slot and key
    // are at hand, by the hash alone (a guess, for prefetching), or -1. The
    // rest of a key that goes on past the cache line of its start (up to
    // three more lines) is asked for, for the comparison of FindOrAdd.
    std::int64_t GuessPosition(std::uint64_t hash) const {
        const std::uint64_t slot = SlotGuess(hash);
        if (slot == 0)
            return -1;
        std::uint32_t position;
        const std::uint64_t offset = (slot & kOffsetMask) - 1;
        const Stored key = StoredAt(offset, position);
        const auto first = reinterpret_cast<std::uintptr_t>(KeyBytes(offset)) / 64,
                   last = reinterpret_cast<std::uintptr_t>(key.bytes + key.size - 1) / 64;
        for (std::uintptr_t line = first + 1; line <= last && line <= first + 3; ++line)
            PrefetchLine(reinterpret_cast<const void*>(line * 64));
        return position;
    }

    // Gives back the table that finds positions by key; from then on only
    // Key and size answer, for the writing of the results.
    void ForgetIndex() {
        decltype(table_)().swap(table_);
        mask_ = 0;
    }

    std::size_t size() const { return size_; }
    // Walks from the nearest position whose key's place is kept: a few keys
    // read, where a place kept for every key would cost 8 bytes each. The
    // text of a packed address stays valid until the next Key on this thread.
    std::string_view Key(std::uint32_t position) const;

    // Keys that are IPv4 addresses as "192.0.2.1" (no leading zeros) are kept
    // in 4 bytes, and written back the same. Before the first key.
    void PackAddresses() { packAddresses_ = true; }

  private:
    // A slot holds, in one word, where its key is stored (+ 1, 0 for an empty
    // slot) and the high bits of the key's hash: a probe reads one word, and a
    // found key one more place, where its position, length and bytes lie
    // together.
    static constexpr int kOffsetBits = 40;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
    // The byte after a key's position: its length below kAddressKey; else an
    // address (4 bytes follow) or a longer key (its length in 4 bytes follows).
    static constexpr unsigned char kAddressKey = 0xFE, kLongKey = 0xFF;

    const char* KeyBytes(std::uint64_t offset) const { return keys_.At(offset); }
    // The first slot on the probe of `hash` with its high bits (most likely
    // the key's), looked for among the few slots that the probe reads first;
    // 0 for none.
    std::uint64_t SlotGuess(std::uint64_t hash) const {
        const std::uint64_t tag = hash >> kOffsetBits << kOffsetBits;
        std::size_t i = hash & mask_;
        for (int probe = 0; probe < 4; ++probe, i = (i + 1) & mask_) {
            const std::uint64_t slot = table_[i];
            if (slot == 0 || (slot & ~kOffsetMask) == tag)
                return slot;
        }
        return 0;
    }
    // The key stored at `offset` as it is stored, and its position.
    struct Stored {
        const char* bytes;
        std::uint32_t size;
        bool address;
    };
    Stored StoredAt(std::uint64_t offset, std::uint32_t& position) const {
        const char* p = KeyBytes(offset);
        std::memcpy(&position, p, 4);
        const auto length = static_cast<unsigned char>(p[4]);
        if (length < kAddressKey)
            return {p + 5, length, false};
        if (length == kAddressKey)
            return {p + 5, 4, true};
        std::uint32_t size;
        std::memcpy(&size, p + 5, 4);
        return {p + 9, size, false};
    }
    // The text of a stored key; an address is written out in `buffer`.
    static std::string_view TextOf(const Stored& key, char (&buffer)[16]);
    // Bytes of the key stored at `offset`, with its position and length.
    std::uint64_t StoredBytes(std::uint64_t offset) const {
        std::uint32_t unused;
        const Stored key = StoredAt(offset, unused);
        return static_cast<std::uint64_t>(key.bytes + key.size - KeyBytes(offset));
    }
    bool Holds(std::uint64_t slot, std::string_view key, std::uint32_t& position) const {
        const Stored stored = StoredAt((slot & kOffsetMask) - 1, position);
        if (stored.address) {
            std::uint32_t address;
            return PackAddress(key, address) && std::memcmp(stored.bytes, &address, 4) == 0;
        }
        return stored.size == key.size() &&
               (key.empty() || std::memcmp(stored.bytes, key.data(), key.size()) == 0);
    }
    std::uint32_t Add(std::string_view key, std::uint64_t tag, std::size_t slot);
    void Grow();

    // Each key as its position (4 bytes), its length and its bytes.
    static constexpr std::uint32_t kSampleEvery = 8;
    PagedBytes keys_;
    PagedVector<std::uint64_t> samples_;  // where the key of every kSampleEvery-th position is
    std::uint32_t size_ = 0;
    std::vector<std::uint64_t> table_;
    std::size_t mask_;
    bool packAddresses_ = false;
};

}  // namespace trafikon
