// SPDX-License-Identifier: GPL-3.0-or-later
// Sorted runs of per-record lists in a spill file, written and read back entry
// by entry. An entry is a header of two numbers (the step from the record of
// the entry before, then a count or a size) and what it holds; a run is
// written in segments of 256 KB, no entry across two, and read through a
// window of 16 KB, so reading many runs side by side costs little memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "store/spill_file.h"

namespace trafikon {

class SpillRuns {
  public:
    static constexpr std::size_t kMaxHeader = 10;  // record step and count or size

    std::size_t count() const { return starts_.size(); }

    // Writes one run; entries come in ascending record order. The run ends
    // with Finish(), and counts only when it holds an entry.
    class Writer {
      public:
        Writer(SpillFile& spill, SpillRuns& runs);
        // Starts a new segment unless `bytes` of content fit in this one with
        // a header; returns the bytes of content an entry may take now.
        std::size_t MakeRoom(std::size_t bytes);
        // Writes the header of an entry; returns where its content goes.
        std::uint8_t* Begin(std::uint32_t record, std::uint64_t number);
        // The entry's content ends at `end`.
        void End(const std::uint8_t* end) { used_ = static_cast<std::size_t>(end - out_.get()); }
        void Finish();

      private:
        void Flush();
        SpillFile& spill_;
        SpillRuns& runs_;
        std::unique_ptr<std::uint8_t[]> out_;
        std::size_t used_ = 0;
        std::uint32_t first_, previous_ = 0;
    };

    // Reads one run from its start, entry by entry.
    class Cursor {
      public:
        // Goes back to the first entry of run `run` and reads its header.
        // Throws IoError when the spill file cannot be read.
        void Rewind(const SpillFile& spill, const SpillRuns& runs, std::size_t run);
        bool hasEntry() const { return hasEntry_; }
        std::uint32_t record() const { return record_; }
        std::uint32_t number() const { return number_; }  // the header's count or size
        // Makes `n` bytes readable at data(), or what the segment has left.
        void Ensure(std::size_t n);
        const std::uint8_t* data() const { return buffer_.get() + pos_; }
        void Skip(std::size_t n) { pos_ += n; }
        void SkipTo(const std::uint8_t* p) { pos_ = static_cast<std::size_t>(p - buffer_.get()); }
        // Reads the header of the entry at data(), past the content before it.
        void NextEntry();

      private:
        const SpillFile* spill_ = nullptr;
        const SpillRuns* runs_ = nullptr;
        std::uint32_t segment_ = 0, segmentEnd_ = 0;  // segments of the run not yet loaded
        std::uint64_t offset_ = 0, left_ = 0;         // of the segment being loaded
        std::unique_ptr<std::uint8_t[]> buffer_;
        std::size_t pos_ = 0, len_ = 0;
        bool hasEntry_ = false;
        std::uint32_t record_ = 0, number_ = 0;
    };

  private:
    struct Segment {
        std::uint64_t offset, size;
    };
    std::vector<Segment> segments_;      // of the runs, in order
    std::vector<std::uint32_t> starts_;  // first segment of each run
};

}  // namespace trafikon
