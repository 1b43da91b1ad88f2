#include "engine/analyse_log.h"

#include <cmath>
#include <limits>

#include "engine/analysed_check.h"
#include "engine/log_line_splitter.h"
#include "engine/month_analysis.h"
#include "engine/result_files.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

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
                          const std::string& siteUrl, AnalysisObserver& observer) {
    const std::string logPath = siteDir + LogFileName(monthKey);
    // The version of the log that this run reads: taken before reading, so that
    // lines added meanwhile leave the month out of date.
    const std::string logDate = LogDateTimeText(logPath);
    LogLineSplitter splitter(ReadFormatFile(siteDir + FormatFileName(monthKey)));
    MonthAnalysis analysis(siteUrl);
    LineReader reader(logPath);
    ProgressReporter progress(observer, reader.fileSize());
    progress.Report(0);

    AnalysisResult result;
    std::string_view line;
    std::uint64_t index = 0;  // of the next line
    while (reader.Next(line)) {
        const std::uint64_t lineNumber = index++;
        // Comment lines ("#") are not hits, before the first data line and after.
        if (!line.empty() && line[0] == '#')
            continue;
        if (!splitter.Split(line)) {
            if (observer.MalformedLine(static_cast<std::int64_t>(lineNumber), line) ==
                MalformedLineAnswer::Cancel) {
                result.linesRead = index;
                observer.Cancelled(monthKey);
                return result;
            }
            ++result.ignoredLines;
            continue;
        }
        if (lineNumber > std::numeric_limits<std::uint32_t>::max())
            throw IoError(logPath, "too many lines for one month");
        splitter.Complete();
        HitFields hit;
        hit.request = splitter['r'];
        hit.status = splitter['s'];
        hit.time = splitter['t'];
        hit.host = splitter['h'];
        hit.userAgent = splitter['U'];
        hit.referrer = splitter['R'];
        hit.bytes = splitter['b'];
        analysis.AddHit(hit, static_cast<std::uint32_t>(lineNumber));
        ++result.hits;
        if (lineNumber % 200 == 0)
            progress.Report(reader.bytesRead());
    }
    result.linesRead = index;
    progress.Report(reader.fileSize());
    WriteMonthFiles(analysis, siteDir, monthKey, logDate);
    result.completed = true;
    observer.MonthFinished(monthKey);
    return result;
}

}  // namespace trafikon
