#include "engine/packed_lists.h"

#include <charconv>
#include <cstring>

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

void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out) {
    char text[8192];
    char* p = text;
    *p++ = '-';
    lists.ForEach(record, [&](std::uint32_t value) {
        if (p + 12 > text + sizeof text) {
            out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
            p = text;
        }
        p = std::to_chars(p, p + 11, value).ptr;
        *p++ = '-';
    });
    out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
}

}  // namespace trafikon
