// SPDX-License-Identifier: GPL-3.0-or-later
// Lists of numbers per record, kept compact while an analysis runs: each list
// is a string of variable-length numbers (seven bits a byte), line numbers as
// their distance from the previous one, so a record of many hits costs a byte
// or two a hit. A list grows in a buffer of its own that doubles up to 4 KB;
// a full 4 KB buffer goes to the run's spill file, so memory stays bounded
// whatever the number of hits per record. Lists are read back in order of
// appending, one record at a time, when the result files are written.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/key_map.h"
#include "engine/varint.h"
#include "store/spill_file.h"
#include "store/text_file.h"

namespace trafikon {

class PackedLists {
  public:
    // `ascending`: the numbers of each list only grow (line numbers), and are
    // kept as differences. Full buffers go to `spill`, which outlives this.
    PackedLists(SpillFile& spill, bool ascending) : spill_(spill), ascending_(ascending) {}
    PackedLists(const PackedLists&) = delete;
    PackedLists& operator=(const PackedLists&) = delete;

    void Append(std::uint32_t record, std::uint32_t value) {
        if (record >= listCount_)
            AddLists(record + 1);
        List& list = At(record);
        if (list.fill + kMaxBytes > (kUnit << list.sizeClass) || list.slot == kNone)
            MakeRoom(list);
        const std::uint32_t v = ascending_ ? value - list.last : value;
        list.last = value;
        const std::uint8_t* p = PutVarint(SlotBytes(list.slot) + list.fill, v);
        list.fill = static_cast<std::uint16_t>(p - SlotBytes(list.slot));
    }

    // Asks for the head of the list of `record` ahead of an Append.
    void Prefetch(std::uint32_t record) const {
        if (record < listCount_)
            PrefetchLine(&At(record));
    }

    // Calls f(value) for each number of the list of `record`, in order. Throws
    // IoError when the spill file cannot be read.
    template <typename F>
    void ForEach(std::uint32_t record, F&& f) const {
        Walk(record, [&](std::uint32_t, std::uint32_t value) { f(value); });
    }

  private:
    friend void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out);

    // Calls f(stored, value) for each number: the value and what the list
    // keeps of it (its difference from the previous one when ascending).
    template <typename F>
    void Walk(std::uint32_t record, F&& f) const {
        if (record >= listCount_)
            return;
        const List& list = At(record);
        std::uint32_t value = 0;
        if (list.spilled != kNone) {
            std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[kMaxSlot]);
            for (std::uint32_t b = list.spilled; b != kNone; b = spilledBlocks_[b].next) {
                const SpilledBlock& block = spilledBlocks_[b];
                spill_.Read(block.offset, buffer.get(), block.size);
                Decode(buffer.get(), block.size, value, f);
            }
        }
        if (list.slot != kNone)
            Decode(SlotBytes(list.slot), list.fill, value, f);
    }

    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kUnit = 16;     // bytes of the smallest buffer
    static constexpr std::uint32_t kMaxClass = 8;  // 16 << 8 = 4 KB
    static constexpr std::uint32_t kMaxSlot = kUnit << kMaxClass;
    static constexpr std::uint32_t kMaxBytes = 5;         // of one number
    static constexpr std::uint32_t kPageUnits = 1 << 12;  // 64 KB pages

    struct List {
        std::uint32_t last = 0;         // the last number appended
        std::uint32_t slot = kNone;     // buffer in the pages, in units
        std::uint32_t spilled = kNone;  // first spilled block
        std::uint32_t spilledTail = kNone;
        std::uint16_t fill = 0;  // bytes used in the buffer
        std::uint8_t sizeClass = 0;
    };
    struct SpilledBlock {
        std::uint64_t offset;
        std::uint32_t size;
        std::uint32_t next;
    };

    template <typename F>
    void Decode(const std::uint8_t* p, std::size_t size, std::uint32_t& value, F& f) const {
        const std::uint8_t* end = p + size;
        while (p < end) {
            const auto v = static_cast<std::uint32_t>(GetVarint(p));
            value = ascending_ ? value + v : v;
            f(v, value);
        }
    }
    std::uint8_t* SlotBytes(std::uint32_t slot) const {
        return pages_[slot / kPageUnits].get() +
               static_cast<std::size_t>(slot % kPageUnits) * kUnit;
    }
    void MakeRoom(List& list);
    std::uint32_t Allocate(std::uint32_t sizeClass);

    SpillFile& spill_;
    bool ascending_;
    // The lists' heads, in pages that never move: no doubled array.
    static constexpr std::uint32_t kPageLists = 4096;
    List& At(std::uint32_t record) { return listPages_[record / kPageLists][record % kPageLists]; }
    const List& At(std::uint32_t record) const {
        return listPages_[record / kPageLists][record % kPageLists];
    }
    void AddLists(std::uint32_t count) {
        while (listPages_.size() * kPageLists < count)
            listPages_.push_back(std::make_unique<List[]>(kPageLists));
        listCount_ = count;
    }
    std::vector<std::unique_ptr<List[]>> listPages_;
    std::uint32_t listCount_ = 0;
    std::vector<std::unique_ptr<std::uint8_t[]>> pages_;
    std::uint32_t nextUnit_ = 0;  // first free unit of the last page
    std::vector<std::uint32_t> free_[kMaxClass + 1];
    std::vector<SpilledBlock> spilledBlocks_;
};

// Writes the list of `record` as IdList text ("-", then each number and "-")
// to `out`. Throws IoError.
void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out);

}  // namespace trafikon
