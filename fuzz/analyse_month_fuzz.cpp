// SPDX-License-Identifier: GPL-3.0-or-later
// Analyses a small stored month made of fuzzed lines, then loads its results
// as the analysis window does and checks that every stored reference points
// inside its table or the stored log.
// Input: the field format on the first line, then the stored log.
#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/analyse_log.h"
#include "fuzz_util.h"
#include "month/month_results.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/text_file.h"
#include "views/analysis/log_line_index.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

class AnswerObserver : public AnalysisObserver {
  public:
    explicit AnswerObserver(bool cancel) : cancel_(cancel) {}
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        ++asked;
        return cancel_ ? MalformedLineAnswer::Cancel : MalformedLineAnswer::Ignore;
    }
    int asked = 0;

  private:
    bool cancel_;
};

void WriteRaw(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every entry of an id list lies below `limit`.
void CheckIds(std::string_view list, std::size_t limit) {
    for (long long id : ParseIdList(list))
        FUZZ_CHECK(id >= 0 && static_cast<std::size_t>(id) < limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024)
        return 0;  // a small month; big inputs only slow the search down
    std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    std::string format(text.substr(0, std::min<std::size_t>(eol, 24)));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    const bool cancel = !format.empty() && format[0] == '!';
    if (cancel)
        format.erase(0, 1);

    EmptyScratchStore();
    const std::string& dir = ScratchStore();
    const std::string key = "2002-03";
    Lines formatLines;
    for (char c : format)
        formatLines.emplace_back(1, c);
    WriteRaw(dir + "format-" + key + ".tfd", "");
    WriteTextLines(dir + "format-" + key + ".tfd", formatLines);
    WriteRaw(dir + "log-" + key + ".log", text);

    AnswerObserver observer(cancel);
    AnalysisResult result;
    try {
        result = AnalyseLog(dir, key, "http://www.example.com", observer);
    } catch (const IoError& e) {
        Fail(e.what());
    }
    const std::size_t storedLines = SplitLines(text).size();
    FUZZ_CHECK(result.linesRead <= storedLines);
    if (!result.completed) {
        FUZZ_CHECK(!FileExists(dir + "mon-" + key + ".tfd"));
        return 0;
    }

    MonthResults month;
    LoadMonthResults(dir, key, month);
    FUZZ_CHECK(month.analysed);
    FUZZ_CHECK(month.statuses.size() == kStatusLineCount);
    FUZZ_CHECK(month.summary.lineCount == kMonthStatsLineCount);
    // Values are stored as logged, without escaping: a backslash in the log
    // may forge a record tag, and then fields no longer read back. The window
    // copes with that (every lookup is bounds-checked); the checks below hold
    // for logs without one.
    if (text.find('\\') != std::string_view::npos)
        return 0;
    const std::size_t files = month.files.size(), hosts = month.hosts.size();
    for (const std::string& r : month.files) {
        CheckIds(ReadField(r, FileField::kLogLines), storedLines);
        CheckIds(ReadField(r, FileField::kHosts), hosts);
        CheckIds(ReadField(r, FileField::kExternalQueries), month.externalQueries.size());
        CheckIds(ReadField(r, FileField::kInternalQueries), month.internalQueries.size());
        CheckIds(ReadField(r, FileField::kExternalPages), month.externalReferrers.size());
        CheckIds(ReadField(r, FileField::kInternalPages), month.internalReferrers.size());
    }
    for (const std::string& r : month.hosts) {
        CheckIds(ReadField(r, PageField::kLogLines), storedLines);
        CheckIds(ReadField(r, PageField::kFiles), files);
    }
    for (const std::string& r : month.browsers)
        CheckIds(ReadField(r, BrowserField::kLogLines), storedLines);
    for (const Lines* t : {&month.externalReferrers, &month.internalReferrers})
        for (const std::string& r : *t) {
            CheckIds(ReadField(r, PageField::kLogLines), storedLines);
            CheckIds(ReadField(r, PageField::kFiles), files);
        }
    for (const std::string& line : month.statuses) {
        FUZZ_CHECK(line.find(';') != std::string::npos);
        CheckIds(ReadStatusPart(line, StatusPart::kLogLines), storedLines);
        CheckIds(ReadStatusPart(line, StatusPart::kFiles), files);
    }
    // The window numbers the stored lines as the engine does.
    LogLineIndex index(month.logPath());
    FUZZ_CHECK(index.Update());
    FUZZ_CHECK(index.lineCount() == storedLines);
    for (const std::string& r : month.files) {
        std::string ids;  // the list stays in its file until a detail asks for it
        FUZZ_CHECK(month.ReadIdList(ReadField(r, FileField::kLogLines),
                                    [&](std::string_view piece) { ids += piece; }));
        const LogExtraction lines = ExtractLogLines(index, ids, LineNumbering::Index);
        FUZZ_CHECK(lines.beyondEnd == 0 && lines.notNumbers == 0 && lines.error.empty());
    }
    std::uint64_t hits = 0;
    for (const std::string& r : month.files)
        hits += static_cast<std::uint64_t>(ParseInteger(ReadField(r, FileField::kHits)));
    FUZZ_CHECK(hits == result.hits);
    return 0;
}
