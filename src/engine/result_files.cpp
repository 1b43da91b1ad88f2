#include "engine/result_files.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <memory>

#include "store/data_store.h"
#include "store/status_table.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"

namespace trafikon {

namespace {

void AppendNumber(std::string& out, std::int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

// "-" followed by each number and a dash: the text form of an IdList.
void AppendIdList(std::string& out, const std::vector<std::uint32_t>& list) {
    out.push_back('-');
    char buf[16];
    for (std::uint32_t v : list) {
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out.append(buf, r.ptr);
        out.push_back('-');
    }
}

void AppendTag(std::string& out, int field) {
    out.push_back('\\');
    AppendNumber(out, field);
    out.push_back(';');
}

void WriteStatusFile(const MonthAnalysis& a, AtomicFileWriter& out) {
    std::string line;
    for (int code : StatusFileCodes()) {
        const int slot = StatusSlot(code);
        line.clear();
        AppendNumber(line, code);
        line.push_back(';');
        AppendNumber(line, a.status[slot].hits);
        line.push_back(';');
        AppendIdList(line, a.status[slot].lines);
        line.push_back(';');
        AppendIdList(line, a.statusFiles.List(static_cast<std::uint32_t>(slot)));
        out.WriteLine(line);
    }
}

// Host and referring-page records: key, hits, lines, files, last time.
void WritePageRecords(const PageRecords& records, AtomicFileWriter& out) {
    std::string line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.assign("\\1;");
        line.append(records.keys.Key(i));
        AppendTag(line, 2);
        AppendNumber(line, static_cast<std::int64_t>(records.lines[i].size()));
        AppendTag(line, 3);
        AppendIdList(line, records.lines[i]);
        AppendTag(line, 4);
        AppendIdList(line, records.files.List(i));
        AppendTag(line, 5);
        line.append(records.lastTime[i]);
        AppendTag(line, 6);
        out.WriteLine(line);
    }
}

void WriteBrowserRecords(const LineRecords& records, AtomicFileWriter& out) {
    std::string line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.assign("\\1;");
        line.append(records.keys.Key(i));
        AppendTag(line, 2);
        AppendNumber(line, static_cast<std::int64_t>(records.lines[i].size()));
        AppendTag(line, 3);
        AppendIdList(line, records.lines[i]);
        AppendTag(line, 4);
        out.WriteLine(line);
    }
}

void WriteFileRecords(const FileRecords& records, AtomicFileWriter& out) {
    std::string line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.assign("\\1;");
        line.append(records.keys.Key(i));
        AppendTag(line, 2);
        AppendNumber(line, static_cast<std::int64_t>(records.lines[i].size()));
        AppendTag(line, 3);
        AppendIdList(line, records.lines[i]);
        AppendTag(line, 4);
        AppendNumber(line, records.type[i]);
        AppendTag(line, 5);
        line.append(records.lastStatus[i]);
        AppendTag(line, 6);
        line.append(records.lastTime[i]);
        AppendTag(line, 7);
        AppendIdList(line, records.hosts.List(i));
        AppendTag(line, 8);
        AppendIdList(line, records.externalQueries.List(i));
        AppendTag(line, 9);
        AppendIdList(line, records.internalQueries.List(i));
        AppendTag(line, 10);
        AppendIdList(line, records.externalPages.List(i));
        AppendTag(line, 11);
        AppendIdList(line, records.internalPages.List(i));
        AppendTag(line, 12);
        line.push_back('-');
        AppendTag(line, 13);
        out.WriteLine(line);
    }
}

void WriteQueryRecords(const QueryRecords& records, AtomicFileWriter& out) {
    std::string line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.assign("\\1;");
        line.append(records.keys.Key(i));
        AppendTag(line, 2);
        AppendNumber(line, records.firstPage[i]);
        AppendTag(line, 3);
        AppendIdList(line, records.siteLength[i]);
        AppendTag(line, 4);
        AppendIdList(line, records.files.List(i));
        AppendTag(line, 5);
        line.append(records.lastTime[i]);
        AppendTag(line, 6);
        line.append(records.firstReferrer[i]);
        AppendTag(line, 7);
        line.append(
            std::string_view(records.firstReferrer[i]).substr(0, records.firstSiteLength[i]));
        AppendTag(line, 8);
        out.WriteLine(line);
    }
}

