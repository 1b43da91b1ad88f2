// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/result_files.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <span>
#include <utility>

#include "engine/decimal_text.h"
#include "engine/extra_results.h"
#include "engine/work_thread.h"
#include "store/data_store.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"

namespace trafikon {

namespace {

// One record line under construction, written to `out` by End(). The line
// lists of the records can be long (a status of every hit of a month), so they
// go straight out rather than through the line; the line keeps "-" in their
// place, the shape on which the monthly statistics read the record.
class RecordLine {
  public:
    explicit RecordLine(AtomicFileWriter& out) : out_(out) {}
    void Clear() {
        size_ = 0;
        written_ = 0;
    }
    // The line with "-" for each line list.
    std::string_view shape() const { return std::string_view(data_.get(), size_); }
    void Append(std::string_view text) {
        char* p = Space(text.size());
        if (!text.empty())
            std::memcpy(p, text.data(), text.size());
        size_ += text.size();
    }
    void Number(std::int64_t value) {
        char* p = Space(21);
        if (value < 0) {
            *p++ = '-';
            value = -value;
        }
        size_ = static_cast<std::size_t>(WriteDecimal(p, static_cast<std::uint64_t>(value)) -
                                         data_.get());
    }
    // The tag of `field`: backslash, number, semicolon.
    template <RecordField F>
    void Tag(F field) {
        char* p = Space(24);
        *p++ = '\\';
        p = WriteDecimal(p, static_cast<std::uint64_t>(FieldNumber(field)));
        *p++ = ';';
        size_ = static_cast<std::size_t>(p - data_.get());
    }
    // "-" followed by each number and a dash: the text form of an IdList.
    void IdList(std::span<const std::uint32_t> list) {
        char* p = Space(1 + list.size() * 11 + 16);
        *p++ = '-';
        for (std::uint32_t v : list) {
            p = WriteDecimal(p, v);
            *p++ = '-';
        }
        size_ = static_cast<std::size_t>(p - data_.get());
    }
    // The IdList of record `record` of `lists`, read into a buffer kept from
    // line to line.
    void IdList(const IdLists& lists, std::uint32_t record) {
        lists.List(record, ids_);
        IdList(ids_);
    }
    // The IdList of one record of `lists`, written out at once.
    void LineList(const PackedLists& lists, std::uint32_t record) {
        out_.Write(shape().substr(written_));
        WriteIdList(lists, record, out_);
        Append("-");
        written_ = size_;
    }
    // What precedes part `part` of a status line.
    void Open(StatusPart part) { Append(StatusPartOpening(part)); }
    void End() {
        out_.WriteLine(shape().substr(written_));
        written_ = size_;
    }

  private:
    char* Space(std::size_t n) {
        if (size_ + n > capacity_) {
            const std::size_t capacity = std::max(capacity_ * 2, size_ + n + 256);
            auto data = std::make_unique_for_overwrite<char[]>(capacity);
            if (size_ > 0)
                std::memcpy(data.get(), data_.get(), size_);
            data_ = std::move(data);
            capacity_ = capacity;
        }
        return data_.get() + size_;
    }
    AtomicFileWriter& out_;
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0, capacity_ = 0;
    std::size_t written_ = 0;  // bytes of the line already out
    std::vector<std::uint32_t> ids_;
};

void WriteStatusFile(const MonthAnalysis& a, AtomicFileWriter& out) {
    RecordLine line(out);
    for (int code : StatusFileCodes()) {
        const int slot = StatusSlot(code);
        line.Clear();
        line.Open(StatusPart::kCode);
        line.Number(code);
        line.Open(StatusPart::kHits);
        line.Number(a.statusHits[slot]);
        line.Open(StatusPart::kLogLines);
        line.LineList(a.StatusLines(), static_cast<std::uint32_t>(slot));
        line.Open(StatusPart::kFiles);
        line.IdList(a.statusFiles, static_cast<std::uint32_t>(slot));
        line.End();
    }
}

// What the monthly statistics read back from the lines of the files just
// built: like every reader, they take the fields with ReadField, so a value
// that holds a tag reads here as it will read everywhere else.
struct WrittenRecords {
    // A top list fed record by record, in list order, as the lines go out:
    // nothing is kept per record, whatever their number.
    struct Top {
        TopByHitsCollector collector{20};
        long long position = 0;
        void Add(const TopCandidate& c) {
            if (c.matchesMarker)
                collector.Offer(position, c.hits);
            ++position;
        }
    };
    Top files, hosts, externalPages;   // hits and the page marker
    std::vector<StatsKind> fileKinds;  // of field 1 of each file line
};

TopCandidate CandidateOf(std::string_view line, std::string_view marker) {
    TopCandidate c;
    c.hits = ParseInteger(ReadField(line, CountedField::kHits));
    c.matchesMarker = line.find(marker) != std::string_view::npos;
    return c;
}

// The start that host, page, browser and file records share: key, hits and
// log lines of record `i`.
template <RecordField F>
void StartCountedRecord(RecordLine& line, const LineRecords& records, const PackedLists& lines,
                        std::uint32_t i, F key, F hits, F logLines) {
    line.Clear();
    line.Tag(key);
    line.Append(records.keys.Key(i));
    line.Tag(hits);
    const std::uint32_t count = records.hits[i];
    line.Number(count == 0 ? std::int64_t{1} << 32 : count);
    line.Tag(logLines);
    line.LineList(lines, i);
}

void WritePageRecords(const PageRecords& records, const PackedLists& lines, AtomicFileWriter& out,
                      WrittenRecords::Top* written = nullptr) {
    RecordLine line(out);
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        StartCountedRecord(line, records, lines, i, PageField::kKey, PageField::kHits,
                           PageField::kLogLines);
        line.Tag(PageField::kFiles);
        line.IdList(records.files, i);
        line.Tag(PageField::kLastTime);
        line.Append(records.lastTime.Get(i));
        line.Tag(PageField::kEnd);
        line.End();
        if (written)
            written->Add(CandidateOf(line.shape(), kAnyRecordMarker));
    }
}

void WriteBrowserRecords(const LineRecords& records, const PackedLists& lines,
                         AtomicFileWriter& out) {
    RecordLine line(out);
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        StartCountedRecord(line, records, lines, i, BrowserField::kName, BrowserField::kHits,
                           BrowserField::kLogLines);
        line.Tag(BrowserField::kEnd);
        line.End();
    }
}

