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
    std::uint32_t FindOrAdd(std::string_view key, bool& added);
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

// Lists of distinct numbers per record (the append-if-absent IdLists), in
// order of first appearance. Short lists are searched directly; once a list
// grows long its members are also kept in a hash set of (record, number).
class DistinctLists {
  public:
    // Appends `value` to the list of `record` unless it is already there.
    void Add(std::uint32_t record, std::uint32_t value);
    const std::vector<std::uint32_t>& List(std::uint32_t record) const;
    std::size_t records() const { return lists_.size(); }

  private:
    bool SetInsert(std::uint64_t key);  // false when present
    void SetGrow();
    std::vector<std::vector<std::uint32_t>> lists_;
    std::vector<std::uint64_t> set_;  // key + 1, 0 for an empty slot
    std::size_t setCount_ = 0;
};

}  // namespace trafikon
