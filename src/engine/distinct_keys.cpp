// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/distinct_keys.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace trafikon {

namespace {

constexpr std::size_t kChunkKeys = 4096;
// Fewer keys are sorted by comparisons: the passes of a radix sort would cost more.
constexpr std::size_t kRadixKeys = 4096;

}  // namespace

void DistinctKeys::SortUnique() {
    const std::size_t n = keys_.size();
    if (n < kRadixKeys) {
        std::sort(keys_.begin(), keys_.end());
    } else {
        // A byte at a time from the lowest, each pass keeping the order of
        // the one before; a byte that every key has alike is passed over
        // (the keys of a month use few of their bits).
        std::array<std::array<std::size_t, 256>, 8> counts{};
        for (const std::uint64_t key : keys_)
            for (int b = 0; b < 8; ++b)
                ++counts[b][key >> (8 * b) & 255];
        std::vector<std::uint64_t> sorted(n);
        for (int b = 0; b < 8; ++b) {
            std::array<std::size_t, 256>& at = counts[b];
            if (at[keys_[0] >> (8 * b) & 255] == n)
                continue;
            std::size_t start = 0;
            for (std::size_t& c : at)
                start += std::exchange(c, start);
            for (const std::uint64_t key : keys_)
                sorted[at[key >> (8 * b) & 255]++] = key;
            keys_.swap(sorted);
        }
    }
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
}

void DistinctKeys::SpillRun() {
    SortUnique();
    Run run;
    run.offset = spill_.Append(keys_.data(), keys_.size() * sizeof(std::uint64_t));
    run.count = keys_.size();
    runs_.push_back(std::move(run));
    keys_.clear();
}

void DistinctKeys::StartMerge() {
    SortUnique();
    if (!keys_.empty()) {
        Run rest;
        rest.inMemory = true;
        runs_.push_back(std::move(rest));
    }
    heap_.clear();
    for (std::uint32_t r = 0; r < runs_.size(); ++r) {
        std::uint64_t key;
        if (Peek(runs_[r], key))
            heap_.emplace_back(key, r);
    }
    std::make_heap(heap_.begin(), heap_.end(), std::greater<>());
    any_ = false;
}

bool DistinctKeys::Peek(Run& run, std::uint64_t& key) {
    if (run.inMemory) {
        if (run.next >= keys_.size())
            return false;
        key = keys_[run.next];
        return true;
    }
    if (run.next >= run.chunk.size()) {
        if (run.count == 0)
            return false;
        const std::size_t n = std::min<std::uint64_t>(run.count, kChunkKeys);
        run.chunk.resize(n);
        spill_.Read(run.offset, run.chunk.data(), n * sizeof(std::uint64_t));
        run.offset += n * sizeof(std::uint64_t);
        run.count -= n;
        run.next = 0;
    }
    key = run.chunk[run.next];
    return true;
}

bool DistinctKeys::NextDistinct(std::uint64_t& key) {
    while (!heap_.empty()) {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
        const auto [k, r] = heap_.back();
        heap_.pop_back();
        ++runs_[r].next;
        std::uint64_t following;
        if (Peek(runs_[r], following)) {
            heap_.emplace_back(following, r);
            std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
        }
        if (any_ && k == last_)
            continue;
        any_ = true;
        last_ = k;
        key = k;
        return true;
    }
    return false;
}

}  // namespace trafikon
