// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packed_lists.h"

#include <algorithm>
#include <cstring>

#include "engine/decimal_text.h"

namespace trafikon {

namespace {

constexpr std::size_t kRunOutput = std::size_t{1} << 18;  // bytes a run is written by
constexpr std::size_t kRunInput = std::size_t{1} << 14;   // bytes a run is read by
constexpr std::size_t kMaxHeader = 10;                    // record step and size

}  // namespace

// Where the reading of each run is, and the full blocks sorted by record.
struct PackedLists::Reading {
    struct Cursor {
        std::uint32_t segment = 0, segmentEnd = 0;  // segments of the run not yet loaded
        std::uint64_t offset = 0, left = 0;         // of the segment being loaded
        std::unique_ptr<std::uint8_t[]> buffer;
        std::size_t pos = 0, len = 0;
        bool hasEntry = false, taken = false;
        std::uint32_t record = 0, size = 0;  // of the entry at pos
    };
    std::vector<Cursor> cursors;
    std::vector<Block> blocks;
    std::unique_ptr<std::uint8_t[]> blockBuffer;
    std::uint32_t record = 0, epoch = 0;
    std::size_t block = 0, blockEnd = 0;

    // Loads more of the cursor's segment until `n` bytes are at `pos` or
    // the segment is all loaded.
    static void Ensure(const PackedLists& lists, Cursor& c, std::size_t n) {
        if (c.len - c.pos >= n || c.left == 0)
            return;
        std::memmove(c.buffer.get(), c.buffer.get() + c.pos, c.len - c.pos);
        c.len -= c.pos;
        c.pos = 0;
        const auto more =
            static_cast<std::size_t>(std::min<std::uint64_t>(c.left, kRunInput - c.len));
        lists.spill_.Read(c.offset, c.buffer.get() + c.len, more);
        c.offset += more;
        c.left -= more;
        c.len += more;
    }
    static void LoadEntry(const PackedLists& lists, Cursor& c) {
        c.hasEntry = false;
        while (c.pos == c.len && c.left == 0) {
            if (c.segment == c.segmentEnd)
                return;
            const Segment& s = lists.segments_[c.segment++];
            c.offset = s.offset;
            c.left = s.size;
            c.pos = c.len = 0;
            Ensure(lists, c, kMaxHeader);
        }
        Ensure(lists, c, kMaxHeader);
        const std::uint8_t* p = c.buffer.get() + c.pos;
        c.record += static_cast<std::uint32_t>(GetVarint(p));
        c.size = static_cast<std::uint32_t>(GetVarint(p));
        c.pos = static_cast<std::size_t>(p - c.buffer.get());
        Ensure(lists, c, c.size);
        c.hasEntry = true;
    }
    static void Rewind(const PackedLists& lists, Cursor& c, std::size_t run) {
        c.segment = lists.runStarts_[run];
        c.segmentEnd = run + 1 < lists.runStarts_.size()
                           ? lists.runStarts_[run + 1]
                           : static_cast<std::uint32_t>(lists.segments_.size());
        c.offset = c.left = 0;
        c.pos = c.len = 0;
        c.record = 0;
        c.taken = false;
        LoadEntry(lists, c);
    }
    // The entry of `wanted` in the run, when it has one.
    static bool Take(const PackedLists& lists, Cursor& c, std::uint32_t wanted, Piece& piece) {
        if (c.taken) {
            c.taken = false;
            c.pos += c.size;
            LoadEntry(lists, c);
        }
        while (c.hasEntry && c.record < wanted) {
            c.pos += c.size;
            LoadEntry(lists, c);
        }
        if (!c.hasEntry || c.record != wanted)
            return false;
        piece = {c.buffer.get() + c.pos, c.size};
        c.taken = true;
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
        const auto epoch = static_cast<std::uint32_t>(runStarts_.size());
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
    auto out = std::make_unique_for_overwrite<std::uint8_t[]>(kRunOutput);
    std::size_t n = 0;
    const auto first = static_cast<std::uint32_t>(segments_.size());
    const auto flush = [&] {
        if (n > 0)
            segments_.push_back({spill_.Append(out.get(), n), n});
        n = 0;
    };
    std::uint32_t previous = 0;
    for (std::uint32_t r = 0; r < listCount_; ++r) {
        List& list = At(r);
        if (list.slot == kNone)
            continue;
        if (list.fill > 0) {
            if (n + kMaxHeader + list.fill > kRunOutput)
                flush();
            std::uint8_t* p = PutVarint(out.get() + n, r - previous);
            p = PutVarint(p, list.fill);
            std::memcpy(p, SlotBytes(list.slot), list.fill);
            n = static_cast<std::size_t>(p - out.get()) + list.fill;
            previous = r;
        }
        list.slot = kNone;
        list.fill = 0;
        list.sizeClass = 0;
    }
    flush();
    if (segments_.size() > first)
        runStarts_.push_back(first);
    for (auto& f : free_)
        f.clear();
    nextUnit_ = 0;  // the pages serve again
    reading_.reset();
}

void PackedLists::Seal() {
    if (runStarts_.empty())
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
        r.cursors.resize(runStarts_.size());
        for (std::size_t k = 0; k < r.cursors.size(); ++k) {
            r.cursors[k].buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kRunInput);
            Reading::Rewind(*this, r.cursors[k], k);
        }
    } else if (record <= reading_->record) {  // a record read again, or an earlier one
        for (std::size_t k = 0; k < reading_->cursors.size(); ++k)
            Reading::Rewind(*this, reading_->cursors[k], k);
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
    const std::size_t runs = runStarts_.size();
    while (r.epoch <= runs) {
        if (r.block < r.blockEnd && r.blocks[r.block].epoch == r.epoch) {
            const Block& b = r.blocks[r.block++];
            spill_.Read(b.offset, r.blockBuffer.get(), b.size);
            piece = {r.blockBuffer.get(), b.size};
            return true;
        }
        const std::uint32_t epoch = r.epoch++;
        if (epoch < runs) {
            if (Reading::Take(*this, r.cursors[epoch], r.record, piece))
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
