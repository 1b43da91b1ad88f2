// SPDX-License-Identifier: GPL-3.0-or-later
// Times the logic behind the files, hosts, status codes and referrer tabs of
// the analysis window on a big month: loading the lists, filtering, sorting
// (with the copy into list rows) and the details.
//
// usage: analysis_tabs_bench                 a generated month of 2,000,000 hits
//        analysis_tabs_bench SITE_DIR KEY    an analysed month of a store (its
//                                            stored log is read through the line index)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "month/month_results.h"
#include "month/status_list.h"
#include "store/tagged_record.h"
#include "support/store_records.h"
#include "views/analysis/files_list.h"
#include "views/analysis/hosts_list.h"
#include "views/analysis/list_sorter.h"
#include "views/analysis/log_line_index.h"
#include "views/analysis/log_line_rows.h"
#include "views/analysis/referrer_list.h"

using namespace trafikon;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

template <class F>
double Time(F&& f) {
    auto t = Clock::now();
    f();
    return Ms(t);
}

// The rows a list model holds (name and count copied, count as a number, position).
struct ListRow {
    std::string name, count;
    long long number;
    long long position;
};

std::vector<ListRow> ToListRows(const std::vector<int>& rows,
                                const std::vector<tabs::NameCount>& entries) {
    std::vector<ListRow> out;
    out.reserve(rows.size());
    for (int r : rows)
        out.push_back(
            {std::string(entries[r].name), std::string(entries[r].countText), entries[r].count, r});
    return out;
}

std::string IdList(const std::vector<long long>& ids) {
    std::string s = "-";
    for (long long n : ids)
        IdListAppend(s, n);
    return s;
}

// Distinct second members of (first, second) pairs, grouped by first.
std::vector<std::vector<long long>> Group(std::vector<std::pair<int, int>>& pairs,
                                          std::size_t groups) {
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    std::vector<std::vector<long long>> out(groups);
    for (auto [a, b] : pairs)
        out[std::size_t(a)].push_back(b);
    return out;
}

// A month of `hits` hits over skewed files, hosts, referrers and queries.
void GenerateMonth(long long hits, MonthResults& m) {
    const int F = 30000, H = 60000, RE = 8000, RI = 3000, QE = 40000, QI = 5000;
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> u(0, 1);
    auto skewed = [&](int n, double power) {
        return std::min(n - 1, static_cast<int>(n * std::pow(u(rng), power)));
    };
    std::vector<std::vector<long long>> fileLines(F), hostLines(H), reLines(RE), riLines(RI);
    std::vector<std::pair<int, int>> fileHost, hostFile, fileRe, reFile, fileRi, riFile, fileQe,
        qeFile, fileQi;
    std::vector<int> qeRef(QE, -1), qiRef(QI, -1);
    std::vector<int> statusOf(F);
    for (long long h = 0; h < hits; ++h) {
        int f = skewed(F, 3.0), host = skewed(H, 2.0);
        fileLines[f].push_back(h);
        hostLines[host].push_back(h);
        fileHost.push_back({f, host});
        hostFile.push_back({host, f});
        double r = u(rng);
        if (r < 0.2) {
            int re = skewed(RE, 2.5);
            reLines[re].push_back(h);
            fileRe.push_back({f, re});
            reFile.push_back({re, f});
            if (u(rng) < 0.5) {
                int q = skewed(QE, 1.5);
                if (qeRef[q] < 0)
                    qeRef[q] = re;
                fileQe.push_back({f, q});
                qeFile.push_back({q, f});
            }
        } else if (r < 0.3) {
            int ri = skewed(RI, 2.0);
            riLines[ri].push_back(h);
            fileRi.push_back({f, ri});
            riFile.push_back({ri, f});
            if (u(rng) < 0.2) {
                int q = skewed(QI, 1.5);
                if (qiRef[q] < 0)
                    qiRef[q] = ri;
                fileQi.push_back({f, q});
            }
        }
    }
    auto fh = Group(fileHost, F), hf = Group(hostFile, H), fre = Group(fileRe, F),
         ref = Group(reFile, RE), fri = Group(fileRi, F), rif = Group(riFile, RI),
         fqe = Group(fileQe, F), fqi = Group(fileQi, F);
    const std::string stamp = "[17/Nov/2003:10:11:12 +0100]";
    for (int f = 0; f < F; ++f) {
        std::string name = "/dir" + std::to_string(f % 97) + "/file" + std::to_string(f) +
                           (f % 3 == 0 ? ".gif" : ".html");
        std::string kind = f % 3 == 0 ? "2" : (f % 50 == 1 ? "3" : "1");
        std::string line;
        AppendRecord(line, {name, std::to_string(fileLines[f].size()), IdList(fileLines[f]), kind,
                            f % 11 == 0 ? "404" : "200", stamp, IdList(fh[f]), IdList(fqe[f]),
                            IdList(fqi[f]), IdList(fre[f]), IdList(fri[f]), "-"});
        m.files.push_back(std::move(line));
    }
    for (int h = 0; h < H; ++h) {
        std::string line;
        AppendRecord(line, {"192.168." + std::to_string(h / 256) + "." + std::to_string(h % 256),
                            std::to_string(hostLines[h].size()), IdList(hostLines[h]),
                            IdList(hf[h]), stamp});
        m.hosts.push_back(std::move(line));
    }
    auto referrers = [&](int n, const char* site, std::vector<std::vector<long long>>& lines,
                         std::vector<std::vector<long long>>& files, LineTable& out) {
        for (int i = 0; i < n; ++i) {
            std::string line;
            AppendRecord(
                line, {std::string(site) + std::to_string(i) + "/search",
                       std::to_string(lines[i].size()), IdList(lines[i]), IdList(files[i]), stamp});
            out.push_back(std::move(line));
        }
    };
    referrers(RE, "http://engine", reLines, ref, m.externalReferrers);
    referrers(RI, "http://www.example.com/page", riLines, rif, m.internalReferrers);
    auto queries = [&](int n, const std::vector<int>& refOf, LineTable& out) {
        for (int q = 0; q < n; ++q) {
            std::string text = "\"q=word" + std::to_string(q) + "\"  \"hl=fr\"";
            std::string full = "http://engine" + std::to_string(std::max(refOf[q], 0)) +
                               "/search?q=word" + std::to_string(q) + "&hl=fr";
            std::string line;
            AppendRecord(line, {text, std::to_string(std::max(refOf[q], 0)), "-22-", "-0-", stamp,
                                full, "http://engine/"});
            out.push_back(std::move(line));
        }
    };
    queries(QE, qeRef, m.externalQueries);
    queries(QI, qiRef, m.internalQueries);
    // Status lines: 404 gets the lines of every eleventh file.
    for (int code :
         {100, 101, 102, 200, 201, 202, 203, 204, 205, 206, 207, 300, 301, 302, 303, 304, 305,
          307, 400, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411, 412, 413, 414, 415,
          416, 417, 422, 423, 424, 426, 500, 501, 502, 503, 504, 505, 506, 507, 510}) {
        if (code != 404) {
            m.statuses.push_back(std::to_string(code) + ";0;-;-");
            continue;
        }
        std::vector<long long> lines, files;
        for (int f = 0; f < F; f += 11) {
            lines.insert(lines.end(), fileLines[f].begin(), fileLines[f].end());
            files.push_back(f);
        }
        m.statuses.push_back("404;" + std::to_string(lines.size()) + ";" + IdList(lines) + ";" +
                             IdList(files));
    }
    m.analysed = true;
}

