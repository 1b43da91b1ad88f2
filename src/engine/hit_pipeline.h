// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and splits a stored log on a second thread while the analysis folds
// the hits in on the calling thread. Lines travel in batches, in file order;
// each hit carries a copy of the seven values that the analysis uses, and each
// malformed line its text, so the caller can ask its question and stop the
// reading when the answer is to cancel. The reading thread also prepares each
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
    struct Entry {
        std::uint64_t lineNumber;
        std::uint32_t at[8];  // text i is text[at[i], at[i + 1])
        std::uint32_t pageLength;
        bool malformed;  // the line ran out of text before a field; text 0 = the line
        HitFacts facts;  // of a hit that is not malformed
    };
    std::string text;
    std::vector<Entry> entries;
    std::uint64_t bytesRead = 0;  // of the log, after the last line of the batch
    std::uint64_t linesRead = 0;  // lines of the log read so far, comment lines included
    bool last = false;

    std::string_view Value(const Entry& e, int i) const {
        return std::string_view(text.data() + e.at[i], e.at[i + 1] - e.at[i]);
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