std::vector<TopCandidate> Candidates(const std::vector<std::vector<std::uint32_t>>& lines) {
    std::vector<TopCandidate> candidates(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        candidates[i].hits = static_cast<long long>(lines[i].size());
    return candidates;
}

std::array<long long, kDaysInList> Divided(const std::array<std::int64_t, 31>& values,
                                           std::int64_t divisor) {
    std::array<long long, kDaysInList> out{};
    for (int i = 0; i < kDaysInList; ++i)
        out[i] = values[i] / divisor;
    return out;
}

std::int64_t Sum(const std::array<std::int64_t, 31>& values) {
    std::int64_t total = 0;
    for (std::int64_t v : values)
        if (__builtin_add_overflow(total, v, &total))
            total = INT64_MAX;
    return total;
}

std::string Number(std::int64_t value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

}  // namespace

StatsKind StatsKindOfPath(std::string_view path) {
    const auto at = path.find_last_of("./");
    if (at == std::string_view::npos || path[at] != '.')
        return StatsKind::kPage;
    const std::string_view ext = path.substr(at);
    if (std::string_view(".jpeg,.jpg,.gif,.png").find(ext) != std::string_view::npos)
        return StatsKind::kImage;
    if (std::string_view(".zip,.exe,.rar").find(ext) != std::string_view::npos)
        return StatsKind::kArchive;
    return StatsKind::kPage;
}

MonthStats ComputeMonthStats(const MonthAnalysis& a, const std::string& date) {
    std::int64_t page = 0, image = 0, archive = 0;
    for (std::uint32_t i = 0; i < a.files.size(); ++i) {
        switch (StatsKindOfPath(a.files.keys.Key(i))) {
            case StatsKind::kImage:
                ++image;
                break;
            case StatsKind::kArchive:
                ++archive;
                break;
            case StatsKind::kPage:
                ++page;
                break;
        }
    }
    // Status classes count the written codes only, as the status file holds them.
    std::int64_t statusClass[5] = {};
    for (int code : StatusFileCodes())
        statusClass[code / 100 - 1] += a.status[StatusSlot(code)].hits;
    const std::int64_t ok = statusClass[0] + statusClass[1] + statusClass[2];
    const std::int64_t ko = statusClass[3] + statusClass[4];

    std::vector<TopCandidate> pages = Candidates(a.files.lines);
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i].matchesMarker = a.files.type[i] == kPage;

    MonthStats s;
    s[kStatDate] = date;
    s[kStatTota] = Number(static_cast<std::int64_t>(a.files.size()));
    s[kStatPage] = Number(page);
    s[kStatImag] = Number(image);
    s[kStatProg] = Number(archive);
    s[kStatHost] = Number(static_cast<std::int64_t>(a.hosts.size()));
    s[kStatOrig] = Number(static_cast<std::int64_t>(a.externalQueries.size()));
    s[kStatMote] = Number(static_cast<std::int64_t>(a.externalPages.size()));
    s[kStatReOK] = Number(ok);
    s[kStatReKO] = Number(ko);
    s[kStatHits] = Number(ok + ko);
    for (int c = 0; c < 5; ++c)
        s[static_cast<MonthStatsLine>(kStatRet100 + c)] = Number(statusClass[c]);
    s[kStatJour] = Number(a.dayChanges);
    s[kStatViJo] = FormatDayList(Divided(a.days.visitors, 1));
    s[kStatKoJo] = FormatDayList(Divided(a.days.bytes, 1024));
    s[kStatPaJo] = FormatDayList(Divided(a.days.pages, 1));
    s[kStatHiJo] = FormatDayList(Divided(a.days.hits, 1));
    s[kStatViMo] = Number(Sum(a.days.visitors));
    s[kStatKoMo] = Number(Sum(a.days.bytes));
    s[kStatPaMo] = Number(Sum(a.days.pages));
    s[kStatHiMo] = Number(Sum(a.days.hits));
    s[kStatTtPa] = TopByHits(pages, 20);
    s[kStatTtHo] = TopByHits(Candidates(a.hosts.lines), 20);
    s[kStatTtMo] = TopByHits(Candidates(a.externalPages.lines), 20);
    s.linesPresent = kMonthStatsLineCount;
    return s;
}

void WriteMonthFiles(const MonthAnalysis& a, const std::string& siteDir,
                     const std::string& monthKey, const std::string& logDateText) {
    auto writer = [&](ResultFile file) {
        return std::make_unique<AtomicFileWriter>(siteDir + ResultFileName(file, monthKey));
    };
    // All ten files are written whole before any of them replaces its predecessor.
    std::vector<std::unique_ptr<AtomicFileWriter>> files;
    files.push_back(writer(kStatusResult));
    WriteStatusFile(a, *files.back());
    files.push_back(writer(kHostsResult));
    WritePageRecords(a.hosts, *files.back());
    files.push_back(writer(kBrowsersResult));
    WriteBrowserRecords(a.browsers, *files.back());
    files.push_back(writer(kFilesResult));
    WriteFileRecords(a.files, *files.back());
    files.push_back(writer(kExternalReferrersResult));
    WritePageRecords(a.externalPages, *files.back());
    files.push_back(writer(kExternalQueriesResult));
    WriteQueryRecords(a.externalQueries, *files.back());
    files.push_back(writer(kInternalReferrersResult));
    WritePageRecords(a.internalPages, *files.back());
    files.push_back(writer(kInternalQueriesResult));
    WriteQueryRecords(a.internalQueries, *files.back());
    files.push_back(writer(kFinishedResult));
    const std::string monthlyPath = siteDir + MonthStatsFileName(monthKey);
    auto monthly = std::make_unique<AtomicFileWriter>(monthlyPath);
    for (const auto& line : FormatMonthStats(ComputeMonthStats(a, logDateText)))
        monthly->WriteLine(line);
    // Everything is on disk before the earlier analysis loses its mark: a full
    // disk or a write error leaves that analysis whole.
    for (auto& f : files)
        f->Sync();
    monthly->Sync();

    if (::unlink(monthlyPath.c_str()) != 0 && errno != ENOENT)
        ThrowErrno(monthlyPath);
    for (auto& f : files)
        f->Commit();
    monthly->Commit();
}

}  // namespace trafikon
