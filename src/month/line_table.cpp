// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/line_table.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace trafikon {

namespace {

// Blocks start small (most tables hold a few lines) and grow to this size;
// a longer line gets a block of its own.
constexpr std::size_t kFirstBlock = std::size_t(1) << 16;
constexpr std::size_t kLargestBlock = std::size_t(1) << 22;

}  // namespace

LineTable::LineTable(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
        push_back(line);
}

LineTable::LineTable(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        push_back(line);
}

LineTable::LineTable(const LineTable& other) {
    *this = other;
}

LineTable& LineTable::operator=(const LineTable& other) {
    if (this != &other) {
        clear();
        for (std::string_view line : other)
            push_back(line);
    }
    return *this;
}

const std::string_view LineTable::at(std::size_t i) const {
    if (i >= size())
        throw std::out_of_range("LineTable::at");
    return (*this)[i];
}

char* LineTable::Room(std::size_t bytes) {
    if (blocks_.empty() || blockSizes_.back() - used_ < bytes) {
        const std::size_t next =
            blocks_.empty() ? kFirstBlock : std::min(kLargestBlock, 2 * blockSizes_.back());
        const std::size_t size = std::max(next, bytes);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        blockSizes_.push_back(size);
        used_ = 0;
    }
    return blocks_.back().get() + used_;
}

void LineTable::push_back(std::string_view first, std::string_view second) {
    const std::size_t size = first.size() + second.size();
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("line of a result file over 4 GB");
    char* to = Room(size);
    if (!first.empty())
        std::memcpy(to, first.data(), first.size());
    if (!second.empty())
        std::memcpy(to + first.size(), second.data(), second.size());
    starts_.push_back((static_cast<std::uint64_t>(blocks_.size() - 1) << 32) | used_);
    lengths_.push_back(static_cast<std::uint32_t>(size));
    used_ += size;
}

void LineTable::Replace(std::size_t i, std::string_view line) {
    if (i >= size())
        throw std::out_of_range("LineTable::Replace");
    push_back(line);
    starts_[i] = starts_.back();
    lengths_[i] = lengths_.back();
    starts_.pop_back();
    lengths_.pop_back();
}

void LineTable::clear() {
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    std::vector<std::size_t>().swap(blockSizes_);
    used_ = 0;
    std::vector<std::uint64_t>().swap(starts_);
    std::vector<std::uint32_t>().swap(lengths_);
}

void LineTable::ShrinkToFit() {
    starts_.shrink_to_fit();
    lengths_.shrink_to_fit();
}

std::size_t LineTable::memoryBytes() const {
    std::size_t bytes =
        starts_.capacity() * sizeof(std::uint64_t) + lengths_.capacity() * sizeof(std::uint32_t);
    for (std::size_t s : blockSizes_)
        bytes += s;
    return bytes;
}

}  // namespace trafikon
