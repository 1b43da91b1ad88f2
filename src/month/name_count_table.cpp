// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/name_count_table.h"

#include <limits>

namespace trafikon {

namespace {

constexpr std::int32_t kBeyondAnyTable = std::numeric_limits<std::int32_t>::max();

}  // namespace

NameCountTable::NameCountTable(const std::vector<NameCountRow>& rows) {
    reserve(rows.size());
    for (const NameCountRow& r : rows)
        Add(r.name, r.count, r.number, r.position, r.place);
}

void NameCountTable::Add(std::string_view name, std::string_view count, long long number,
                         long long position, std::string_view place) {
    if (places_.empty())
        places_.push_back({});
    std::uint32_t placeId = 0;
    if (!place.empty()) {
        auto found = placeIds_.find(place);
        if (found == placeIds_.end()) {
            places_.push_back(place);
            found =
                placeIds_.emplace(places_.back(), static_cast<std::uint32_t>(places_.size() - 1))
                    .first;
        }
        placeId = found->second;
    }
    texts_.push_back(name, count);  // side by side in one line
    // Positions are row numbers of a table of fewer than 2^31 lines: one
    // beyond that (a damaged top list) stays beyond every table, never wraps
    // onto a real row.
    const std::int32_t kept = position < 0                  ? -1
                              : position >= kBeyondAnyTable ? kBeyondAnyTable
                                                            : static_cast<std::int32_t>(position);
    rows_.push_back({number, kept, static_cast<std::uint32_t>(texts_.size() - 1),
                     static_cast<std::uint32_t>(name.size()), placeId});
}

NameCountView NameCountTable::operator[](std::size_t i) const {
    const Row& r = rows_[i];
    const std::string_view text = texts_[r.text];
    return {text.substr(0, r.nameLength), text.substr(r.nameLength), r.number, r.position,
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
