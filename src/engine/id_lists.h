// SPDX-License-Identifier: GPL-3.0-or-later
// The append-if-absent lists of the records (a file's hosts, a host's files
// and the like) while an analysis runs. The numbers live in small chunks of
// shared pages, chained per record, so that appending seldom allocates and
// short lists stay compact. With a spill file, memory keeps to a budget: past
// it the lists go out as one sorted run (record, numbers; in record order)
// and start again empty, so a pair seen again later is listed again. Reading
// a record joins its pieces from the runs and memory and keeps each number
// once, where it first came: the same list as if nothing had gone out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/key_map.h"
#include "engine/paged_vector.h"
#include "engine/spill_runs.h"
#include "store/spill_file.h"

namespace trafikon {

class IdLists {
  public:
    IdLists();
    ~IdLists();
    IdLists(const IdLists&) = delete;
    IdLists& operator=(const IdLists&) = delete;

    // Lets the lists go to `spill` (which outlives this) past `budget` bytes.
    void SpillTo(SpillFile& spill, std::size_t budget);

    void Append(std::uint32_t record, std::uint32_t value) {
        // Most appends go to a list whose last chunk has room.
        if (record < ends_.size()) {
            const std::uint32_t t = ends_[record].tail;
            if (t != kNone) {
                Chunk& c = At(t);
                if (c.count != kChunkValues) {
                    c.values[c.count++] = value;
                    return;
                }
            }
        }
        AppendInNewChunk(record, value);
    }
    // Append, later: the appends wait in a small buffer, in order, and go in
    // together, each list's end asked for some appends before it comes. For
    // lists that are only read once the counting is over (Seal first), where
    // one append per list end that is not in the caches would wait for memory
    // each time.
    void AppendSoon(std::uint32_t record, std::uint32_t value) {
        soon_[soonCount_++] = {record, value};
        if (soonCount_ == kSoon)
            AppendWaiting();
    }
    // Hint for a coming Append or Contains: the ends of the list of `record`.
    void Prefetch(std::uint32_t record) const {
        if (record < ends_.size())
            PrefetchLine(&ends_[record]);
    }
    // The next hint, once the ends have come: the first and last chunks of
    // the list.
    void PrefetchEnd(std::uint32_t record) const {
        if (record < ends_.size() && ends_[record].tail != kNone) {
            const Ends ends = ends_[record];
            PrefetchLine(&At(ends.tail));
            if (ends.head != ends.tail)
                PrefetchLine(&At(ends.head));
        }
    }
    // True when the part in memory of the list of `record` holds `value`;
    // `length` is then or else the number of values looked at (the whole part
    // when absent).
    bool Contains(std::uint32_t record, std::uint32_t value, std::uint32_t& length) const {
        length = 0;
        if (record >= ends_.size())
            return false;
        for (std::uint32_t c = ends_[record].head; c != kNone; c = At(c).next) {
            const Chunk& chunk = At(c);
            for (std::uint32_t i = 0; i < chunk.count; ++i)
                if (chunk.values[i] == value)
                    return true;
            length += chunk.count;
        }
        return false;
    }
    // The part in memory of the list of `record`, appended to `out`.
    void AppendInMemory(std::uint32_t record, std::vector<std::uint32_t>& out) const;

    // Past the budget: the owner writes the lists out (WriteRun).
    bool OverBudget() const { return chunks_ >= budgetChunks_; }
    bool spills() const { return spill_ != nullptr; }
    // The lists may hold a number twice: the other side of their pairs forgot
    // some of them (it went out), so they are listed again.
    void MayRepeat() { mayRepeat_ = true; }
    // Writes every list in memory (and the appends waiting) to the spill
    // file as one run and empties them. Throws IoError.
    void WriteRun();
    std::size_t runCount() const { return runs_.count(); }
    // After the last Append: the appends waiting go in, and lists that went
    // out already send the rest after them and give their memory back.
    // Throws IoError.
    void Seal();

