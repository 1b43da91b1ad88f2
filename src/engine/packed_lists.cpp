// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packed_lists.h"

#include <algorithm>
#include <cstring>

#include "engine/decimal_text.h"

namespace trafikon {

// Where the reading of each run is, and the full blocks sorted by record.
struct PackedLists::Reading {
    // The entry at a cursor's data() once handed out, to be passed over at
    // the next Take.
    struct Run {
        SpillRuns::Cursor cursor;
        bool taken = false;
    };
    std::vector<Run> runs;
    std::vector<Block> blocks;
    std::unique_ptr<std::uint8_t[]> blockBuffer;
    std::uint32_t record = 0, epoch = 0;
    std::size_t block = 0, blockEnd = 0;

    static void Rewind(const PackedLists& lists, Run& run, std::size_t k) {
        run.cursor.Rewind(lists.spill_, lists.runs_, k);
        run.cursor.Ensure(run.cursor.number());
        run.taken = false;
    }
    static void Next(Run& run) {
        run.cursor.Skip(run.cursor.number());
        run.cursor.NextEntry();
        run.cursor.Ensure(run.cursor.number());
    }
    // The entry of `wanted` in the run, when it has one.
    static bool Take(Run& run, std::uint32_t wanted, Piece& piece) {
        SpillRuns::Cursor& c = run.cursor;
        if (run.taken) {
            run.taken = false;
            Next(run);
        }
        while (c.hasEntry() && c.record() < wanted)
            Next(run);
        if (!c.hasEntry() || c.record() != wanted)
            return false;
        piece = {c.data(), c.number()};
        run.taken = true;
        return true;
    }
};

PackedLists::PackedLists(SpillFile& spill, bool ascending, std::size_t budget)
    : spill_(spill),
      ascending_(ascending),
      budgetPages_(std::max<std::size_t>(1, (budget + kPageBytes - 1) / kPageBytes)) {}

PackedLists::~PackedLists() = default;

bool PackedLists::NeedsPage(std::uint32_t sizeClass) const {
    if (!free_[sizeClass].empty())
        return false;
    std::uint32_t at = nextUnit_;
    if (at % kPageUnits + (1u << sizeClass) > kPageUnits)
        at = (at / kPageUnits + 1) * kPageUnits;
    return at / kPageUnits >= pages_.size();
}

std::uint32_t PackedLists::Allocate(std::uint32_t sizeClass) {
    if (!free_[sizeClass].empty()) {
        const std::uint32_t slot = free_[sizeClass].back();
        free_[sizeClass].pop_back();
        return slot;
    }
    const std::uint32_t units = 1u << sizeClass;
    // A buffer never straddles two pages.
    if (nextUnit_ % kPageUnits + units > kPageUnits)
        nextUnit_ = (nextUnit_ / kPageUnits + 1) * kPageUnits;
    if (nextUnit_ / kPageUnits >= pages_.size())
        pages_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kPageBytes));
    const std::uint32_t slot = nextUnit_;
    nextUnit_ += units;
    return slot;
}

PackedLists::List& PackedLists::MakeRoom(std::uint32_t record) {
    List& list = At(record);
    if (list.slot != kNone && list.sizeClass == kMaxClass) {
        // The largest buffer is full: it goes to the spill file and starts again.
        const auto epoch = static_cast<std::uint32_t>(runs_.count());
        blocks_.push_back(
            {record, epoch, spill_.Append(SlotBytes(list.slot), list.fill), list.fill});
        list.fill = 0;
        reading_.reset();
        return list;
    }
    std::uint32_t sizeClass = list.slot == kNone ? 0 : list.sizeClass + 1u;
    if (NeedsPage(sizeClass) && pages_.size() >= budgetPages_) {
        WriteRun();  // this list's buffer too: it starts again
        sizeClass = 0;
    }
    // A list doubles its buffer; the smaller one serves another list.
    const std::uint32_t slot = Allocate(sizeClass);
    if (list.slot != kNone) {
        std::memcpy(SlotBytes(slot), SlotBytes(list.slot), list.fill);
        free_[list.sizeClass].push_back(list.slot);
    }
    list.slot = slot;
    list.sizeClass = static_cast<std::uint8_t>(sizeClass);
    return list;
}

