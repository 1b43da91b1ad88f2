// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spill_runs.h"

#include <algorithm>
#include <cstring>

#include "engine/varint.h"

namespace trafikon {
namespace {

constexpr std::size_t kRunOutput = std::size_t{1} << 18;  // bytes a run is written by
constexpr std::size_t kRunInput = std::size_t{1} << 14;   // bytes a run is read by

}  // namespace

SpillRuns::Writer::Writer(SpillFile& spill, SpillRuns& runs)
    : spill_(spill),
      runs_(runs),
      out_(std::make_unique_for_overwrite<std::uint8_t[]>(kRunOutput)),
      first_(static_cast<std::uint32_t>(runs.segments_.size())) {}

void SpillRuns::Writer::Flush() {
    if (used_ > 0)
        runs_.segments_.push_back({spill_.Append(out_.get(), used_), used_});
    used_ = 0;
}

std::size_t SpillRuns::Writer::MakeRoom(std::size_t bytes) {
    if (used_ + kMaxHeader + bytes > kRunOutput)
        Flush();
    return kRunOutput - used_ - kMaxHeader;
}

std::uint8_t* SpillRuns::Writer::Begin(std::uint32_t record, std::uint64_t number) {
    std::uint8_t* p = PutVarint(out_.get() + used_, record - previous_);
    previous_ = record;
    return PutVarint(p, number);
}

void SpillRuns::Writer::Finish() {
    Flush();
    if (runs_.segments_.size() > first_)
        runs_.starts_.push_back(first_);
}

void SpillRuns::Cursor::Rewind(const SpillFile& spill, const SpillRuns& runs, std::size_t run) {
    spill_ = &spill;
    runs_ = &runs;
    if (!buffer_)
        buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kRunInput);
    segment_ = runs.starts_[run];
    segmentEnd_ = run + 1 < runs.starts_.size() ? runs.starts_[run + 1]
                                                : static_cast<std::uint32_t>(runs.segments_.size());
    offset_ = left_ = 0;
    pos_ = len_ = 0;
    record_ = 0;
    NextEntry();
}

void SpillRuns::Cursor::Ensure(std::size_t n) {
    if (len_ - pos_ >= n || left_ == 0)
        return;
    std::memmove(buffer_.get(), buffer_.get() + pos_, len_ - pos_);
    len_ -= pos_;
    pos_ = 0;
    const auto more = static_cast<std::size_t>(std::min<std::uint64_t>(left_, kRunInput - len_));
    spill_->Read(offset_, buffer_.get() + len_, more);
    offset_ += more;
    left_ -= more;
    len_ += more;
}

void SpillRuns::Cursor::NextEntry() {
    hasEntry_ = false;
    while (pos_ == len_ && left_ == 0) {
        if (segment_ == segmentEnd_)
            return;
        const Segment& s = runs_->segments_[segment_++];
        offset_ = s.offset;
        left_ = s.size;
        pos_ = len_ = 0;
    }
    Ensure(kMaxHeader);
    const std::uint8_t* p = data();
    record_ += static_cast<std::uint32_t>(GetVarint(p));
    number_ = static_cast<std::uint32_t>(GetVarint(p));
    SkipTo(p);
    hasEntry_ = true;
}

}  // namespace trafikon
