// SPDX-License-Identifier: GPL-3.0-or-later
// Lists of numbers per record, kept compact while an analysis runs: each list
// is a string of variable-length numbers (seven bits a byte), line numbers as
// their distance from the previous one, so a record of many hits costs a byte
// or two a hit. A list grows in a buffer of its own that doubles up to 4 KB; a
// full 4 KB buffer goes to the run's spill file as a block of its own. When
// the buffers together pass the memory budget, all of them go to the spill
// file as one sorted run (record, bytes; in record order) and memory starts
// again, so memory stays bounded whatever the number of records and hits.
// Lists are read back one record at a time, fastest in increasing record
// order: each record's pieces come from the blocks, the runs and memory in the
// order they were appended.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/key_map.h"
#include "engine/spill_runs.h"
#include "engine/varint.h"
#include "store/spill_file.h"
#include "store/text_file.h"

namespace trafikon {

class PackedLists {
  public:
    static constexpr std::size_t kDefaultBudget = std::size_t{2} << 20;

    // `ascending`: the numbers of each list only grow (line numbers), and are
    // kept as differences. Full buffers and runs go to `spill`, which outlives
    // this. `budget`: bytes of buffers held in memory at most (rounded up to a
    // 64 KB page).
    PackedLists(SpillFile& spill, bool ascending, std::size_t budget = kDefaultBudget);
    ~PackedLists();
    PackedLists(const PackedLists&) = delete;
    PackedLists& operator=(const PackedLists&) = delete;

    void Append(std::uint32_t record, std::uint32_t value) {
        if (record >= listCount_)
            AddLists(record + 1);
        List* list = &At(record);
        if (list->fill + kMaxBytes > (kUnit << list->sizeClass) || list->slot == kNone)
            list = &MakeRoom(record);
        const std::uint32_t v = ascending_ ? value - list->last : value;
        list->last = value;
        const std::uint8_t* p = PutVarint(SlotBytes(list->slot) + list->fill, v);
        list->fill = static_cast<std::uint16_t>(p - SlotBytes(list->slot));
    }

    // Asks for the head of the list of `record` ahead of an Append.
    void Prefetch(std::uint32_t record) const {
        if (record < listCount_)
            PrefetchLine(&At(record));
    }
    // The next hint, once the head has come: where the Append writes.
    void PrefetchEnd(std::uint32_t record) const {
        if (record < listCount_ && At(record).slot != kNone)
            PrefetchLine(SlotBytes(At(record).slot) + At(record).fill);
    }

    // Calls f(value) for each number of the list of `record`, in order. Throws
    // IoError when the spill file cannot be read. Reading keeps a position in
    // the runs: one thread at a time reads a PackedLists.
    template <typename F>
    void ForEach(std::uint32_t record, F&& f) const {
        Walk(record, [&](std::uint32_t, std::uint32_t value) { f(value); });
    }

    std::size_t runCount() const { return runs_.count(); }
    // After the last Append: lists that went out already send the rest after
    // them and give their memory back, for the results to be written in less.
    // Throws IoError.
    void Seal();

  private:
    struct Piece {
        const std::uint8_t* bytes = nullptr;
        std::size_t size = 0;
    };
    struct Reading;

    // Calls f(stored, value) for each number: the value and what the list
    // keeps of it (its difference from the previous one when ascending).
    template <typename F>
    void Walk(std::uint32_t record, F&& f) const {
        StartReading(record);
        std::uint32_t value = 0;
        Piece piece;
        while (NextPiece(piece))
            Decode(piece.bytes, piece.size, value, f);
    }
    // Makes ready to hand out the pieces of `record` in order.
    void StartReading(std::uint32_t record) const;
    bool NextPiece(Piece& piece) const;

    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kUnit = 16;     // bytes of the smallest buffer
    static constexpr std::uint32_t kMaxClass = 8;  // 16 << 8 = 4 KB
    static constexpr std::uint32_t kMaxSlot = kUnit << kMaxClass;
    static constexpr std::uint32_t kMaxBytes = 5;         // of one number
    static constexpr std::uint32_t kPageUnits = 1 << 12;  // 64 KB pages
    static constexpr std::size_t kPageBytes = std::size_t{kUnit} * kPageUnits;

    struct List {
        std::uint32_t last = 0;      // the last number appended
        std::uint32_t slot = kNone;  // buffer in the pages, in units
        std::uint16_t fill = 0;      // bytes used in the buffer
        std::uint8_t sizeClass = 0;
    };
    // A full buffer in the spill file; `epoch`: the runs written before it.
    struct Block {
        std::uint32_t record, epoch;
        std::uint64_t offset;
        std::uint32_t size;
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
    List& MakeRoom(std::uint32_t record);
    bool NeedsPage(std::uint32_t sizeClass) const;
    std::uint32_t Allocate(std::uint32_t sizeClass);
    void WriteRun();

    SpillFile& spill_;
    bool ascending_;
    std::size_t budgetPages_;
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
    std::uint32_t nextUnit_ = 0;  // first free unit
    std::vector<std::uint32_t> free_[kMaxClass + 1];
    std::vector<Block> blocks_;  // in order of writing
    SpillRuns runs_;
    mutable std::unique_ptr<Reading> reading_;
};

// Writes the list of `record` as IdList text ("-", then each number and "-")
// to `out`. Throws IoError.
void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out);

}  // namespace trafikon
