// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/analyse_log.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/analysed_check.h"
#include "engine/extra_results.h"
#include "engine/hit_pipeline.h"
#include "engine/line_exclusions.h"
#include "engine/month_analysis.h"
#include "engine/result_files.h"
#include "store/data_store.h"
#include "store/import_journal.h"
#include "store/spill_file.h"
#include "store/store_lock.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// How many hits ahead the tables' slots, their keys, then the records are
// asked for (MonthAnalysis::PrefetchSlots): far enough for memory to answer
// meanwhile.
constexpr std::size_t kSlotsAhead = 12, kKeysAhead = 6, kRecordsAhead = 3, kListEndsAhead = 1;
constexpr std::size_t kGuessesKept = 4;
static_assert(kRecordsAhead - kListEndsAhead < kGuessesKept);
// The batch's entries are asked for before them, and the texts of the lines
// (written by the reading thread: on their way from the other core) a few
// hits ahead, for the comparisons of keys.
constexpr std::size_t kEntriesAhead = 20, kTextsAhead = 6;

class ProgressReporter {
  public:
    ProgressReporter(AnalysisObserver& observer, std::uint64_t total)
        : observer_(observer), total_(total) {}
    void Report(std::uint64_t done) {
        const int percent = total_ == 0
                                ? 100
                                : static_cast<int>(std::lround(100.0 * static_cast<double>(done) /
                                                               static_cast<double>(total_)));
        if (percent != last_) {
            last_ = percent;
            observer_.Progress(percent);
        }
    }

  private:
    AnalysisObserver& observer_;
    std::uint64_t total_;
    int last_ = -1;
};

}  // namespace

AnalysisResult AnalyseLog(const std::string& siteDir, const std::string& monthKey,
                          const std::string& siteUrl, AnalysisObserver& observer,
                          const std::string& countryDatabase, bool lockHeld,
                          const std::string& programDir) {
    const std::string logPath = siteDir + LogFileName(monthKey);
    AnalysisResult result;
    // The version of the log that this run reads: taken before reading, so that
    // lines added meanwhile leave the month out of date.
    const std::optional<LogVersion> version = StoredLogVersion(logPath);
    if (!version) {  // deleted since the months were listed
        result.logChanged = true;
        return result;
    }
    const std::string logDate = LogDateTimeText(logPath);
    FieldFormat format = ReadFormatFile(siteDir + FormatFileName(monthKey));
    SpillFile spill(siteDir);
    MonthAnalysis analysis(spill);
    // A log without user agents (common lines) tells robots by /robots.txt only.
    const bool agentsLogged = format.find('U') != std::string::npos;
    const CountryDatabase countries(countryDatabase);
    const std::string signaturesDir = programDir.empty() ? ProgramDirOfSite(siteDir) : programDir;
    ExtraAnalysis extra(LoadRobotSignatures(signaturesDir), analysis, agentsLogged, &countries,
                        countryDatabase);
    // The site's exclusions: none, and nothing is looked at, unless set.
    LineExclusions exclusions(siteDir, signaturesDir, countryDatabase, agentsLogged);
    HitPipeline lines(logPath, std::move(format), siteUrl,
                      exclusions.empty() ? nullptr : &exclusions);
    ProgressReporter progress(observer, lines.fileSize());
    progress.Report(0);

    bool ignoreAll = false;  // "yes to all": the month's further malformed lines go unasked
    while (const LineBatch* batch = lines.Next()) {
        if (observer.StopRequested()) {
            result.stopped = true;
            return result;
        }
        const std::vector<LineBatch::Entry>& entries = batch->entries;
        // The lines lie in the batch's bytes in order: their texts are asked
        // for up to the end of the line kTextsAhead hits ahead.
        std::size_t textAsked = 0;
        // What PrefetchRecords guessed of the hits until PrefetchListEnds, by
        // entry.
        MonthAnalysis::GuessedRecords guessed[kGuessesKept];
        for (std::size_t k = 0; k < entries.size(); ++k) {
            const LineBatch::Entry& e = entries[k];
            const std::size_t textNeeded =
                batch->bytesEnds[std::min(k + kTextsAhead, entries.size() - 1)];
            for (; textAsked < textNeeded; textAsked += 64)
                PrefetchLine(batch->bytes.data() + textAsked);
            if (k + kEntriesAhead < entries.size()) {
                // Written by the reading thread: on its way from the other core.
                // Every cache line of the entry: it spans three or four.
                const auto* ahead = reinterpret_cast<const char*>(&entries[k + kEntriesAhead]);
                for (std::size_t at = 0; at < sizeof(LineBatch::Entry); at += 64)
                    PrefetchLine(ahead + at);
                PrefetchLine(ahead + sizeof(LineBatch::Entry) - 1);
            }
            if (k + kSlotsAhead < entries.size() && !entries[k + kSlotsAhead].malformed)
                analysis.PrefetchSlots(entries[k + kSlotsAhead].facts);
            if (k + kKeysAhead < entries.size() && !entries[k + kKeysAhead].malformed)
                analysis.PrefetchKeys(entries[k + kKeysAhead].facts);
            if (k + kRecordsAhead < entries.size() && !entries[k + kRecordsAhead].malformed) {
                const MonthAnalysis::GuessedRecords& g =
                    guessed[(k + kRecordsAhead) % kGuessesKept] =
                        analysis.PrefetchRecords(entries[k + kRecordsAhead].facts);
                extra.Prefetch(g.host);
            }
            if (k + kListEndsAhead < entries.size() && !entries[k + kListEndsAhead].malformed)
                analysis.PrefetchListEnds(entries[k + kListEndsAhead].facts,
                                          guessed[(k + kListEndsAhead) % kGuessesKept]);
            if (e.malformed) {
                if (observer.StopRequested()) {
                    result.stopped = true;
                    return result;
                }
                const MalformedLineAnswer answer =
                    ignoreAll ? MalformedLineAnswer::IgnoreAll
                              : observer.MalformedLine(static_cast<std::int64_t>(e.lineNumber),
                                                       batch->Value(e, 0));
                if (answer == MalformedLineAnswer::Cancel) {
                    result.linesRead = e.lineNumber + 1;
                    result.cancelled = true;
                    observer.Cancelled(monthKey);
                    return result;
                }
                ignoreAll = answer == MalformedLineAnswer::IgnoreAll;
                ++result.ignoredLines;
                continue;
            }
            if (e.lineNumber > std::numeric_limits<std::uint32_t>::max())
                throw IoError(logPath, "too many lines for one month");
            const PreparedHit hit = batch->Hit(e);
            analysis.AddHit(hit, static_cast<std::uint32_t>(e.lineNumber));
            extra.AddHit(hit);
            ++result.hits;
        }
        result.linesRead = batch->linesRead;
        progress.Report(batch->bytesRead);
    }
    {
        // Results are only written for the log they were made from: a log
        // deleted, cut back or added to during the run leaves the month alone.
        std::optional<StoreWriteLock> lock;
        if (!lockHeld)
            lock.emplace(siteDir);
        if (StoredLogVersion(logPath) != version) {
            result.logChanged = true;
            return result;
        }
        analysis.FinishHits();
        WriteMonthFiles(analysis, siteDir, monthKey, logDate, &extra);
        WriteAnalysedVersion(siteDir, monthKey, *version);
    }
    result.completed = true;
    observer.MonthFinished(monthKey);
    return result;
}

void PrepareAnalysisRun(const std::string& siteDir) {
    const StoreWriteLock lock(siteDir);
    TidyLeftovers(siteDir);  // never analyse the half of a killed import
}

}  // namespace trafikon
