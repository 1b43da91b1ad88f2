// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory index of one result list while an analysis runs: each distinct
// key text gets the position of its record, in order of first appearance.
// Keys are kept once, packed in one buffer; lookup is by hash.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/paged_vector.h"

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
    PagedVector<std::uint64_t> offsets_;  // start of key i at i, end at i + 1
    // A slot holds the position + 1 (0 when empty) beside the high bits of
    // its key's hash: one cache line read per probe.
    struct Slot {
        std::uint32_t entry = 0;
        std::uint32_t tag = 0;
    };
    std::vector<Slot> table_;
    std::size_t mask_;
};

}  // namespace trafikon
