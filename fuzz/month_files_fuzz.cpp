// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a fuzzed monthly statistics file, status file and file list the way
// the windows read them: parsed by position, day lists and top lists split,
// and the records that top lists and status lines point at looked up.
// Input: the mon- file, "@@\n", the ret- file, "@@\n", the lfp- file, "@@\n",
// the stored log.
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "month/general_lists.h"
#include "month/month_results.h"
#include "store/month_stats.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"
#include "support/store_records.h"
#include "views/analysis/log_line_index.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

void WriteRaw(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = Cut(AsText(data, size), "@@\n", 4);
    const std::string_view mon = parts[0];
    const std::string_view ret = parts.size() > 1 ? parts[1] : std::string_view();
    const std::string_view lfp = parts.size() > 2 ? parts[2] : std::string_view();
    const std::string_view log = parts.size() > 3 ? parts[3] : std::string_view();

    // The store's own readers.
    const MonthStats stats = ParseMonthStats(SplitLines(mon));
    FUZZ_CHECK(stats.linesPresent >= 0 && stats.linesPresent <= kMonthStatsLineCount);
    for (const std::string& value : stats.values) {
        FUZZ_CHECK(SplitDayList(value).size() <= kDaysInList);
        (void)ParseDayList(value);
        (void)ReadTopList(value);
    }
    for (const std::string& line : SplitLines(ret)) {
        const int slot = StatusSlot(ReadStatusPart(line, StatusPart::kCode));
        FUZZ_CHECK(slot >= -1 && slot < kStatusSlotCount);
        (void)ParseIdList(ReadStatusPart(line, StatusPart::kLogLines));
        (void)ParseIdList(ReadStatusPart(line, StatusPart::kFiles));
    }

    // The analysis window's load, from real files.
    const std::string& dir = ScratchStore();
    WriteRaw(dir + "mon-2002-03.tfd", mon);
    WriteRaw(dir + "ret-2002-03.tfd", ret);
    WriteRaw(dir + "lfp-2002-03.tfd", lfp);
    WriteRaw(dir + "log-2002-03.log", log);
    MonthResults month;
    LoadMonthResults(dir, "2002-03", month);
    const MonthSummary& summary = month.summary;
    for (int series = 0; series < 4; ++series)
        FUZZ_CHECK(summary.dayTexts[series].size() == summary.dayValues[series].size());
    for (const std::string* top : {&summary.topPages, &summary.topHosts, &summary.topEngines}) {
        for (const TopEntry& entry : ReadTopList(*top).entries) {
            (void)MonthResults::FieldAt(month.files, entry.position, FileField::kPath);
            (void)MonthResults::LineAt(month.hosts, entry.position);
        }
    }
    // The general tab's lists and the status details with their log lines.
    (void)DayRows(summary);
    for (TopList which : {TopList::Pages, TopList::Hosts, TopList::Engines})
        (void)TopListRows(month, which);
    (void)RecordRows(month.files);
    LogLineIndex index(month.logPath());
    index.Update();
    for (const std::string& line : month.statuses) {
        std::string lineIds;  // the list stays in its file until a detail asks for it
        if (!month.ReadIdList(ReadStatusPart(line, StatusPart::kLogLines),
                              [&](std::string_view piece) { lineIds += piece; }))
            continue;
        for (long long position : ParseIdList(ReadStatusPart(line, StatusPart::kFiles)))
            (void)MonthResults::FieldAt(month.files, position, FileField::kPath);
        const LogExtraction lines = ExtractLogLines(index, lineIds, LineNumbering::IndexPlusOne);
        FUZZ_CHECK(lines.lines.size() + lines.notNumbers >= IdListSize(lineIds) ||
                   !lines.error.empty());
    }
    for (const std::string& record : month.files) {
        const std::string_view key = MonthResults::FieldAt(month.files, 0, FileField::kPath);
        (void)key;
        FUZZ_CHECK(month.fileIndex.Find(ReadField(record, FileField::kPath)) >= 0);
    }
    return 0;
}