// Row of `entries` whose count is closest to `target`.
int ClosestTo(const std::vector<tabs::NameCount>& entries, long long target) {
    int best = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (std::llabs(entries[i].count - target) < std::llabs(entries[best].count - target))
            best = static_cast<int>(i);
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    MonthResults m;
    double tLoad = 0;
    if (argc >= 3) {
        tLoad = Time([&] { LoadMonthResults(std::string(argv[1]), argv[2], m); });
        for (const std::string& p : m.problems)
            std::printf("problem: %s\n", p.c_str());
    } else {
        tLoad = Time([&] { GenerateMonth(2000000, m); });
    }
    std::printf("month: %zu files, %zu hosts, %zu/%zu referrers, %zu/%zu queries (%s %.0f ms)\n",
                m.files.size(), m.hosts.size(), m.externalReferrers.size(),
                m.internalReferrers.size(), m.externalQueries.size(), m.internalQueries.size(),
                argc >= 3 ? "loaded in" : "generated in", tLoad);

    tabs::FilesList files;
    tabs::HostsList hosts;
    tabs::ReferrerList external(true), internal(false);
    std::printf("load lists: files %.1f ms, hosts %.1f ms, external %.1f ms, internal %.1f ms\n",
                Time([&] { files.Load(m.files); }), Time([&] { hosts.Load(m.hosts); }),
                Time([&] { external.Load(m.externalReferrers, m.externalQueries); }),
                Time([&] { internal.Load(m.internalReferrers, m.internalQueries); }));

    std::vector<int> rows;
    std::vector<ListRow> listRows;
    double tAll = Time([&] {
        rows = files.Rows(tabs::kAllKinds, "");
        listRows = ToListRows(rows, files.entries());
    });
    std::size_t allCount = rows.size();
    double tFilter = Time([&] {
        rows = files.Rows(tabs::kPages, "file1");
        listRows = ToListRows(rows, files.entries());
    });
    std::printf("files filter: all %zu rows %.1f ms; pages holding \"file1\" %zu rows %.1f ms\n",
                allCount, tAll, rows.size(), tFilter);
    double tHosts = Time([&] {
        rows = hosts.Rows("", tabs::HostMinimum("40"));
        listRows.clear();  // as the hosts tab does: each entry read from the table
        for (int r : rows) {
            const tabs::NameCount e = hosts.Entry(r);
            listRows.push_back({std::string(e.name), std::string(e.countText), e.count, r});
        }
    });
    std::printf("hosts above 40: %zu rows %.1f ms\n", rows.size(), tHosts);
    double tRefs = Time([&] {
        rows = external.Rows("search");
        listRows = ToListRows(rows, external.entries());
    });
    std::printf("external referrers holding \"search\": %zu rows %.1f ms\n", rows.size(), tRefs);

    // Sorting the whole file list as the list model does: positions, then rows moved.
    rows = files.Rows(tabs::kAllKinds, "");
    listRows = ToListRows(rows, files.entries());
    for (int state : {1, 0, 2, 3}) {
        double t = Time([&] {
            std::vector<int> order(listRows.size());
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = static_cast<int>(i);
            SortRowsByState(
                order, state, [&](int i) -> std::string_view { return listRows[i].name; },
                [&](int i) { return listRows[i].number; });
            std::vector<ListRow> sorted;
            sorted.reserve(order.size());
            for (int i : order)
                sorted.push_back(std::move(listRows[i]));
            listRows = std::move(sorted);
        });
        std::printf("sort %zu files, state %d: %.1f ms\n", listRows.size(), state, t);
    }

    tabs::TabTables tables;
    tables.files = &m.files;
    tables.hosts = &m.hosts;
    tables.externalQueries = &m.externalQueries;
    tables.internalQueries = &m.internalQueries;
    tables.externalReferrers = &m.externalReferrers;
    tables.internalReferrers = &m.internalReferrers;
    tables.status = &m.statuses;
    tables.month = &m;

    LogLineIndex index(m.logPath());
    const bool withLog = argc >= 3;
    if (withLog) {
        std::string error;
        double t = Time([&] { index.Update(&error); });
        std::printf("log line index: %zu lines built in %.0f ms %s\n", index.lineCount(), t,
                    error.c_str());
    }
    auto logLines = [&](std::string_view ids) {
        DetailIds detail = ReadDetailIds(m, ids);
        if (!withLog)
            return detail.ids.size();
        LogLineRows rows;  // every line read, as a panel scrolled through them would
        rows.Assign(std::move(detail.ids), LineNumbering::Index, &index);
        for (std::size_t r = 0; r < rows.size(); ++r)
            (void)rows.Text(r);
        return rows.size();
    };

    for (long long target : {10000LL, 1000000000LL}) {
        int row = ClosestTo(files.entries(), target);
        tabs::FileDetail d;
        std::size_t shown = 0;
        double t = Time([&] { d = files.Detail(row, tables); });
        double tl = Time([&] { shown = logLines(d.logLineIds); });
        std::printf(
            "file detail, %lld hits: %zu log lines, %zu hosts, %zu+%zu queries, %zu+%zu referrers: "
            "%.1f ms + log lines %.1f ms\n",
            files.entries()[row].count, shown, d.hosts.size(), d.externalQueries.size(),
            d.internalQueries.size(), d.externalReferrers.size(), d.internalReferrers.size(), t,
            tl);
    }
    {
        int row = ClosestTo(hosts.entries(), 1000000000LL);
        tabs::HostDetail d;
        std::size_t shown = 0;
        double t = Time([&] { d = hosts.Detail(row, m.files, &m); });
        double tl = Time([&] { shown = logLines(d.logLineIds); });
        std::printf(
            "host detail, %lld hits: %zu log lines, %zu pages: %.1f ms + log lines %.1f ms\n",
            hosts.entries()[row].count, shown, d.pages.size(), t, tl);
    }
    {
        int row = ClosestTo(external.entries(), 1000000000LL);
        tabs::ReferrerDetail d;
        std::size_t shown = 0;
        double t = Time([&] { d = external.Detail(row, m.files, &m); });
        double tl = Time([&] { shown = logLines(d.logLineIds); });
        std::printf(
            "external referrer detail, %lld hits: %zu log lines, %zu pages, %zu queries: "
            "%.1f ms + log lines %.1f ms\n",
            external.entries()[row].count, shown, d.pages.size(), d.queries.size(), t, tl);
    }
    {
        tabs::StatusDetail d;
        std::size_t shown = 0;
        int row = 0;
        const std::vector<std::string> counts = tabs::StatusCounts(m.statuses, true);
        for (int r = 0; r < tabs::kStatusCodeCount; ++r)
            if (ParseInteger(counts[std::size_t(r)]) > ParseInteger(counts[std::size_t(row)]))
                row = r;
        double t = Time([&] { d = tabs::StatusDetailOf(row, m.statuses, m.files); });
        double tl = Time([&] { shown = logLines(d.logLineIds); });
        std::printf("status detail %s: %zu log lines, %zu pages: %.1f ms + log lines %.1f ms\n",
                    std::string(d.code).c_str(), shown, d.pages.size(), t, tl);
    }
    return 0;
}