    // The whole list of `record`, in place of what `list` held: a buffer used
    // again from record to record allocates only when a list is longer than
    // any before. Reading keeps a position in the runs: one thread at a time
    // reads, fastest in increasing record order. Appends still waiting are
    // a misuse (std::logic_error). Throws IoError.
    void List(std::uint32_t record, std::vector<std::uint32_t>& list) const;
    std::vector<std::uint32_t> List(std::uint32_t record) const {
        std::vector<std::uint32_t> list;
        List(record, list);
        return list;
    }

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kChunkValues = 6;
    // Aligned so that a chunk is always within one cache line.
    struct alignas(32) Chunk {
        std::uint32_t values[kChunkValues];
        std::uint32_t count = 0;
        std::uint32_t next = kNone;
    };
    // Chunks live in pages of 64 KB that never move: the lists grow without
    // copying and without a doubled array.
    static constexpr std::uint32_t kPageChunks = 2048;
    Chunk& At(std::uint32_t c) { return pages_[c / kPageChunks][c % kPageChunks]; }
    const Chunk& At(std::uint32_t c) const { return pages_[c / kPageChunks][c % kPageChunks]; }
    // Append to a list that is empty or whose last chunk is full.
    void AppendInNewChunk(std::uint32_t record, std::uint32_t value);
    std::uint32_t NewChunk() {
        if (chunks_ / kPageChunks >= pages_.size())
            pages_.push_back(std::make_unique<Chunk[]>(kPageChunks));
        Chunk& c = At(chunks_);
        c.count = 0;
        c.next = kNone;
        return chunks_++;
    }
    // The appends waiting, past the budget checked one by one as they go in.
    void AppendWaiting();
    void WriteChunks();
    struct Pair {
        std::uint32_t record, value;
    };
    static constexpr std::uint32_t kSoon = 256;
    std::unique_ptr<Pair[]> soon_ = std::make_unique<Pair[]>(kSoon);
    std::uint32_t soonCount_ = 0;

    std::vector<std::unique_ptr<Chunk[]>> pages_;
    std::uint32_t chunks_ = 0;
    std::uint32_t budgetChunks_ = 0xFFFFFFFFu;
    struct Ends {  // of a record's chain, kNone when empty
        std::uint32_t head = kNone, tail = kNone;
    };
    PagedVector<Ends> ends_;

    struct Reading;
    SpillFile* spill_ = nullptr;
    bool mayRepeat_ = false;
    SpillRuns runs_;
    mutable std::unique_ptr<Reading> reading_;
};

// The pairs of positions already listed, for the append-if-absent lists: a
// pair is listed once in each direction (a file's hosts and a host's files).
// While the list of `a` is short it is searched instead: most hosts and
// referring pages link a handful of files, and the set would cost 16 to 32
// bytes a pair. A list that grows long has its pairs put in the set.
class PairSet {
  public:
    // Lists of this many values and more are looked up in the set.
    static constexpr std::uint32_t kSearchedLength = 32;
    // Pairs held at most: past them the set is emptied with its lists.
    static constexpr std::size_t kMaxPairs = std::size_t{1} << 18;

    // True when the pair was not in the set (it is now).
    bool Insert(std::uint32_t a, std::uint32_t b);
    // Hint for a coming Insert of the pair, when the pairs of `a` are in the set.
    void Prefetch(std::uint32_t a, std::uint32_t b) const {
        if (InSet(a))
            PrefetchLine(&slots_[Hash(Stored(a, b)) & (slots_.size() - 1)]);
    }
    std::size_t size() const { return count_; }
    // Whether the pairs of `a` are in the set.
    bool InSet(std::uint32_t a) const { return a < inSet_.size() && inSet_[a]; }
    void PutInSet(std::uint32_t a) {
        if (a >= inSet_.size())
            inSet_.resize(a + 1, false);
        inSet_[a] = true;
    }
    // Forgets every pair and gives the memory back.
    void Clear();

  private:
    static std::uint64_t Stored(std::uint32_t a, std::uint32_t b) {
        return ((static_cast<std::uint64_t>(a) << 32) | b) + 1;
    }
    static std::uint64_t Hash(std::uint64_t stored) {
        const unsigned __int128 r = static_cast<unsigned __int128>(stored) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
    }
    void Grow();
    std::vector<std::uint64_t> slots_;  // pair + 1, 0 for an empty slot
    std::size_t count_ = 0;
    std::vector<bool> inSet_;  // by a
};

// Appends `b` to the list of `a` and `a` to the list of `b` when the pair is
// new, which a's list tells while short, the set once long (a repeat of the
// list's last pair is too rare to look for first). Lists past their budget
// go out, a's with the set. The lists of `b` take their
// numbers soon after (AppendSoon): they are read once sealed.
void LinkPair(PairSet& pairs, IdLists& listsOfA, std::uint32_t a, IdLists& listsOfB,
              std::uint32_t b);

}  // namespace trafikon
