// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and splits a stored log on a second thread while the analysis folds
// the hits in on the calling thread. Lines travel in batches, in file order;
// a batch owns the bytes its lines were read into, and each hit points at the
// seven values that the analysis uses (values that are not in the line, such
// as a decoded query, are kept beside), each malformed line at its text, so
// the caller can ask its question and stop the reading when the answer is to
// cancel. The reading thread also prepares each
// hit (path, status slot, day, time of day, bytes, referrer kind, decoded
// query), which depends on nothing but the line. The output is the same as doing all of it
// on one thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/month_analysis.h"
#include "store/log_format.h"

namespace trafikon {

class LineExclusions;
class LineReader;

struct LineBatch {
    // An `at` with this bit set is a place in `extra`, not in `bytes`.
    static constexpr std::uint32_t kExtra = std::uint32_t{1} << 31;
    struct Entry {
        // Leaves what the reading thread sets unset: with `= default`, a new
        // entry would be cleared whole first, for nothing.
        Entry() {}
        std::uint64_t lineNumber;
        std::uint32_t at[7], size[7];  // where value i is, and its size
        std::uint32_t pageLength;
        bool malformed;  // the line ran out of text before a field; value 0 = the line
        HitFacts facts;  // of a hit that is not malformed
    };
    std::vector<char> bytes;  // as read from the log: the lines of the batch and more
    std::string extra;
    std::vector<Entry> entries;
    // BytesEnd of each entry, apart: the counting reads them a few entries
    // ahead, sixteen to a cache line.
    std::vector<std::uint32_t> bytesEnds;
    std::uint64_t bytesRead = 0;  // of the log, after the last line of the batch
    std::uint64_t linesRead = 0;  // lines of the log read so far, comment lines included
    bool last = false;

    std::string_view Value(const Entry& e, int i) const {
        const std::uint32_t at = e.at[i];
        return std::string_view(at & kExtra ? extra.data() + (at & ~kExtra) : bytes.data() + at,
                                e.size[i]);
    }
    // Where the last of the entry's values that lie in `bytes` ends; 0 when none does.
    // A malformed line has value 0 only.
    static std::size_t BytesEnd(const Entry& e) {
        std::size_t end = 0;
        for (int i = 0; i < (e.malformed ? 1 : 7); ++i)
            if (!(e.at[i] & kExtra) && e.at[i] + std::size_t{e.size[i]} > end)
                end = e.at[i] + std::size_t{e.size[i]};
        return end;
    }
    PreparedHit Hit(const Entry& e) const;
};

class HitPipeline {
  public:
    // Opens the log (throws IoError) and starts the reading thread. The lines
    // that `exclusions` (used by the reading thread only) leave out are
    // passed over as comment lines are.
    HitPipeline(const std::string& logPath, FieldFormat format, const std::string& siteUrl,
                LineExclusions* exclusions = nullptr);
    // Stops the reading thread (cancelling the reading when it is not done).
    ~HitPipeline();
    HitPipeline(const HitPipeline&) = delete;
    HitPipeline& operator=(const HitPipeline&) = delete;

    // The next batch, or nullptr after the last one; rethrows a reading error.
    // The batch stays valid until the next call.
    const LineBatch* Next();
    std::uint64_t fileSize() const { return fileSize_; }

  private:
    // The reading thread's work: fills batches until the log ends or a stop.
    void ReadBatches(LineReader& reader, FieldFormat format, const std::string& siteUrl,
                     LineExclusions* exclusions);
    std::unique_ptr<LineBatch> TakeFree();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<LineBatch>> ready_;
    std::vector<std::unique_ptr<LineBatch>> free_;
    std::unique_ptr<LineBatch> current_;
    bool stop_ = false;
    bool done_ = false;
    std::exception_ptr error_;
    std::uint64_t fileSize_ = 0;
    std::thread thread_;
};

}  // namespace trafikon
