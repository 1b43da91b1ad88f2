#include "engine/result_files.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
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

// Writes the decimal digits of `v` at `p` and returns the end.
inline char* WriteDecimal(char* p, std::uint64_t v) {
    if (v < 10) {
        *p = static_cast<char>('0' + v);
        return p + 1;
    }
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char tmp[20];
    char* t = tmp + sizeof tmp;
    while (v >= 100) {
        const auto pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        *--t = kPairs[pair + 1];
        *--t = kPairs[pair];
    }
    if (v >= 10) {
        *--t = kPairs[v * 2 + 1];
        *--t = kPairs[v * 2];
    } else {
        *--t = static_cast<char>('0' + v);
    }
    const auto n = static_cast<std::size_t>(tmp + sizeof tmp - t);
    std::memcpy(p, t, n);
    return p + n;
}

// One record line under construction; grows without clearing what it adds.
class LineBuffer {
  public:
    void Clear() { size_ = 0; }
    std::string_view view() const { return std::string_view(data_.get(), size_); }
    void Append(std::string_view text) {
        if (text.empty())  // an empty value may have no storage at all
            return;
        char* p = Space(text.size());
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
    // A tag of field `field`: backslash, number, semicolon.
    void Tag(int field) {
        char* p = Space(8);
        *p++ = '\\';
        p = WriteDecimal(p, static_cast<std::uint64_t>(field));
        *p++ = ';';
        size_ = static_cast<std::size_t>(p - data_.get());
    }
    // "-" followed by each number and a dash: the text form of an IdList.
    void IdList(const std::vector<std::uint32_t>& list) {
        char* p = Space(1 + list.size() * 11);
        *p++ = '-';
        for (std::uint32_t v : list) {
            p = WriteDecimal(p, v);
            *p++ = '-';
        }
        size_ = static_cast<std::size_t>(p - data_.get());
    }

  private:
    char* Space(std::size_t n) {
        if (size_ + n > capacity_) {
            const std::size_t capacity = std::max(capacity_ * 2, size_ + n + 256);
            auto data = std::make_unique<char[]>(capacity);
            if (size_ > 0)  // the first buffer replaces no storage
                std::memcpy(data.get(), data_.get(), size_);
            data_ = std::move(data);
            capacity_ = capacity;
        }
        return data_.get() + size_;
    }
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0, capacity_ = 0;
};

void WriteStatusFile(const MonthAnalysis& a, AtomicFileWriter& out) {
    LineBuffer line;
    for (int code : StatusFileCodes()) {
        const int slot = StatusSlot(code);
        line.Clear();
        line.Number(code);
        line.Append(";");
        line.Number(a.status[slot].hits);
        line.Append(";");
        line.IdList(a.status[slot].lines);
        line.Append(";");
        line.IdList(a.statusFiles.List(static_cast<std::uint32_t>(slot)));
        out.WriteLine(line.view());
    }
}

// Host and referring-page records: key, hits, lines, files, last time.
void WritePageRecords(const PageRecords& records, AtomicFileWriter& out) {
    LineBuffer line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.Clear();
        line.Tag(1);
        line.Append(records.keys.Key(i));
        line.Tag(2);
        line.Number(static_cast<std::int64_t>(records.lines[i].size()));
        line.Tag(3);
        line.IdList(records.lines[i]);
        line.Tag(4);
        line.IdList(records.files.List(i));
        line.Tag(5);
        line.Append(records.lastTime[i]);
        line.Tag(6);
        out.WriteLine(line.view());
    }
}

void WriteBrowserRecords(const LineRecords& records, AtomicFileWriter& out) {
    LineBuffer line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.Clear();
        line.Tag(1);
        line.Append(records.keys.Key(i));
        line.Tag(2);
        line.Number(static_cast<std::int64_t>(records.lines[i].size()));
        line.Tag(3);
        line.IdList(records.lines[i]);
        line.Tag(4);
        out.WriteLine(line.view());
    }
}

void WriteFileRecords(const FileRecords& records, AtomicFileWriter& out) {
    LineBuffer line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.Clear();
        line.Tag(1);
        line.Append(records.keys.Key(i));
        line.Tag(2);
        line.Number(static_cast<std::int64_t>(records.lines[i].size()));
        line.Tag(3);
        line.IdList(records.lines[i]);
        line.Tag(4);
        line.Number(records.type[i]);
        line.Tag(5);
        line.Append(records.lastStatus[i]);
        line.Tag(6);
        line.Append(records.lastTime[i]);
        line.Tag(7);
        line.IdList(records.hosts.List(i));
        line.Tag(8);
        line.IdList(records.externalQueries.List(i));
        line.Tag(9);
        line.IdList(records.internalQueries.List(i));
        line.Tag(10);
        line.IdList(records.externalPages.List(i));
        line.Tag(11);
        line.IdList(records.internalPages.List(i));
        line.Tag(12);
        line.Append("-");
        line.Tag(13);
        out.WriteLine(line.view());
    }
}

void WriteQueryRecords(const QueryRecords& records, AtomicFileWriter& out) {
    LineBuffer line;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        line.Clear();
        line.Tag(1);
        line.Append(records.keys.Key(i));
        line.Tag(2);
        line.Number(records.firstPage[i]);
        line.Tag(3);
        line.IdList(records.siteLength[i]);
        line.Tag(4);
        line.IdList(records.files.List(i));
        line.Tag(5);
        line.Append(records.lastTime[i]);
        line.Tag(6);
        line.Append(records.firstReferrer[i]);
        line.Tag(7);
        line.Append(
            std::string_view(records.firstReferrer[i]).substr(0, records.firstSiteLength[i]));
        line.Tag(8);
        out.WriteLine(line.view());
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
