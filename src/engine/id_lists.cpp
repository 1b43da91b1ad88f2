// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/id_lists.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace trafikon {

namespace {

// The numbers of a run are written as they are in memory, four bytes each:
// copied in and out whole, where numbers of variable length would be made and
// read back a byte at a time.
constexpr std::size_t kValueBytes = sizeof(std::uint32_t);

}  // namespace

// Where the reading of each run is, and the numbers of the record being read
// that were seen already.
struct IdLists::Reading {
    std::vector<SpillRuns::Cursor> cursors;
    std::uint32_t record = 0;
    std::vector<std::uint64_t> seen;  // one bit a number

    // Hands the entry's numbers to `out` (or drops them) and reads the next entry.
    // The numbers are read by batches that fit the window.
    static void TakeEntry(SpillRuns::Cursor& c, std::vector<std::uint32_t>* out) {
        constexpr std::size_t kBatch = 1024;
        std::size_t left = c.number();
        std::size_t at = 0;
        if (out) {
            at = out->size();
            out->resize(at + left);
        }
        while (left > 0) {
            const std::size_t n = std::min(left, kBatch);
            c.Ensure(n * kValueBytes);
            if (out)
                std::memcpy(out->data() + at, c.data(), n * kValueBytes);
            at += n;
            c.Skip(n * kValueBytes);
            left -= n;
        }
        c.NextEntry();
    }
    // Keeps the first of each number, in order. The numbers are positions of
    // records, so one bit each tells those seen; only their words are cleared.
    void KeepFirsts(std::vector<std::uint32_t>& list) {
        std::size_t kept = 0;
        for (const std::uint32_t v : list) {
            const std::size_t word = v >> 6;
            if (word >= seen.size())
                seen.resize(word + 1, 0);
            const std::uint64_t bit = std::uint64_t{1} << (v & 63);
            if (seen[word] & bit)
                continue;
            seen[word] |= bit;
            list[kept++] = v;
        }
        list.resize(kept);
        for (const std::uint32_t v : list)
            seen[v >> 6] = 0;
    }
};

IdLists::IdLists() = default;
IdLists::~IdLists() = default;

void IdLists::SpillTo(SpillFile& spill, std::size_t budget) {
    spill_ = &spill;
    budgetChunks_ = static_cast<std::uint32_t>(std::max<std::size_t>(16, budget / sizeof(Chunk)));
}

void IdLists::AppendInNewChunk(std::uint32_t record, std::uint32_t value) {
    if (record >= ends_.size())
        ends_.resize(record + 1);
    Ends& ends = ends_[record];
    const std::uint32_t fresh = NewChunk();
    if (ends.tail == kNone)
        ends.head = fresh;
    else
        At(ends.tail).next = fresh;
    ends.tail = fresh;
    Chunk& c = At(fresh);
    c.values[c.count++] = value;
}

void IdLists::AppendInMemory(std::uint32_t record, std::vector<std::uint32_t>& out) const {
    if (record >= ends_.size())
        return;
    for (std::uint32_t c = ends_[record].head; c != kNone; c = At(c).next)
        out.insert(out.end(), At(c).values, At(c).values + At(c).count);
}

void IdLists::AppendWaiting() {
    // Ends asked for far enough ahead, then the chunks they lead to.
    constexpr std::uint32_t kEndsAhead = 16, kChunksAhead = 8;
    const std::uint32_t count = soonCount_;
    soonCount_ = 0;
    for (std::uint32_t i = 0; i < std::min(count, kEndsAhead); ++i)
        Prefetch(soon_[i].record);
    for (std::uint32_t i = 0; i < std::min(count, kChunksAhead); ++i)
        PrefetchEnd(soon_[i].record);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i + kEndsAhead < count)
            Prefetch(soon_[i + kEndsAhead].record);
        if (i + kChunksAhead < count)
            PrefetchEnd(soon_[i + kChunksAhead].record);
        Append(soon_[i].record, soon_[i].value);
        if (OverBudget())
            WriteChunks();
    }
}

void IdLists::WriteRun() {
    AppendWaiting();
    WriteChunks();
}

