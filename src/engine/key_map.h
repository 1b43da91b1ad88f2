// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory index of one result list while an analysis runs: each distinct
// key text gets the position of its record, in order of first appearance.
// Keys are kept once, packed in one buffer; lookup is by hash.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

std::uint64_t HashBytes(std::string_view bytes);

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
        const std::uint64_t slot = table_[hash & mask_];
        if (slot != 0 && (slot & ~kOffsetMask) == hash >> kOffsetBits << kOffsetBits)
            PrefetchLine(keys_.data() + (slot & kOffsetMask) - 1);
    }

    // The position of the key of hash `hash` when its table slot and key
    // are at hand, by the hash alone (a guess, for prefetching), or -1.
    std::int64_t GuessPosition(std::uint64_t hash) const {
        const std::uint64_t slot = table_[hash & mask_];
        if (slot == 0 || (slot & ~kOffsetMask) != hash >> kOffsetBits << kOffsetBits)
            return -1;
        std::uint32_t position;
        std::memcpy(&position, keys_.data() + (slot & kOffsetMask) - 1, 4);
        return position;
    }

    std::size_t size() const { return offsets_.size(); }
    std::string_view Key(std::uint32_t position) const {
        std::uint32_t unused;
        return KeyAt(offsets_[position], unused);
    }

  private:
    // A slot holds, in one word, where its key is stored (+ 1, 0 for an empty
    // slot) and the high bits of the key's hash: a probe reads one word, and a
    // found key one more place, where its position, length and bytes lie
    // together.
    static constexpr int kOffsetBits = 40;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;

    // The key stored at `offset` of keys_, and its position.
    std::string_view KeyAt(std::uint64_t offset, std::uint32_t& position) const {
        const char* p = keys_.data() + offset;
        std::memcpy(&position, p, 4);
        std::uint32_t length = static_cast<unsigned char>(p[4]);
        p += 5;
        if (length == 0xFF) {
            std::memcpy(&length, p, 4);
            p += 4;
        }
        return std::string_view(p, length);
    }
    bool Holds(std::uint64_t slot, std::string_view key, std::uint32_t& position) const {
        const std::string_view stored = KeyAt((slot & kOffsetMask) - 1, position);
        return stored.size() == key.size() &&
               (key.empty() || std::memcmp(stored.data(), key.data(), key.size()) == 0);
    }
    std::uint32_t Add(std::string_view key, std::uint64_t tag, std::size_t slot);
    void Grow();

    // Each key as its position (4 bytes), its length (one byte, or 0xFF and
    // 4 bytes) and its bytes, one after the other.
    std::string keys_;
    std::vector<std::uint64_t> offsets_;  // of each position's key in keys_
    std::vector<std::uint64_t> table_;
    std::size_t mask_;
};

// Lists of numbers per record (the IdLists of the records), in order of
// appending. A record without a list has the empty one. The numbers live in
// small chunks of shared pages, chained per record, so that appending seldom
// allocates and short lists stay compact.
class IdLists {
  public:
    void Append(std::uint32_t record, std::uint32_t value) {
        if (record >= ends_.size())
            ends_.resize(record + 1);
        Ends& ends = ends_[record];
        std::uint32_t t = ends.tail;
        if (t == kNone || At(t).count == kChunkValues) {
            const std::uint32_t fresh = NewChunk();
            if (t == kNone)
                ends.head = fresh;
            else
                At(t).next = fresh;
            ends.tail = t = fresh;
        }
        Chunk& c = At(t);
        c.values[c.count++] = value;
    }
    // True when the list of `record` ends with `value`.
    bool EndsWith(std::uint32_t record, std::uint32_t value) const {
        if (record >= ends_.size() || ends_[record].tail == kNone)
            return false;
        const Chunk& c = At(ends_[record].tail);
        return c.values[c.count - 1] == value;
    }
    // True when the list of `record` holds `value`; `length` is then or else
    // the number of values looked at (the whole list when absent).
    bool Contains(std::uint32_t record, std::uint32_t value, std::uint32_t& length) const {
        length = 0;
        if (record >= ends_.size())
            return false;
        for (std::uint32_t c = ends_[record].head; c != kNone; c = At(c).next) {
            const Chunk& chunk = At(c);
            for (std::uint32_t i = 0; i < chunk.count; ++i)
                if (chunk.values[i] == value)
                    return true;
            length += chunk.count;
        }
        return false;
    }
    std::vector<std::uint32_t> List(std::uint32_t record) const;
    void Prefetch(std::uint32_t record) const {
        if (record < ends_.size())
            PrefetchLine(&ends_[record]);
    }

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kChunkValues = 6;
    struct Chunk {
        std::uint32_t values[kChunkValues];
        std::uint32_t count = 0;
        std::uint32_t next = kNone;
    };
    // Chunks live in pages of 64 KB that never move: the lists grow without
    // copying and without a doubled array.
    static constexpr std::uint32_t kPageChunks = 2048;
    Chunk& At(std::uint32_t c) { return pages_[c / kPageChunks][c % kPageChunks]; }
    const Chunk& At(std::uint32_t c) const { return pages_[c / kPageChunks][c % kPageChunks]; }
    std::uint32_t NewChunk() {
        if (chunks_ % kPageChunks == 0)
            pages_.push_back(std::make_unique<Chunk[]>(kPageChunks));
        return chunks_++;
    }
    std::vector<std::unique_ptr<Chunk[]>> pages_;
    std::uint32_t chunks_ = 0;
    struct Ends {  // of a record's chain, kNone when empty
        std::uint32_t head = kNone, tail = kNone;
    };
    std::vector<Ends> ends_;
};

// The pairs of positions already listed, for the append-if-absent lists: a
// pair is listed once in each direction (a file's hosts and a host's files).
// While the list of `a` is short it is searched instead: most hosts and
// referring pages link a handful of files, and the set would cost 16 to 32
// bytes a pair. A list that grows long has its pairs put in the set.
class PairSet {
  public:
    // Lists of this many values and more are looked up in the set.
    static constexpr std::uint32_t kSearchedLength = 32;

    // True when the pair was not in the set (it is now).
    bool Insert(std::uint32_t a, std::uint32_t b);
    std::size_t size() const { return count_; }
    // Whether the pairs of `a` are in the set.
    bool InSet(std::uint32_t a) const { return a < inSet_.size() && inSet_[a]; }
    void PutInSet(std::uint32_t a) {
        if (a >= inSet_.size())
            inSet_.resize(a + 1, false);
        inSet_[a] = true;
    }

  private:
    void Grow();
    std::vector<std::uint64_t> slots_;  // pair + 1, 0 for an empty slot
    std::size_t count_ = 0;
    std::vector<bool> inSet_;  // by a
};

// Appends `b` to the list of `a` and `a` to the list of `b` when the pair is
// new; the last entry of a's list is looked at before anything else.
void LinkPair(PairSet& pairs, IdLists& listsOfA, std::uint32_t a, IdLists& listsOfB,
              std::uint32_t b);

}  // namespace trafikon
