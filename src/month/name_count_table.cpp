// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/name_count_table.h"

#include <limits>

namespace trafikon {

namespace {

constexpr std::int32_t kBeyondAnyTable = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kLongestCount = std::numeric_limits<std::uint16_t>::max();
constexpr std::size_t kLongestBorrowedName = std::numeric_limits<std::uint32_t>::max();
constexpr std::ptrdiff_t kWidestGap = std::numeric_limits<std::uint8_t>::max();

}  // namespace

NameCountTable::NameCountTable(const std::vector<NameCountRow>& rows) {
    reserve(rows.size());
    for (const NameCountRow& r : rows)
        Add(r.name, r.count, r.number, r.position, r.place);
}

std::uint32_t NameCountTable::PlaceId(std::string_view place) {
    if (places_.empty())
        places_.push_back({});
    if (place.empty())
        return 0;
    auto found = placeIds_.find(place);
    if (found == placeIds_.end()) {
        places_.push_back(place);
        found =
            placeIds_.emplace(places_.back(), static_cast<std::uint32_t>(places_.size() - 1)).first;
    }
    return found->second;
}

std::int32_t NameCountTable::KeptPosition(long long position) {
    // Positions are row numbers of a table of fewer than 2^31 lines: one
    // beyond that (a damaged top list) stays beyond every table, never wraps
    // onto a real row.
    return position < 0                  ? -1
           : position >= kBeyondAnyTable ? kBeyondAnyTable
                                         : static_cast<std::int32_t>(position);
}

void NameCountTable::Add(std::string_view name, std::string_view count, long long number,
                         long long position, std::string_view place) {
    count = count.substr(0, kLongestCount);  // a count is a few digits
    texts_.push_back(name, count);           // side by side in one line
    rows_.push_back({number, texts_.back().data(), KeptPosition(position), PlaceId(place),
                     static_cast<std::uint32_t>(name.size()),
                     static_cast<std::uint16_t>(count.size()), 0});
}

void NameCountTable::AddBorrowed(std::string_view name, std::string_view count, long long number,
                                 long long position, std::string_view place) {
    const char* nameEnd = name.data() + name.size();
    if (count.size() > kLongestCount || name.size() > kLongestBorrowedName ||
        (!count.empty() && (count.data() < nameEnd || count.data() - nameEnd > kWidestGap))) {
        Add(name, count, number, position, place);
        return;
    }
    const auto gap = count.empty() ? 0 : count.data() - nameEnd;
    rows_.push_back({number, name.data(), KeptPosition(position), PlaceId(place),
                     static_cast<std::uint32_t>(name.size()),
                     static_cast<std::uint16_t>(count.size()), static_cast<std::uint8_t>(gap)});
}

NameCountView NameCountTable::operator[](std::size_t i) const {
    const Row& r = rows_[i];
    return {{r.name, r.nameLength},
            {r.name + r.nameLength + r.countGap, r.countLength},
            r.number,
            r.position,
            places_[r.place]};
}

void NameCountTable::Reorder(const std::vector<int>& order) {
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (int i : order)
        sorted.push_back(rows_[static_cast<std::size_t>(i)]);
    rows_ = std::move(sorted);
}

void NameCountTable::clear() {
    std::vector<Row>().swap(rows_);
    texts_.clear();
    places_.clear();
    placeIds_.clear();
}

std::size_t NameCountTable::memoryBytes() const {
    return rows_.capacity() * sizeof(Row) + texts_.memoryBytes() + places_.memoryBytes();
}

}  // namespace trafikon
