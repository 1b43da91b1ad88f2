// SPDX-License-Identifier: GPL-3.0-or-later
// Counts distinct 64-bit keys in bounded memory. Keys gather in a buffer;
// past its budget the buffer is sorted, rid of repeats and written to the
// run's spill file as one sorted run. At the end the runs and the rest of the
// buffer are merged, and each distinct key is handed out once, in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "store/spill_file.h"

namespace trafikon {

class DistinctKeys {
  public:
    // `spill` outlives this; `budget`: keys held in memory at most.
    explicit DistinctKeys(SpillFile& spill, std::size_t budget = std::size_t{1} << 20)
        : spill_(spill), budget_(budget < 16 ? 16 : budget) {}

    void Add(std::uint64_t key) {
        keys_.push_back(key);
        if (keys_.size() >= budget_)
            SpillRun();
    }

    // Calls f(key) for each distinct key added, in increasing order, then
    // forgets them all. Throws IoError.
    template <typename F>
    void ForEachDistinct(F&& f) {
        StartMerge();
        std::uint64_t key;
        while (NextDistinct(key))
            f(key);
        keys_.clear();
        runs_.clear();
    }

    std::size_t spilledRuns() const { return runs_.size(); }

  private:
    // A sorted run: in the spill file, or (the last one) the buffer itself.
    struct Run {
        std::uint64_t offset = 0, count = 0;  // keys left to read from the file
        std::vector<std::uint64_t> chunk;     // keys read, not yet handed out
        std::size_t next = 0;
        bool inMemory = false;
    };
    void SortUnique();
    void SpillRun();
    void StartMerge();
    bool NextDistinct(std::uint64_t& key);
    // The run's next key, reading its next chunk when needed; false at its end.
    bool Peek(Run& run, std::uint64_t& key);

    SpillFile& spill_;
    std::size_t budget_;
    std::vector<std::uint64_t> keys_;
    std::vector<Run> runs_;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> heap_;  // next key, run
    bool any_ = false;
    std::uint64_t last_ = 0;
};

}  // namespace trafikon
