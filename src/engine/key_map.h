// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory index of one result list while an analysis runs: each distinct
// key text gets the position of its record, in order of first appearance.
// Keys are kept once, packed in one buffer; lookup is by hash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

std::uint64_t HashBytes(std::string_view bytes);

class KeyMap {
  public:
    KeyMap();

    // Position of `key`, adding it as the next position when absent.
    // `added` tells which happened.
    std::uint32_t FindOrAdd(std::string_view key, bool& added) {
        return FindOrAdd(key, HashBytes(key), added);
    }
    // The same with the key's HashBytes worked out beforehand.
    std::uint32_t FindOrAdd(std::string_view key, std::uint64_t hash, bool& added);
    // Position of `key`, or -1.
    std::int64_t Find(std::string_view key) const;

    std::size_t size() const { return offsets_.size() - 1; }
    std::string_view Key(std::uint32_t position) const {
        return std::string_view(keys_.data() + offsets_[position],
                                offsets_[position + 1] - offsets_[position]);
    }

  private:
    void Grow();
    std::string keys_;                    // all keys one after the other
    std::vector<std::uint64_t> offsets_;  // start of key i at i, end at i + 1
    std::vector<std::uint32_t> table_;    // position + 1, 0 for an empty slot
    std::vector<std::uint32_t> tags_;     // high bits of the hash of each slot
    std::size_t mask_;
};

// Lists of numbers per record (the IdLists of the records), in order of
// appending. A record without a list has the empty one. The numbers live in
// small chunks of one shared array, chained per record, so that appending
// seldom allocates and short lists stay compact.
class IdLists {
  public:
    void Append(std::uint32_t record, std::uint32_t value) {
        if (record >= tail_.size()) {
            head_.resize(record + 1, kNone);
            tail_.resize(record + 1, kNone);
        }
        std::uint32_t t = tail_[record];
        if (t == kNone || chunks_[t].count == kChunkValues) {
            const auto fresh = static_cast<std::uint32_t>(chunks_.size());
            chunks_.emplace_back();
            if (t == kNone)
                head_[record] = fresh;
            else
                chunks_[t].next = fresh;
            tail_[record] = t = fresh;
        }
        Chunk& c = chunks_[t];
        c.values[c.count++] = value;
    }
    // True when the list of `record` ends with `value`.
    bool EndsWith(std::uint32_t record, std::uint32_t value) const {
        if (record >= tail_.size() || tail_[record] == kNone)
            return false;
        const Chunk& c = chunks_[tail_[record]];
        return c.values[c.count - 1] == value;
    }
    std::vector<std::uint32_t> List(std::uint32_t record) const;

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kChunkValues = 6;
    struct Chunk {
        std::uint32_t values[kChunkValues];
        std::uint32_t count = 0;
        std::uint32_t next = kNone;
    };
    std::vector<Chunk> chunks_;
    std::vector<std::uint32_t> head_, tail_;  // per record, kNone when empty
};

// A set of pairs of positions, for the append-if-absent lists: a pair is
// listed once in each direction (a file's hosts and a host's files).
class PairSet {
  public:
    // True when the pair was not in the set (it is now).
    bool Insert(std::uint32_t a, std::uint32_t b);
    std::size_t size() const { return count_; }

  private:
    void Grow();
    std::vector<std::uint64_t> slots_;  // pair + 1, 0 for an empty slot
    std::size_t count_ = 0;
};

// Appends `b` to the list of `a` and `a` to the list of `b` when the pair is
// new; the last entry of a's list is looked at before the set.
inline void LinkPair(PairSet& pairs, IdLists& listsOfA, std::uint32_t a, IdLists& listsOfB,
                     std::uint32_t b) {
    if (listsOfA.EndsWith(a, b))
        return;
    if (!pairs.Insert(a, b))
        return;
    listsOfA.Append(a, b);
    listsOfB.Append(b, a);
}

}  // namespace trafikon
