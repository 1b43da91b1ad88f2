// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/import_logs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "import/format_detection.h"
#include "import/imported_log_book.h"
#include "import/line_count.h"
#include "import/line_date.h"
#include "import/log_file_check.h"
#include "import/log_source.h"
#include "import/month_format_guard.h"
#include "import/month_writer.h"
#include "import/open_months.h"
#include "import/site_parts.h"
#include "store/import_journal.h"
#include "store/log_format.h"
#include "store/month_file_names.h"
#include "store/stop_flag.h"
#include "store/store_lock.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// The first line index whose percentage (ImportPercent) passes `shown`.
std::uint64_t FirstLineAbove(int shown, std::uint64_t count) {
    if (shown >= 100)
        return UINT64_MAX;
    std::uint64_t low = 0, high = count;
    while (low < high) {
        const std::uint64_t mid = low + (high - low) / 2;
        if (ImportPercent(mid, count) > shown)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

class FileImport {
  public:
    static constexpr std::uint64_t kLinesBetweenStopChecks = 4096;

    // With `routed`, each line goes to the site of its virtual host.
    FileImport(const std::string& siteDir, ImportedLogBook& book, RoutedSites* routed,
               const FieldFormat& codes, LineDater& dater, ImportObserver& observer)
        : parts_(siteDir, book, routed),
          fileCodes_(codes),
          lineCodes_(codes),
          dater_(&dater),
          observer_(observer) {}

    FileImportResult Run(const LogToImport& log, std::set<std::string>& monthsOfRun,
                         std::map<int, std::set<std::string>>& monthsOfOtherSites) {
        result_.path = log.path;
        log_ = &log;
        try {
            LogOpening opening =
                parts_.aimed().book.Open(log.path, log.whole, log.completeLinesOnly);
            result_.knownBefore = opening.knownBefore;
            result_.bytesKnown = opening.start;
            if (opening.source == nullptr) {
                result_.nothingNew = true;
                return result_;
            }
            start_ = opening.start;
            end_ = opening.end;
            LogReader reader(std::move(opening.source), LogReader::kMaxPiece);
            Read(log.path, reader);
            result_.nothingNew = opening.knownBefore && reader.log().contentTaken() == start_;
            if (current_ == nullptr) {  // no readable date: the waiting lines are left out
                result_.unfiledLines = waiting_;
                result_.damagedLines -= waiting_;
            }
            // Known from now on once lines were stored (a compressed copy of
            // a known log, too, to be known later without decompressing it).
            parts_.Finish(reader.log(), current_ != nullptr || result_.nothingNew || passedKnown_,
                          monthsOfRun, monthsOfOtherSites);
        } catch (...) {
            parts_.Abandon();
            throw;
        }
        return result_;
    }

  private:
    // Skips what is left of a line that comes in pieces.
    static void SkipRest(LogReader& reader) {
        std::string_view piece;
        while (reader.partial() && reader.Next(piece)) {
        }
    }

    // Appends the line, all its pieces when it comes in pieces, to the month in hand.
    void Store(std::string_view line, std::string_view stamp, LogReader& reader) {
        if (rewrite_) {  // W3C fields in another order than the month's
            RewriteFields(line, lineCodes_, *monthCodes_, rewritten_);
            SkipRest(reader);
            current_->Append(rewritten_, stamp);
            ++result_.rewrittenLines;
            return;
        }
        if (!reader.partial()) {
            current_->Append(line, stamp);
            return;
        }
        current_->AppendPiece(line);
        std::string_view piece;
        while (reader.partial() && reader.Next(piece))
            current_->AppendPiece(piece);
        current_->EndLine(stamp);
    }

    // Whether a line after the first log line is left out.
    bool Skipped(std::string_view line) const {
        return line.size() < 2 || (line[0] == '#' && (w3c_ || !dater_->formatHasT()));
    }

    // A "#Fields:" directive inside a W3C file: the lines after it have its fields.
    void FollowFields(std::string_view line) {
        FieldFormat codes = W3cFieldsCodes(line);
        if (codes.empty() || codes == lineCodes_)
            return;
        lineCodes_ = std::move(codes);
        ownDater_ = std::make_unique<LineDater>(lineCodes_);
        dater_ = ownDater_.get();
        fieldsChanged_ = true;
    }

    // A log read from where its import stopped before: its header, before
    // that point, tells whether it is followed as W3C.
    void ReadHeaderBefore(const std::string& path) {
        LogReader head(path, LogReader::kMaxPiece, std::min(start_, LogReader::kHeadBytes));
        std::string_view line;
        while (head.Next(line)) {
            if (!IsHeaderOrBlank(line)) {
                result_.hasLogLine = true;
                w3c_ = !headerCodes_.empty() && headerCodes_ == fileCodes_;
                return;
            }
            if (IsW3cFieldsLine(line))
                headerCodes_ = W3cFieldsCodes(line);
            SkipRest(head);
        }
    }

    void Read(const std::string& path, LogReader& reader) {
        if (start_ > 0)
            ReadHeaderBefore(path);
        // A compressed log's lines are not counted: its percentage is by the
        // bytes read. A big plain log's are counted aside; until the count is
        // known, its percentage is by bytes too. So is a log read in part.
        const bool byBytes = reader.compressed() || start_ > 0 || end_ != UINT64_MAX;
        std::optional<LineCountAside> lineCount;
        if (!byBytes)
            lineCount.emplace(path, reader.fileSize());
        std::uint64_t count = 0;
        result_.bytes = reader.fileSize();
        std::string_view line;
        std::uint64_t index = 0;
        int shown = -1;
        // The percentage is worked out again only where it can move: by
        // bytes, once more bytes were read; by line, at the first line past
        // the one shown.
        std::uint64_t bytesSeen = UINT64_MAX, nextLine = 0;
        for (; reader.Next(line); ++index) {
            if (index % kLinesBetweenStopChecks == 0) {
                if (observer_.StopRequested())
                    throw RunStopped();
                if (count == 0 && lineCount)
                    count = lineCount->Known();
            }
            if (!result_.hasLogLine) {
                if (IsHeaderOrBlank(line)) {
                    if (IsW3cFieldsLine(line))
                        headerCodes_ = W3cFieldsCodes(line);
                    SkipRest(reader);
                    continue;
                }
                result_.hasLogLine = true;
                w3c_ = !headerCodes_.empty() && headerCodes_ == fileCodes_;
            } else if (!w3c_ && IsW3cFieldsLine(line) && W3cFieldsCodes(line) != headerCodes_) {
                // W3C lines of other fields appended to a file of another
                // format would be filed as the month in hand's damaged lines.
                throw DamagedCompressedFile(path, "a \"#Fields:\" line at line " +
                                                      std::to_string(index + 1) +
                                                      ": the file changes format there; refused");
            } else if (Skipped(line)) {
                if (w3c_ && IsW3cFieldsLine(line))
                    FollowFields(line);
                SkipRest(reader);
                continue;
            }
            if (count == 0 ? reader.fileBytesRead() != bytesSeen : index >= nextLine) {
                const int percent =
                    count == 0 ? ImportPercent(bytesSeen = reader.fileBytesRead(), result_.bytes)
                               : ImportPercent(index, count);
                if (percent > shown) {  // by bytes, then by line: never backwards
                    shown = percent;
                    observer_.Progress(percent);
                }
                if (count != 0)
                    nextLine = FirstLineAbove(shown, count);
            }
            const bool mayWait = current_ == nullptr && waiting_ == 0;
            if (mayWait)
                waitingDater_ = *dater_;  // the state the first waiting line is dated from
            dater_->Date(line);
            SitePart* part = SiteOfLine(*dater_, reader);
            if (part == nullptr) {  // a line its site holds already
                SkipRest(reader);
                continue;
            }
            const std::string& key = dater_->monthKey();
            if (!InHand(key, part)) {  // most lines go to the month in hand
                if (IsWellFormedMonthKey(key)) {
                    fieldsChanged_ = false;
                    const bool firstMonth = current_ == nullptr;
                    if (firstMonth && waiting_ > 0)
                        FileWaitingLines(path, index, key);
                    SwitchTo(*part, key, path);
                } else {
                    ++result_.damagedLines;
                    if (current_ == nullptr) {  // stored later by FileWaitingLines
                        if (waiting_++ == 0)
                            firstWaiting_ = index;
                        SkipRest(reader);
                        continue;
                    }
                    if (part != part_) {  // the month in hand, in the line's own site
                        heldKey_ = current_->key();
                        SwitchTo(*part, heldKey_, path);
                    }
                }
            }
            Store(line, dater_->stamp(), reader);
            ++result_.linesStored;
        }
        if (shown != 100)
            observer_.Progress(100);
    }

    // Whether a line of month `key` for site `part` goes to the month in
    // hand as it is (whose key is well formed: seven characters, compared at once).
    bool InHand(const std::string& key, const SitePart* part) const {
        if (current_ == nullptr || part != part_ || fieldsChanged_)
            return false;
        const std::string& held = current_->key();
        return key.size() == 7 && held.size() == 7 && std::memcmp(key.data(), held.data(), 7) == 0;
    }

    // The site part a line goes to, by its virtual host when the file is
    // routed; null when that site holds the line already.
    SitePart* SiteOfLine(const LineDater& dater, const LogReader& reader) {
        if (!parts_.routed())
            return &parts_.aimed();
        SitePart& part = parts_.Of(dater.v(), *log_);
        if (start_ + reader.lineStart() < part.skipBefore) {
            passedKnown_ = true;
            return nullptr;
        }
        return &part;
    }

    // Makes month `key` of `part` the month in hand.
    void SwitchTo(SitePart& part, const std::string& key, const std::string& path) {
        monthCodes_ = &part.months.MonthFormat(key, lineCodes_, w3c_, path);
        rewrite_ = *monthCodes_ != lineCodes_;
        if (current_ != nullptr)
            current_->Rest();
        current_ = &parts_.Writer(part, key);
        part_ = &part;
    }

    // Reads the file again up to line `end` to store, in the first month
    // found (`key`), the damaged lines met before it.
    void FileWaitingLines(const std::string& path, std::uint64_t end, const std::string& key) {
        LogReader reader(OpenLogAt(path, start_, end_));
        std::string_view line;
        for (std::uint64_t index = 0; index < end && reader.Next(line); ++index) {
            if (index < firstWaiting_ || Skipped(line)) {
                SkipRest(reader);
                continue;
            }
            waitingDater_.Date(line);
            SitePart* part = SiteOfLine(waitingDater_, reader);
            if (part == nullptr) {
                SkipRest(reader);
                continue;
            }
            if (part != part_ || current_ == nullptr)
                SwitchTo(*part, key, path);
            Store(line, waitingDater_.stamp(), reader);
            ++result_.linesStored;
        }
        waiting_ = 0;
    }

    FileParts parts_;
    const LogToImport* log_ = nullptr;
    const FieldFormat& fileCodes_;
    FieldFormat lineCodes_;    // the fields of the lines in hand
    FieldFormat headerCodes_;  // of the last "#Fields:" before the first log line
    std::uint64_t start_ = 0;  // content bytes imported before, passed over
    std::uint64_t end_ = UINT64_MAX;
    bool w3c_ = false;  // the file follows its "#Fields:" directives
    bool fieldsChanged_ = false;
    LineDater* dater_;
    std::unique_ptr<LineDater> ownDater_;  // after a change of fields
    LineDater waitingDater_{""};
    ImportObserver& observer_;
    FileImportResult result_;
    MonthWriter* current_ = nullptr;  // the month in hand
    SitePart* part_ = nullptr;        // the site of the month in hand
    std::string heldKey_;
    bool passedKnown_ = false;                 // lines were passed over as their sites hold them
    const FieldFormat* monthCodes_ = nullptr;  // the format of the month in hand
    bool rewrite_ = false;                     // its lines are rewritten into it
    std::string rewritten_;
    std::uint64_t waiting_ = 0;       // damaged lines before the first month
    std::uint64_t firstWaiting_ = 0;  // index of the first of them
};

}  // namespace

bool HasVirtualHost(std::string_view codes) {
    return codes.find('v') != std::string_view::npos;
}

int ImportPercent(std::uint64_t index, std::uint64_t count) {
    if (count == 0)
        return 100;
    if (index >= count)
        return 100;
    const std::uint64_t scaled = index * 100;
    std::uint64_t q = scaled / count;
    const std::uint64_t twice = (scaled % count) * 2;
    if (twice > count || (twice == count && q % 2 == 1))
        ++q;
    return static_cast<int>(q);
}

ImportSummary ImportLogs(const std::string& siteDir, const std::vector<std::string>& files,
                         std::string_view codes, ImportObserver& observer) {
    std::vector<LogToImport> logs;
    for (const auto& path : files)
        logs.push_back({path, FieldFormat(codes)});
    return ImportLogs(siteDir, logs, observer, nullptr);
}

ImportSummary ImportLogs(const std::string& siteDir, const std::vector<LogToImport>& files,
                         ImportObserver& observer, const VhostRouting* routing) {
    struct stat st;
    if (::stat(siteDir.c_str(), &st) != 0)
        ThrowErrno(siteDir);
    if (!S_ISDIR(st.st_mode))
        throw IoError(siteDir, std::strerror(ENOTDIR));
    const StoreWriteLock lock(siteDir);
    TidyLeftovers(siteDir);
    ImportedLogBook book(siteDir);
    std::optional<RoutedSites> routed;  // at the first file with a virtual host
    ImportSummary summary;
    std::map<FieldFormat, LineDater> daters;  // one set of field values per format for the run
    std::set<std::string> months;
    std::map<int, std::set<std::string>> otherMonths;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (observer.StopRequested())
            throw RunStopped();
        observer.FileStarted(k, files[k].path);
        LineDater& dater = daters.try_emplace(files[k].codes, files[k].codes).first->second;
        if (routing != nullptr && !routed && HasVirtualHost(files[k].codes))
            routed.emplace(*routing);
        FileImport file(siteDir, book,
                        HasVirtualHost(files[k].codes) && routed ? &*routed : nullptr,
                        files[k].codes, dater, observer);
        FileImportResult result;
        try {
            result = file.Run(files[k], months, otherMonths);
        } catch (const MonthFormatConflict& conflict) {
            summary.refused.push_back(
                {conflict.path, conflict.month, conflict.monthCodes, conflict.fileCodes});
            continue;
        } catch (const DamagedCompressedFile& damaged) {
            summary.damaged.push_back({damaged.path(), damaged.reason()});
            continue;
        }
        summary.bytes += result.bytes;
        summary.linesStored += result.linesStored;
        summary.damagedLines += result.damagedLines;
        summary.unfiledLines += result.unfiledLines;
        summary.files.push_back(std::move(result));
    }
    summary.months.assign(months.begin(), months.end());
    for (const auto& [site, keys] : otherMonths)
        summary.otherSiteMonths[site].assign(keys.begin(), keys.end());
    if (routed) {
        summary.newSites = routed->sites().created();
        summary.linesPastSiteLimit = routed->sites().linesPastSiteLimit();
    }
    return summary;
}

}  // namespace trafikon
