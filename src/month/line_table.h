// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of one result file held compactly: the bytes of every line in a
// few large blocks, and per line only where it starts and how long it is.
// A million lines cost two small arrays and their bytes, never a million
// allocations. Lines are read as views, valid until the table is cleared or
// assigned; adding lines never moves the bytes of earlier ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

class LineTable {
  public:
    class const_iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const LineTable* table, std::size_t i) : table_(table), i_(i) {}
        const std::string_view operator*() const { return (*table_)[i_]; }
        const std::string_view operator[](difference_type n) const {
            return (*table_)[i_ + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++() { return ++i_, *this; }
        const_iterator operator++(int) { return {table_, i_++}; }
        const_iterator& operator--() { return --i_, *this; }
        const_iterator operator--(int) { return {table_, i_--}; }
        const_iterator& operator+=(difference_type n) {
            i_ = static_cast<std::size_t>(static_cast<difference_type>(i_) + n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator a, difference_type n) { return a += n; }
        friend const_iterator operator+(difference_type n, const_iterator a) { return a += n; }
        friend const_iterator operator-(const_iterator a, difference_type n) { return a -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.i_ == b.i_;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.i_ <=> b.i_;
        }

      private:
        const LineTable* table_ = nullptr;
        std::size_t i_ = 0;
    };
    using value_type = std::string_view;
    using size_type = std::size_t;
    using iterator = const_iterator;

    LineTable() = default;
    LineTable(std::initializer_list<std::string_view> lines);
    explicit LineTable(const std::vector<std::string>& lines);
    LineTable(LineTable&&) noexcept = default;
    LineTable& operator=(LineTable&&) noexcept = default;
    LineTable(const LineTable& other);
    LineTable& operator=(const LineTable& other);

    std::size_t size() const { return lengths_.size(); }
    bool empty() const { return lengths_.empty(); }
    // Const, so that assigning to a line does not compile (use Replace).
    const std::string_view operator[](std::size_t i) const {
        const std::uint64_t at = starts_[i];
        return {blocks_[static_cast<std::size_t>(at >> 32)].get() + (at & 0xffffffffu),
                lengths_[i]};
    }
    // Line i; throws std::out_of_range past the end.
    const std::string_view at(std::size_t i) const;
    const std::string_view front() const { return (*this)[0]; }
    const std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::string_view line) { push_back(line, {}); }
    // One line made of two pieces, without joining them first.
    void push_back(std::string_view first, std::string_view second);
    // Replaces line i (its old bytes stay unused until the table is cleared).
    void Replace(std::size_t i, std::string_view line);
    void clear();  // gives the memory back
    // Gives back what the per-line arrays hold beyond their lines (once loaded).
    void ShrinkToFit();

    // Bytes held: the blocks and the per-line arrays.
    std::size_t memoryBytes() const;

  private:
    char* Room(std::size_t bytes);  // where the next line's bytes go

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> blockSizes_;
    std::size_t used_ = 0;               // bytes used in the last block
    std::vector<std::uint64_t> starts_;  // block << 32 | offset in it
    std::vector<std::uint32_t> lengths_;
};

}  // namespace trafikon