void PackedLists::WriteRun() {
    SpillRuns::Writer run(spill_, runs_);
    for (std::uint32_t r = 0; r < listCount_; ++r) {
        List& list = At(r);
        if (list.slot == kNone)
            continue;
        if (list.fill > 0) {
            run.MakeRoom(list.fill);
            std::uint8_t* p = run.Begin(r, list.fill);
            std::memcpy(p, SlotBytes(list.slot), list.fill);
            run.End(p + list.fill);
        }
        list.slot = kNone;
        list.fill = 0;
        list.sizeClass = 0;
    }
    run.Finish();
    for (auto& f : free_)
        f.clear();
    nextUnit_ = 0;  // the pages serve again
    reading_.reset();
}

void PackedLists::Seal() {
    if (runs_.count() == 0)
        return;
    WriteRun();
    decltype(pages_)().swap(pages_);
}

void PackedLists::StartReading(std::uint32_t record) const {
    if (!reading_) {
        reading_ = std::make_unique<Reading>();
        Reading& r = *reading_;
        r.blocks = blocks_;
        std::stable_sort(r.blocks.begin(), r.blocks.end(),
                         [](const Block& a, const Block& b) { return a.record < b.record; });
        if (!r.blocks.empty())
            r.blockBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(kMaxSlot);
        r.runs.resize(runs_.count());
        for (std::size_t k = 0; k < r.runs.size(); ++k)
            Reading::Rewind(*this, r.runs[k], k);
    } else if (record <= reading_->record) {  // a record read again, or an earlier one
        for (std::size_t k = 0; k < reading_->runs.size(); ++k)
            Reading::Rewind(*this, reading_->runs[k], k);
    }
    Reading& r = *reading_;
    r.record = record;
    r.epoch = 0;
    const auto [begin, end] =
        std::equal_range(r.blocks.begin(), r.blocks.end(), Block{record, 0, 0, 0},
                         [](const Block& a, const Block& b) { return a.record < b.record; });
    r.block = static_cast<std::size_t>(begin - r.blocks.begin());
    r.blockEnd = static_cast<std::size_t>(end - r.blocks.begin());
}

// For each epoch in turn: the full blocks written in it, then the record's
// entry in the run that closed it, or the buffer in memory for the last.
bool PackedLists::NextPiece(Piece& piece) const {
    Reading& r = *reading_;
    const std::size_t runs = runs_.count();
    while (r.epoch <= runs) {
        if (r.block < r.blockEnd && r.blocks[r.block].epoch == r.epoch) {
            const Block& b = r.blocks[r.block++];
            spill_.Read(b.offset, r.blockBuffer.get(), b.size);
            piece = {r.blockBuffer.get(), b.size};
            return true;
        }
        const std::uint32_t epoch = r.epoch++;
        if (epoch < runs) {
            if (Reading::Take(r.runs[epoch], r.record, piece))
                return true;
        } else if (r.record < listCount_) {
            const List& list = At(r.record);
            if (list.slot != kNone && list.fill > 0) {
                piece = {SlotBytes(list.slot), list.fill};
                return true;
            }
        }
    }
    return false;
}

void WriteIdList(const PackedLists& lists, std::uint32_t record, AtomicFileWriter& out) {
    char text[8192];
    char* p = text;
    *p++ = '-';
    lists.ForEach(record, [&](std::uint32_t value) {
        if (p + 24 > text + sizeof text) {
            out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
            p = text;
        }
        p = WriteDecimal(p, value);
        *p++ = '-';
    });
    out.Write(std::string_view(text, static_cast<std::size_t>(p - text)));
}

}  // namespace trafikon
