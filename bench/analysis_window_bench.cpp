// SPDX-License-Identifier: GPL-3.0-or-later
// Times the logic behind opening an analysis window on a big month and the
// list actions the user waits for: opening (every result file loaded, every
// list's rows built and sorted), a filter, a sort, and the detail of a file
// with about 10,000 hits with its log lines read through the line index.
//
// usage: analysis_window_bench [LOG | STORE_DIR MONTH]
//   LOG defaults to the cached generated log of 2,000,000 combined lines of
//   one month (scripts/bench-data.sh 2000000 combined 1 1). The log is put
//   into a store of its own beside it and analysed once; later runs reuse it.
//   STORE_DIR MONTH opens a month already analysed in a store folder (for
//   example one filled by trafikon-batch import and analyse).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_data.h"
#include "engine/analyse_log.h"
#include "month/general_lists.h"
#include "month/month_results.h"
#include "month/name_count_table.h"
#include "month/status_list.h"
#include "store/line_reader.h"
#include "store/log_format.h"
#include "store/text_file.h"
#include "views/analysis/files_list.h"
#include "views/analysis/hosts_list.h"
#include "views/analysis/list_sorter.h"
#include "views/analysis/log_line_index.h"
#include "views/analysis/log_line_rows.h"
#include "views/analysis/referrer_list.h"

using namespace trafikon;
using Clock = std::chrono::steady_clock;

