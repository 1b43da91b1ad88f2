// SPDX-License-Identifier: GPL-3.0-or-later
// An array of one value per record that grows by pages of 64 KB which never
// move: growing copies nothing and keeps at most a page to spare, where a
// doubled array would hold up to twice its values, and three times while it
// copies them. For the per-record values of an analysis, which may be
// millions.
#pragma once

#include <bit>
#include <cstddef>
#include <memory>
#include <vector>

namespace trafikon {

template <typename T>
class PagedVector {
    static_assert(std::has_single_bit(sizeof(T)) && sizeof(T) <= 4096);
    static constexpr std::size_t kShift = std::bit_width(65536 / sizeof(T)) - 1;
    static constexpr std::size_t kPage = std::size_t{1} << kShift;
    static constexpr std::size_t kMask = kPage - 1;

  public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return pages_[i >> kShift][i & kMask]; }
    const T& operator[](std::size_t i) const { return pages_[i >> kShift][i & kMask]; }

    void push_back(const T& value) {
        if (size_ == pages_.size() << kShift)
            pages_.push_back(std::make_unique_for_overwrite<T[]>(kPage));
        (*this)[size_++] = value;
    }
    // Grows to `n` values, the new ones `value`; never shrinks.
    void resize(std::size_t n, const T& value = T{}) {
        while (size_ < n)
            push_back(value);
    }
    // Forgets the values; the pages serve again.
    void clear() { size_ = 0; }
    // Forgets the values and gives the pages back.
    void Release() {
        decltype(pages_)().swap(pages_);
        size_ = 0;
    }

  private:
    std::vector<std::unique_ptr<T[]>> pages_;
    std::size_t size_ = 0;
};

}  // namespace trafikon