void WriteFileRecords(const MonthAnalysis& a, const PackedLists& lines, AtomicFileWriter& out,
                      WrittenRecords& written) {
    const FileRecords& records = a.files;
    RecordLine line(out);
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        StartCountedRecord(line, records, lines, i, FileField::kPath, FileField::kHits,
                           FileField::kLogLines);
        line.Tag(FileField::kType);
        line.Number(records.type[i]);
        line.Tag(FileField::kLastStatus);
        line.Append(a.statusTexts.Key(records.lastStatus[i]));
        line.Tag(FileField::kLastTime);
        line.Append(records.lastTime.Get(i));
        line.Tag(FileField::kHosts);
        line.IdList(records.hosts, i);
        line.Tag(FileField::kExternalQueries);
        line.IdList(records.externalQueries, i);
        line.Tag(FileField::kInternalQueries);
        line.IdList(records.internalQueries, i);
        line.Tag(FileField::kExternalPages);
        line.IdList(records.externalPages, i);
        line.Tag(FileField::kInternalPages);
        line.IdList(records.internalPages, i);
        line.Tag(FileField::kReserved);
        line.Append("-");
        line.Tag(FileField::kEnd);
        line.End();
        written.files.Add(CandidateOf(line.shape(), kPageMarker));
        written.fileKinds.push_back(StatsKindOfPath(ReadField(line.shape(), FileField::kPath)));
    }
}

// `pages`: the referring pages of the same kind, which the records' first
// referrers begin with.
void WriteQueryRecords(const QueryRecords& records, const PageRecords& pages,
                       const PackedLists& siteLengths, AtomicFileWriter& out) {
    RecordLine line(out);
    std::string referrer;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        referrer.assign(pages.keys.Key(records.firstPage[i]));
        referrer.append(records.firstReferrerQuery[i]);
        line.Clear();
        line.Tag(QueryField::kText);
        line.Append(records.keys.Key(i));
        line.Tag(QueryField::kFirstFile);
        line.Number(records.firstPage[i]);
        line.Tag(QueryField::kSiteLengths);
        line.LineList(siteLengths, i);
        line.Tag(QueryField::kFiles);
        line.IdList(records.files, i);
        line.Tag(QueryField::kLastTime);
        line.Append(records.lastTime.Get(i));
        line.Tag(QueryField::kReferrer);
        line.Append(referrer);
        line.Tag(QueryField::kReferrerSite);
        line.Append(std::string_view(referrer).substr(0, ReferrerSiteLength(referrer)));
        line.Tag(QueryField::kEnd);
        line.End();
    }
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
    AppendDecimal(text, value);
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

