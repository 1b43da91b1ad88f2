// SPDX-License-Identifier: GPL-3.0-or-later
// The hits of a month in reading order, as the robot tally reads them again
// after the last one: line, agent, host, page or not, day, bytes, second of
// the month and file of each,
// packed into a few bytes a hit, in blocks that go to the run's spill file
// once full, so memory stays bounded whatever the size of the month.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/varint.h"
#include "store/spill_file.h"

namespace trafikon {

struct StreamedHit {
    std::uint32_t line = 0;
    std::uint32_t agent = 0;  // 0 for no user agent, else the browser position + 1
    std::uint32_t host = 0;
    bool page = false;
    std::uint8_t day = 1;  // 1..31
    std::uint64_t bytes = 0;
    std::uint32_t second = 0;  // of the month: (day - 1) * 86400 + the line's time of day
    std::uint32_t file = 0;    // file position (kept for pages only, else 0)
};

class HitStream {
  public:
    // `spill` outlives this.
    explicit HitStream(SpillFile& spill)
        : spill_(spill), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kBlock)) {}

    void Add(const StreamedHit& hit) {
        if (fill_ + kMaxRecord > kBlock)
            Spill();
        std::uint8_t* p = buffer_.get() + fill_;
        p = PutVarint(p, hit.line - lastLine_);
        lastLine_ = hit.line;
        p = PutVarint(p, hit.agent);
        p = PutVarint(p, hit.host);
        *p++ = static_cast<std::uint8_t>((hit.day & 0x1F) | (hit.page ? 0x20 : 0));
        p = PutVarint(p, hit.bytes);
        // The time as a step from the hit before's, most often a byte.
        const std::int64_t step = std::int64_t{hit.second} - lastSecond_;
        lastSecond_ = hit.second;
        p = PutVarint(p, static_cast<std::uint64_t>(step < 0 ? ~(step << 1) : step << 1));
        if (hit.page)
            p = PutVarint(p, hit.file);
        fill_ = static_cast<std::size_t>(p - buffer_.get());
    }

    // Calls f(const StreamedHit&) for each hit in order. Throws IoError.
    template <typename F>
    void ForEach(F&& f) const {
        StreamedHit hit;
        if (!blocks_.empty()) {
            auto block = std::make_unique_for_overwrite<std::uint8_t[]>(kBlock);
            for (const auto& [offset, size] : blocks_) {
                spill_.Read(offset, block.get(), size);
                Decode(block.get(), size, hit, f);
            }
        }
        Decode(buffer_.get(), fill_, hit, f);
    }

  private:
    static constexpr std::size_t kBlock = 1 << 16;
    static constexpr std::size_t kMaxRecord = 5 + 5 + 5 + 1 + 10 + 5 + 5;

    template <typename F>
    static void Decode(const std::uint8_t* p, std::size_t size, StreamedHit& hit, F& f) {
        const std::uint8_t* end = p + size;
        while (p < end) {
            hit.line += static_cast<std::uint32_t>(GetVarint(p));
            hit.agent = static_cast<std::uint32_t>(GetVarint(p));
            hit.host = static_cast<std::uint32_t>(GetVarint(p));
            hit.day = static_cast<std::uint8_t>(*p & 0x1F);
            hit.page = (*p++ & 0x20) != 0;
            hit.bytes = GetVarint(p);
            const std::uint64_t step = GetVarint(p);
            hit.second += static_cast<std::uint32_t>(step & 1 ? ~(step >> 1) : step >> 1);
            hit.file = hit.page ? static_cast<std::uint32_t>(GetVarint(p)) : 0;
            f(static_cast<const StreamedHit&>(hit));
        }
    }
    void Spill() {
        blocks_.emplace_back(spill_.Append(buffer_.get(), fill_),
                             static_cast<std::uint32_t>(fill_));
        fill_ = 0;
    }

    SpillFile& spill_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t fill_ = 0;
    std::uint32_t lastLine_ = 0;
    std::uint32_t lastSecond_ = 0;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> blocks_;  // spilled: offset, size
};

}  // namespace trafikon
