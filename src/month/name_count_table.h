// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a two-column list held compactly: names and counts in one
// growing text, numbers and positions in one small record per row, and the
// few distinct places (a host's country and city) each stored once. A list
// of a million hosts costs a few tens of megabytes and no allocation per row;
// sorting moves the 32-byte records, never the names. Rows made from a loaded
// month's lines may borrow their names and counts instead of copying them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "month/line_table.h"
#include "month/name_count_row.h"

namespace trafikon {

// One row of a NameCountTable, viewed: valid until the table changes.
struct NameCountView {
    std::string_view name;
    std::string_view count;   // as stored
    long long number = 0;     // count as an integer
    long long position = -1;  // position of the record in its table
    std::string_view place;   // third column of a list that shows one
};

class NameCountTable {
  public:
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NameCountView;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = NameCountView;

        const_iterator(const NameCountTable* table, std::size_t i) : table_(table), i_(i) {}
        NameCountView operator*() const { return (*table_)[i_]; }
        const_iterator& operator++() { return ++i_, *this; }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.i_ == b.i_;
        }

      private:
        const NameCountTable* table_;
        std::size_t i_;
    };

    NameCountTable() = default;
    explicit NameCountTable(const std::vector<NameCountRow>& rows);
    NameCountTable(NameCountTable&&) noexcept = default;
    NameCountTable& operator=(NameCountTable&&) noexcept = default;
    NameCountTable(const NameCountTable&) = delete;
    NameCountTable& operator=(const NameCountTable&) = delete;

    void reserve(std::size_t rows) { rows_.reserve(rows); }
    void Add(std::string_view name, std::string_view count, long long number, long long position,
             std::string_view place = {});
    // The same without a copy of the name and the count: they are views into
    // text that stays in place while the table holds them (the lines of a
    // loaded month, until its next load). A count far from its name is copied.
    void AddBorrowed(std::string_view name, std::string_view count, long long number,
                     long long position, std::string_view place = {});

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    NameCountView operator[](std::size_t i) const;
    std::string_view name(std::size_t i) const { return {rows_[i].name, rows_[i].nameLength}; }
    long long number(std::size_t i) const { return rows_[i].number; }
    std::string_view place(std::size_t i) const { return places_[rows_[i].place]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Puts the rows in the order of `order`, a permutation of 0..size()-1.
    void Reorder(const std::vector<int>& order);
    void clear();
    // Bytes held: the row records, the texts and the places.
    std::size_t memoryBytes() const;

  private:
    struct Row {
        long long number;
        const char* name;  // in texts_ or borrowed
        std::int32_t position;
        std::uint32_t place;  // line of places_
        std::uint32_t nameLength;
        std::uint16_t countLength;
        std::uint8_t countGap;  // bytes between the name and the count
    };
    std::uint32_t PlaceId(std::string_view place);
    static std::int32_t KeptPosition(long long position);
    std::vector<Row> rows_;
    LineTable texts_;
    LineTable places_;                                              // line 0 is the empty place
    std::unordered_map<std::string_view, std::uint32_t> placeIds_;  // views into places_
};

}  // namespace trafikon