// The 28 lines of the monthly statistics file: counts of the written records,
// status classes of the written status lines, day lists and top lists.
void WriteMonthStats(const MonthAnalysis& a, const std::string& date, const WrittenRecords& written,
                     AtomicFileWriter& out) {
    std::int64_t page = 0, image = 0, archive = 0;
    for (StatsKind kind : written.fileKinds) {
        switch (kind) {
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
        statusClass[code / 100 - 1] += a.statusHits[StatusSlot(code)];
    const std::int64_t ok = statusClass[0] + statusClass[1] + statusClass[2];
    const std::int64_t ko = statusClass[3] + statusClass[4];

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
    s[kStatTtPa] = written.files.collector.Text();
    s[kStatTtHo] = written.hosts.collector.Text();
    s[kStatTtMo] = written.externalPages.collector.Text();
    s.linesPresent = kMonthStatsLineCount;
    for (const auto& line : FormatMonthStats(s))
        out.WriteLine(line);
}

void WriteMonthFiles(const MonthAnalysis& a, const std::string& siteDir,
                     const std::string& monthKey, const std::string& logDateText,
                     const ExtraAnalysis* extra) {
    // The files this thread writes, and those the second thread writes.
    constexpr std::array<ResultFile, 3> kHere = {kStatusResult, kHostsResult, kBrowsersResult};
    constexpr std::array<ResultFile, 6> kOther = {kFilesResult,           kExternalReferrersResult,
                                                  kExternalQueriesResult, kInternalReferrersResult,
                                                  kInternalQueriesResult, kFinishedResult};
    const std::string monthlyPath = siteDir + MonthStatsFileName(monthKey);
    std::array<std::unique_ptr<AtomicFileWriter>, kResultFileCount> files;
    for (ResultFile f : kHere)
        files[f] = std::make_unique<AtomicFileWriter>(siteDir + ResultFileName(f, monthKey));
    for (ResultFile f : kOther)
        files[f] = std::make_unique<AtomicFileWriter>(siteDir + ResultFileName(f, monthKey));
    auto monthly = std::make_unique<AtomicFileWriter>(monthlyPath);
    WrittenRecords written;
    std::vector<std::unique_ptr<AtomicFileWriter>> extraFiles;

    // Three threads share the work: the extra files (their tallies read the
    // month's hits once more) on one, the file, referrer and query lists on
    // another, while this one builds the status, host and browser lists.
    // None of them reads what another writes.
    WorkThread extras([&] {
        if (extra)
            extraFiles = extra->WriteFiles(siteDir, monthKey);
    });
    WorkThread other([&] {
        WriteFileRecords(a, a.FileLines(), *files[kFilesResult], written);
        WritePageRecords(a.externalPages, a.PageLines(false), *files[kExternalReferrersResult],
                         &written.externalPages);
        WriteQueryRecords(a.externalQueries, a.externalPages, a.QuerySiteLengths(false),
                          *files[kExternalQueriesResult]);
        WritePageRecords(a.internalPages, a.PageLines(true), *files[kInternalReferrersResult]);
        WriteQueryRecords(a.internalQueries, a.internalPages, a.QuerySiteLengths(true),
                          *files[kInternalQueriesResult]);
        for (ResultFile f : kOther)
            files[f]->Sync();
    });
    WriteStatusFile(a, *files[kStatusResult]);
    WritePageRecords(a.hosts, a.HostLines(), *files[kHostsResult], &written.hosts);
    WriteBrowserRecords(a.browsers, a.BrowserLines(), *files[kBrowsersResult]);
    for (ResultFile f : kHere)
        files[f]->Sync();
    // The earlier files' cached pages go now, while the other threads still
    // write: left to the renaming, they would be freed at the very end, when
    // nothing else runs.
    for (ResultFile f : kHere)
        DropCachedPages(files[f]->path());
    for (ResultFile f : kOther)
        DropCachedPages(files[f]->path());
    extras.Join();
    other.Join();
    WriteMonthStats(a, logDateText, written, *monthly);
    monthly->Sync();
    // Everything is on disk before the earlier analysis loses its mark, so a
    // full disk or a write error leaves that analysis whole. Until the new
    // monthly file is in place the month reads as not analysed, so an
    // interrupted renaming is analysed again.
    if (::unlink(monthlyPath.c_str()) != 0 && errno != ENOENT)
        ThrowErrno(monthlyPath);
    for (ResultFile f : kHere)
        files[f]->Commit();
    for (ResultFile f : kOther)
        files[f]->Commit();
    for (auto& f : extraFiles)
        f->Commit();
    monthly->Commit();
}

}  // namespace trafikon
