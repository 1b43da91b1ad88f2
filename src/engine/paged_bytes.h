// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes kept in pages that never move: each piece lies whole in one page, and
// is found again by the offset it was given, a page's index and a place in
// it. Pages grow from 4 KB to 1 MB, so a short list costs little and a long
// one wastes at most a page; a piece longer than a page has one of its own.
// Where a doubling buffer holds up to twice its bytes, and three times while
// it copies them, this holds its bytes and a page.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace trafikon {

class PagedBytes {
  public:
    static constexpr int kPageBits = 20;
    static constexpr std::uint64_t kPageBytes = std::uint64_t{1} << kPageBits;

    // Room for a piece of `bytes` bytes, and its offset. Offsets stay below
    // 2^`offsetBits`; throws std::length_error past it.
    char* Reserve(std::uint64_t bytes, std::uint64_t& offset, int offsetBits = 64) {
        if (used_ + bytes > size_) {
            if (offsetBits < 64 &&
                pages_.size() >= (std::uint64_t{1} << (offsetBits - kPageBits)) - 1)
                throw std::length_error("too many bytes for one analysis");
            if (!pages_.empty())
                filled_.push_back(used_);
            size_ = std::max(bytes, std::min(kPageBytes, std::uint64_t{4096} << pages_.size()));
            pages_.push_back(std::make_unique_for_overwrite<char[]>(size_));
            used_ = 0;
        }
        offset = ((pages_.size() - 1) << kPageBits) | used_;
        char* p = pages_.back().get() + used_;
        used_ += bytes;
        return p;
    }
    const char* At(std::uint64_t offset) const {
        return pages_[offset >> kPageBits].get() + (offset & (kPageBytes - 1));
    }

    // The offset of the piece reserved after the one of `bytes` bytes at
    // `offset`, when there is one.
    std::uint64_t After(std::uint64_t offset, std::uint64_t bytes) const {
        const std::uint64_t page = offset >> kPageBits;
        const std::uint64_t end = (offset & (kPageBytes - 1)) + bytes;
        const std::uint64_t filled = page + 1 < pages_.size() ? filled_[page] : used_;
        return end == filled ? (page + 1) << kPageBits : offset + bytes;
    }

  private:
    std::vector<std::unique_ptr<char[]>> pages_;
    std::vector<std::uint64_t> filled_;  // bytes used in each page but the last
    std::uint64_t size_ = 0, used_ = 0;  // of the last page
};

}  // namespace trafikon