namespace {

double PeakMb() {
    struct rusage u {};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

struct IgnoreMalformed : AnalysisObserver {
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::Ignore;
    }
};

// What a list model holds: the rows, their names and counts views into the tables.
NameCountTable ModelRows(const std::vector<int>& rows,
                         const std::vector<tabs::NameCount>& entries) {
    NameCountTable out;
    out.reserve(rows.size());
    for (int r : rows) {
        const auto& e = entries[std::size_t(r)];
        out.AddBorrowed(e.name, e.countText, e.count, r);
    }
    return out;
}

// A header click as the list model does it: positions sorted, then the rows moved.
void SortRows(NameCountTable& rows, int state) {
    std::vector<int> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    SortRowsByState(
        order, state, [&](int i) { return rows.name(std::size_t(i)); },
        [&](int i) { return rows.number(std::size_t(i)); });
    rows.Reorder(order);
}

void SortByCount(NameCountTable& rows) {
    SortRows(rows, 2);
}

std::string MonthKeyOf(const std::string& logPath) {
    LineReader reader(logPath);
    std::string_view line;
    static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    while (reader.Next(line)) {
        std::size_t b = line.find('[');
        if (b == std::string_view::npos || line.size() < b + 12)
            continue;
        std::string_view mon = line.substr(b + 4, 3);
        for (int m = 0; m < 12; ++m)
            if (mon == months[m]) {
                char key[16];
                std::snprintf(key, sizeof key, "%.*s-%02d", 4, line.data() + b + 8, m + 1);
                return key;
            }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const bool givenStore = argc > 2;
    const std::string log = givenStore ? std::string()
                            : argc > 1 ? argv[1]
                                       : bench::BenchLog("2000000 combined 1 1");
    const std::string key = givenStore ? argv[2] : MonthKeyOf(log);
    if (key.empty()) {
        std::fprintf(stderr, "no dated line in %s\n", log.c_str());
        return 1;
    }
    const std::string site = givenStore ? std::string(argv[1]) + "/" : log + ".window-store/";
    const std::string storedLog = site + "log-" + key + ".log";
    ::mkdir(site.c_str(), 0755);
    if (!givenStore && !FileExists(site + "mon-" + key + ".tfd")) {
        ::unlink(storedLog.c_str());
        if (::symlink(log.c_str(), storedLog.c_str()) != 0) {
            std::perror("symlink");
            return 1;
        }
        WriteFormatFile(site + "format-" + key + ".tfd", kApacheDefault.format);
        std::printf("analysing %s into %s\n", key.c_str(), site.c_str());
        IgnoreMalformed observer;
        auto t = Clock::now();
        AnalysisResult r = AnalyseLog(site, key, "http://www.example.org", observer);
        std::printf("analysis: %llu hits in %.0f ms\n", (unsigned long long)r.hits, Ms(t));
    }

    // Opening: every result file loaded, every list built and sorted.
    auto t = Clock::now();
    MonthResults month;
    LoadMonthResults(site, key, month);
    const double loadMs = Ms(t);
    tabs::FilesList files;
    tabs::HostsList hosts;
    tabs::ReferrerList external(true), internal(false);
    files.Load(month.files);
    hosts.Load(month.hosts);
    external.Load(month.externalReferrers, month.externalQueries);
    internal.Load(month.internalReferrers, month.internalQueries);
    auto fileRows = ModelRows(files.Rows(0, ""), files.entries());
    NameCountTable hostRows;  // as the hosts tab makes them: no copy of every entry
    for (int r : hosts.Rows("", 40)) {
        const tabs::NameCount e = hosts.Entry(r);
        hostRows.AddBorrowed(e.name, e.countText, e.count, r);
    }
    // As the referrer tabs make them: each entry read from the table.
    NameCountTable externalRows, internalRows;
    for (auto [list, rows] : {std::pair{&external, &externalRows}, {&internal, &internalRows}})
        for (int r : list->Rows("")) {
            const tabs::NameCount e = list->Entry(r);
            rows->AddBorrowed(e.name, e.countText, e.count, r);
        }
    NameCountTable browserRows(RecordRows(month.browsers));
    auto statusCounts = tabs::StatusCounts(month.statuses, true);
    auto dayRows = DayRows(month.summary);
    NameCountTable topPages(TopListRows(month, TopList::Pages));
    for (auto* rows : {&fileRows, &hostRows, &externalRows, &internalRows, &browserRows, &topPages})
        SortByCount(*rows);
    const double openMs = Ms(t);
    std::printf(
        "month %s: %zu files, %zu hosts, %zu browsers, %zu external and %zu internal "
        "referrers, %zu external queries%s\n",
        key.c_str(), month.files.size(), month.hosts.size(), month.browsers.size(),
        month.externalReferrers.size(), month.internalReferrers.size(),
        month.externalQueries.size(), month.problems.empty() ? "" : " (problems!)");
    std::printf(
        "open: %.0f ms (result files loaded in %.0f ms), peak memory %.0f MB   target < "
        "2000 ms, < 300 MB\n",
        openMs, loadMs, PeakMb());
    const auto mb = [](std::size_t bytes) { return static_cast<double>(bytes) / 1048576.0; };
    std::printf(
        "held: tables lfp %.0f MB, hos %.0f MB, mot %.0f MB, mit %.0f MB, ori %.0f MB, nav %.0f "
        "MB; list rows files %.0f MB, hosts %.0f MB, external %.0f MB\n",
        mb(month.files.memoryBytes()), mb(month.hosts.memoryBytes()),
        mb(month.externalReferrers.memoryBytes()), mb(month.internalReferrers.memoryBytes()),
        mb(month.externalQueries.memoryBytes()), mb(month.browsers.memoryBytes()),
        mb(fileRows.memoryBytes()), mb(hostRows.memoryBytes()), mb(externalRows.memoryBytes()));

    // A filter of the file list (kind pages, a common piece of name) into model rows.
    t = Clock::now();
    auto filtered = ModelRows(files.Rows(1, "a"), files.entries());
    std::printf("filter files (pages containing \"a\", %zu rows): %.1f ms   target < 200 ms\n",
                filtered.size(), Ms(t));

    // A sort of the whole file list by name, then by count.
    t = Clock::now();
    SortRows(fileRows, 1);
    std::printf("sort files by name (%zu rows): %.1f ms   target < 200 ms\n", fileRows.size(),
                Ms(t));
    t = Clock::now();
    SortRows(fileRows, 3);
    std::printf("sort files by count (%zu rows): %.1f ms   target < 200 ms\n", fileRows.size(),
                Ms(t));

    // The detail of the file whose hits are nearest to 10,000.
    int best = -1;
    long long bestGap = -1;
    for (std::size_t i = 0; i < files.entries().size(); ++i) {
        long long gap = std::llabs(files.entries()[i].count - 10000);
        if (best < 0 || gap < bestGap) {
            best = int(i);
            bestGap = gap;
        }
    }
    if (best < 0) {
        std::printf("no file in the month\n");
        return 0;
    }
    tabs::TabTables tables{&month.files,
                           &month.hosts,
                           &month.externalQueries,
                           &month.internalQueries,
                           &month.externalReferrers,
                           &month.internalReferrers,
                           &month.statuses,
                           &month};
    LogLineIndex index(month.logPath());
    t = Clock::now();
    index.Update();
    std::printf("log line index (once per window, %zu lines): %.0f ms, peak memory %.0f MB\n",
                index.lineCount(), Ms(t), PeakMb());
    for (int round = 0; round < 2; ++round) {
        t = Clock::now();
        tabs::FileDetail detail = files.Detail(best, tables);
        LogLineRows rows;
        rows.Assign(ReadDetailIds(month, detail.logLineIds).ids, LineNumbering::Index, &index);
        for (std::size_t r = 0; r < rows.size(); ++r)
            (void)rows.Text(r);
        std::printf(
            "detail of %.*s (%s hits, %zu log lines all read, %zu hosts)%s: %.1f ms   target < "
            "200 ms\n",
            int(detail.name.size()), detail.name.data(), std::string(detail.hits).c_str(),
            rows.size(), detail.hosts.size(), round ? " again" : "", Ms(t));
    }

    // The biggest detail: status 200. The panel reads its ids, then the rows
    // on screen; scrolling reads the rows it reaches.
    const double before = PeakMb();
    t = Clock::now();
    tabs::StatusDetail ok = tabs::StatusDetailOf(3, month.statuses, month.files);
    DetailIds okIds = ReadDetailIds(month, ok.logLineIds);
    const double idsMs = Ms(t);
    LogLineRows okRows;
    okRows.Assign(std::move(okIds.ids), LineNumbering::IndexPlusOne, &index);
    for (std::size_t r = 0; r < std::min<std::size_t>(okRows.size(), 40); ++r)
        (void)okRows.Text(r);
    std::printf(
        "status 200 detail: %zu log lines, whole id list read in %.0f ms (%.1f MB kept), first "
        "40 rows after it in %.0f ms (the window reads the list on after showing its first "
        "rows: analysis_window_qt_bench)\n",
        okRows.size(), idsMs, okRows.ids().memoryBytes() / 1048576.0, Ms(t) - idsMs);
    double worst = 0;
    for (std::size_t top : {okRows.size() / 2, okRows.size() - 40, okRows.size() / 3}) {
        t = Clock::now();
        for (std::size_t r = top; r < std::min(okRows.size(), top + 40); ++r)
            (void)okRows.Text(r);
        worst = std::max(worst, Ms(t));
    }
    std::printf(
        "status 200 rows further on (40 rows at the middle, the end, a third): %.1f ms at "
        "worst; peak memory %.0f MB (+%.0f MB)   target < 100 ms, < +50 MB\n",
        worst, PeakMb(), PeakMb() - before);
    return 0;
}
