// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packed_lists.h"

#include <cstring>

#include "engine/decimal_text.h"

namespace trafikon {

std::uint32_t PackedLists::Allocate(std::uint32_t sizeClass) {
    if (!free_[sizeClass].empty()) {
        const std::uint32_t slot = free_[sizeClass].back();
        free_[sizeClass].pop_back();
        return slot;
    }
    const std::uint32_t units = 1u << sizeClass;
    // A buffer never straddles two pages.
    const std::size_t end = pages_.size() * kPageUnits;
    if (nextUnit_ >= end || nextUnit_ % kPageUnits + units > kPageUnits) {
        nextUnit_ = static_cast<std::uint32_t>(end);
        pages_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kPageUnits * kUnit));
    }
    const std::uint32_t slot = nextUnit_;
    nextUnit_ += units;
    return slot;
}

void PackedLists::MakeRoom(List& list) {
    if (list.slot == kNone) {
        list.slot = Allocate(0);
        list.sizeClass = 0;
        list.fill = 0;
        return;
    }
    if (list.sizeClass < kMaxClass) {
        // Doubles the buffer; the smaller one serves another list.
        const std::uint32_t bigger = Allocate(list.sizeClass + 1u);
        std::memcpy(SlotBytes(bigger), SlotBytes(list.slot), list.fill);
        free_[list.sizeClass].push_back(list.slot);
        list.slot = bigger;
        ++list.sizeClass;
        return;
    }
    // The largest buffer is full: it goes to the spill file and starts again.
    const SpilledBlock block{spill_.Append(SlotBytes(list.slot), list.fill), list.fill, kNone};
    const auto index = static_cast<std::uint32_t>(spilledBlocks_.size());
    spilledBlocks_.push_back(block);
    if (list.spilledTail == kNone)
        list.spilled = index;
    else
        spilledBlocks_[list.spilledTail].next = index;
    list.spilledTail = index;
    list.fill = 0;
}

namespace {

// The decimal text of a number that only grows, kept up to date by adding
// each difference digit by digit: the differences of a line list are mostly
// small, so this costs a digit or two a number.
class GrowingDecimal {
  public:
    void Add(std::uint32_t difference) {
        char* q = end_ - 1;
        std::uint32_t carry = difference;
        while (carry != 0) {
            if (q < start_) {
                *q = '0';
                start_ = q;
            }
            const std::uint32_t sum = static_cast<std::uint32_t>(*q - '0') + carry;
            *q-- = static_cast<char>('0' + sum % 10);
            carry = sum / 10;
        }
    }
    // Copies the digits to `p` (which has 16 bytes of room) and returns their end.
    char* CopyTo(char* p) const {
        std::memcpy(p, start_, 16);
        return p + (end_ - start_);
    }

  private:
    char digits_[48] = {};
    char* end_ = digits_ + 24;
    char* start_ = [this] {
        end_[-1] = '0';
        return end_ - 1;
    }();
};

}  // namespace

void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out) {
    char text[8192];
    char* p = text;
    *p++ = '-';
    GrowingDecimal decimal;
    lists.Walk(record, [&](std::uint32_t stored, std::uint32_t value) {
        if (p + 24 > text + sizeof text) {
            out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
            p = text;
        }
        if (lists.ascending_) {
            decimal.Add(stored);
            p = decimal.CopyTo(p);
        } else {
            p = WriteDecimal(p, value);
        }
        *p++ = '-';
    });
    out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
}

}  // namespace trafikon