void IdLists::WriteChunks() {
    SpillRuns::Writer run(*spill_, runs_);
    // The chunks are read through once in the order they lie in memory
    // before the lists are walked: a walk from chunk to chunk waits for each
    // one that is not in the caches, where a pass in order streams them in.
    std::uint32_t counts = 0;
    for (std::uint32_t c = 0; c < chunks_; c += 64 / sizeof(Chunk))
        counts += At(c).count;
    asm volatile("" : : "r"(counts));  // the pass is kept for its effect on the caches
    for (std::uint32_t r = 0; r < ends_.size(); ++r) {
        // The chunks are where the appends left them: the first of a list
        // some lists ahead is asked for.
        if (r + 8 < ends_.size() && ends_[r + 8].head != kNone)
            PrefetchLine(&At(ends_[r + 8].head));
        std::size_t left = 0;
        for (std::uint32_t c = ends_[r].head; c != kNone; c = At(c).next)
            left += At(c).count;
        // Straight from the chunks; a long list goes out as several entries
        // of the same record.
        std::uint32_t chunk = ends_[r].head, next = 0;
        while (left > 0) {
            const std::size_t take = std::min(left, run.MakeRoom(kValueBytes) / kValueBytes);
            std::uint8_t* p = run.Begin(r, take);
            for (std::size_t k = 0; k < take;) {
                while (next == At(chunk).count) {
                    chunk = At(chunk).next;
                    next = 0;
                }
                const std::size_t n = std::min<std::size_t>(At(chunk).count - next, take - k);
                std::memcpy(p, At(chunk).values + next, n * kValueBytes);
                p += n * kValueBytes;
                next += static_cast<std::uint32_t>(n);
                k += n;
            }
            run.End(p);
            left -= take;
        }
    }
    run.Finish();
    ends_.clear();
    chunks_ = 0;  // the pages serve again
    reading_.reset();
}

void IdLists::Seal() {
    AppendWaiting();
    if (runs_.count() == 0)
        return;
    WriteRun();
    decltype(pages_)().swap(pages_);
    ends_.Release();
}

void IdLists::List(std::uint32_t record, std::vector<std::uint32_t>& list) const {
    list.clear();
    if (soonCount_ != 0)
        throw std::logic_error("IdLists::List before Seal");
    if (runs_.count() == 0 && !mayRepeat_) {
        AppendInMemory(record, list);
        return;
    }
    if (!reading_) {
        reading_ = std::make_unique<Reading>();
        reading_->cursors.resize(runs_.count());
        for (std::size_t k = 0; k < runs_.count(); ++k)
            reading_->cursors[k].Rewind(*spill_, runs_, k);
    } else if (record < reading_->record) {
        for (std::size_t k = 0; k < runs_.count(); ++k)
            reading_->cursors[k].Rewind(*spill_, runs_, k);
    }
    Reading& r = *reading_;
    r.record = record;
    int parts = 0;
    for (SpillRuns::Cursor& c : r.cursors) {
        while (c.hasEntry() && c.record() < record)
            Reading::TakeEntry(c, nullptr);
        parts += c.hasEntry() && c.record() == record;
        while (c.hasEntry() && c.record() == record)
            Reading::TakeEntry(c, &list);
    }
    const std::size_t before = list.size();
    AppendInMemory(record, list);
    parts += list.size() > before;
    if (parts > 1 || (mayRepeat_ && list.size() > 1))
        r.KeepFirsts(list);
}

void LinkPair(PairSet& pairs, IdLists& listsOfA, std::uint32_t a, IdLists& listsOfB,
              std::uint32_t b) {
    if (pairs.InSet(a)) {
        if (!pairs.Insert(a, b))
            return;
    } else {
        std::uint32_t length;
        if (listsOfA.Contains(a, b, length))
            return;
        if (length + 1 >= PairSet::kSearchedLength) {
            pairs.PutInSet(a);
            std::vector<std::uint32_t> listed;
            listsOfA.AppendInMemory(a, listed);
            for (const std::uint32_t v : listed)
                pairs.Insert(a, v);
            pairs.Insert(a, b);
        }
    }
    listsOfA.Append(a, b);
    listsOfB.AppendSoon(b, a);
    // The set only answers for the lists of `a` in memory: both go together.
    if (listsOfA.OverBudget() || (listsOfA.spills() && pairs.size() > PairSet::kMaxPairs)) {
        listsOfA.WriteRun();
        pairs.Clear();
        listsOfB.MayRepeat();
    }
}

bool PairSet::Insert(std::uint32_t a, std::uint32_t b) {
    // Filled up to three quarters: pairs are many and the probes short.
    if ((count_ + 1) * 4 > slots_.size() * 3)
        Grow();
    const std::uint64_t stored = Stored(a, b);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Hash(stored) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == 0) {
            slots_[i] = stored;
            ++count_;
            return true;
        }
        if (slots_[i] == stored)
            return false;
    }
}

void PairSet::Grow() {
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t stored : old) {
        if (stored == 0)
            continue;
        std::size_t i = Hash(stored) & mask;
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = stored;
    }
}

void PairSet::Clear() {
    decltype(slots_)().swap(slots_);
    count_ = 0;
    decltype(inSet_)().swap(inSet_);
}

}  // namespace trafikon
