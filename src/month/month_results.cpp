// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/month_results.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>

#include "month/id_list_counter.h"
#include "month/id_list_cutter.h"
#include "month/left_in_file.h"
#include "store/line_reader.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// True when field 3 after `before` may be replaced without changing what
// ReadField finds for any other field: the tag of field 2 comes before it, and
// no tag of field 4 or later does (a path may hold text that looks like tags).
bool StandsAlone(std::string_view before) {
    return before.find(FieldTag(FieldNumber(CountedField::kHits)).view()) !=
               std::string_view::npos &&
           !HasFieldTagFrom(before, kIdListField + 1);
}

// The line with its id list replaced by a reference to where it lies in
// `file`; its end is left in the file too when `tails` takes it.
void AppendWithReference(std::string& out, const CutLine& line, ResultFile file,
                         std::pair<int, int> detailLists, RecordTails* tails) {
    AppendReference(out, file, line.listOffset, line.listLength);
    if (line.counter.exact()) {
        out += ':';
        AppendDecimal(out, static_cast<long long>(line.counter.entries()));
    }
    // The end starts with the tag that closes the list, kept for the list to read.
    const std::size_t closing = line.tail.starts_with('\\') ? line.tail.find(';') : line.tail.npos;
    if (tails && closing != line.tail.npos &&
        line.tail.size() <= std::numeric_limits<std::uint32_t>::max() &&
        line.listOffset + line.listLength + line.tail.size() == line.lineOffset + line.lineLength) {
        out.append(line.tail, 0, closing + 1);
        tails->Add(static_cast<std::uint32_t>(line.tail.size()));
        return;
    }
    if (tails)
        tails->Add(0);
    if (detailLists.first > 0)
        AppendTailLeavingLists(out, line.tail, line.listOffset + line.listLength, file,
                               detailLists);
    else
        out += line.tail;
}

// Runs `load` for the result file at `path`, recording what is wrong.
template <class Load>
void Guarded(MonthResults& m, const std::string& path, Load load) {
    try {
        if (!FileExists(path)) {
            m.problems.push_back(path + ": file not found");
            return;
        }
        load();
    } catch (const IoError& e) {
        m.problems.push_back(e.path() + ": " + e.reason());
    } catch (const std::exception& e) {
        m.problems.push_back(path + ": " + e.what());
    }
}

// Loads one result file into `table`. The id lists of log lines stay in the
// file, which is kept open for them, and so do the ends of the lines when
// `tails` is given.
void LoadTable(MonthResults& m, ResultFile file, const std::string& path, LineTable& table,
               std::optional<IdListPlace> place, std::pair<int, int> detailLists,
               RecordTails* tails, std::uint64_t leaveEndsFrom) {
    if (tails)
        tails->Reset(file, detailLists);
    Guarded(m, path, [&] {
        if (!place) {
            LineReader reader(path);
            std::string_view line;
            while (reader.Next(line))
                table.push_back(line);
            return;
        }
        // The lists are read later from this same file, even when a new
        // analysis renames another into its place meanwhile.
        const int fd = OpenRegularFile(path);
        m.idListFiles[file] = fd;
        struct stat st {};
        if (tails &&
            (::fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) < leaveEndsFrom))
            tails = nullptr;  // a small file's lines are held whole
        std::string joined;   // reused for every line
        ReadCuttingIdLists(fd, path, *place, [&](CutLine& l) {
            if (l.cut && l.listLength > 0 &&
                (place == IdListPlace::kStatusLine || StandsAlone(l.head))) {
                joined.assign(l.head);
                AppendWithReference(joined, l, file, detailLists, tails);
                table.push_back(joined);
                return;
            }
            if (tails)
                tails->Add(0);
            if (!l.cut && l.headIsWhole) {
                table.push_back(l.head);
            } else if (!l.cut) {
                table.push_back(ReadWholeLine(fd, path, l));
            } else if (l.listLength == 0 && (detailLists.first == 0 || !StandsAlone(l.head))) {
                table.push_back(l.head, l.tail);
            } else if (l.listLength == 0) {
                joined.assign(l.head);
                AppendTailLeavingLists(joined, l.tail, l.listOffset, file, detailLists);
                table.push_back(joined);
            } else {
                table.push_back(ReadWholeLine(fd, path, l));
            }
        });
    });
    table.ShrinkToFit();
    if (tails)
        tails->ShrinkToFit();
}

void SplitDayValues(MonthResults& m, const MonthStats& stats, int series) {
    const MonthStatsLine line = kDayListLines[static_cast<std::size_t>(series)];
    auto& texts = m.summary.dayTexts[series];
    auto& values = m.summary.dayValues[series];
    bool bad = false;
    for (std::string_view piece : SplitDayList(stats[line])) {
        texts.emplace_back(piece);
        long long v = ParseSignedDecimal(piece).value_or(-1);
        if (v < 0) {
            bad = true;
            v = 0;
        }
        values.push_back(v);
    }
    if (bad)
        m.problems.push_back(m.monthStatsPath() + ": a value per day of line " +
                             std::to_string(line + 1) + " is not a number");
}

// A top list without its leading "-".
std::string TopListText(const std::string& value) {
    return value.empty() ? value : value.substr(1);
}

}  // namespace

void RecordKeyIndex::Build(const LineTable& table) {
    Clear();
    table_ = &table;
}

void RecordKeyIndex::Clear() {
    table_ = nullptr;
    slots_ = {};
    filled_ = false;
}

namespace {

std::size_t KeyHash(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

}  // namespace

void RecordKeyIndex::Fill() const {
    filled_ = true;
    const std::size_t n = table_ ? table_->size() : 0;
    if (n == 0 || n >= std::numeric_limits<std::uint32_t>::max())
        return;
    std::size_t capacity = 16;
    while (capacity < 2 * n)
        capacity *= 2;
    slots_.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view key = ReadField((*table_)[i], CountedField::kKey);
        for (std::size_t s = KeyHash(key) & mask;; s = (s + 1) & mask) {
            if (slots_[s] == 0) {
                slots_[s] = static_cast<std::uint32_t>(i + 1);
                break;
            }
            if (ReadField((*table_)[slots_[s] - 1], CountedField::kKey) == key)
                break;  // the first occurrence stays
        }
    }
}

long long RecordKeyIndex::Find(std::string_view key) const {
    if (!filled_)
        Fill();
    if (slots_.empty())
        return -1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = KeyHash(key) & mask; slots_[s] != 0; s = (s + 1) & mask) {
        const std::size_t position = slots_[s] - 1;
        if (ReadField((*table_)[position], CountedField::kKey) == key)
            return static_cast<long long>(position);
    }
    return -1;
}

MonthResults::~MonthResults() {
    CloseIdListFiles();
}

void MonthResults::CloseIdListFiles() {
    for (int& fd : idListFiles) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

bool MonthResults::ReadIdList(std::string_view field,
                              const std::function<void(std::string_view)>& piece,
                              std::string* error) const {
    IdListReader reader(*this, field);
    std::string_view p;
    while (reader.Next(p))
        piece(p);
    if (error)
        *error = reader.error();
    return reader.error().empty();
}

std::string MonthResults::IdListText(std::string_view field) const {
    std::string text;
    ReadIdList(field, [&](std::string_view piece) { text.append(piece); });
    return text;
}

IdListReader::IdListReader(const MonthResults& month, std::string_view field)
    : month_(month), inLine_(field) {
    const std::optional<ListReference> r = ParseReference(field);
    if (r && month.idListFiles[static_cast<std::size_t>(r->file)] >= 0) {
        inLine_ = {};
        file_ = r->file;
        offset_ = r->offset;
        left_ = r->length;
        bytes_ = left_;
        entries_ = r->entries;
    }
}

bool IdListReader::Next(std::string_view& piece, std::size_t bytes) {
    if (file_ < 0) {
        piece = inLine_;
        inLine_ = {};
        return !piece.empty();
    }
    buf_.erase(0, handedOut_);  // keeps what follows the last dash
    handedOut_ = 0;
    const int fd = month_.idListFiles[static_cast<std::size_t>(file_)];
    while (left_ > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left_, bytes));
        const std::size_t kept = buf_.size();
        buf_.resize(kept + want);
        const ssize_t r = ::pread(fd, buf_.data() + kept, want, static_cast<off_t>(offset_));
        if (r < 0 && errno == EINTR) {
            buf_.resize(kept);
            continue;
        }
        if (r <= 0) {
            error_ = month_.resultPath(static_cast<ResultFile>(file_)) + ": " +
                     (r < 0 ? std::strerror(errno) : "shorter than when it was loaded");
            left_ = 0;
            buf_.clear();
            return false;
        }
        buf_.resize(kept + static_cast<std::size_t>(r));
        offset_ += static_cast<std::uint64_t>(r);
        left_ -= static_cast<std::uint64_t>(r);
        handedOut_ = left_ == 0 ? buf_.size() : buf_.rfind('-') + 1;  // 0 when no dash
        if (handedOut_ > 0) {
            piece = std::string_view(buf_).substr(0, handedOut_);
            return true;
        }
    }
    return false;
}

std::string MonthResults::logPath() const {
    return siteDir + LogFileName(key);
}

std::string MonthResults::resultPath(ResultFile file) const {
    return siteDir + ResultFileName(file, key);
}

std::string MonthResults::monthStatsPath() const {
    return siteDir + MonthStatsFileName(key);
}

std::optional<std::string_view> MonthResults::LineAt(const LineTable& table, long long position) {
    if (position < 0 || static_cast<unsigned long long>(position) >= table.size())
        return std::nullopt;
    return table[static_cast<std::size_t>(position)];
}

void MonthResults::Clear() {
    analysed = false;
    fileIndex.Clear();
    hostIndex.Clear();
    externalReferrerIndex.Clear();
    internalReferrerIndex.Clear();
    for (LineTable* t : {&externalQueries, &hosts, &browsers, &files, &statuses, &externalReferrers,
                         &internalReferrers, &internalQueries})
        t->clear();
    for (RecordTails* t : {&hostTails, &externalReferrerTails, &internalReferrerTails})
        t->Clear();
    summary = MonthSummary{};
    problems.clear();
    CloseIdListFiles();
}

void LoadMonthResults(const std::string& siteDir, const std::string& key, MonthResults& m,
                      std::uint64_t leaveEndsFrom) {
    m.siteDir = siteDir;
    m.key = key;
    m.Clear();
    if (!FileExists(m.resultPath(kFilesResult)))
        return;
    m.analysed = true;
    // The id lists only a detail reads (a host's or referrer's pages, a
    // file's hosts, queries and referrers) stay in the files as well.
    constexpr std::pair<int, int> kNone{0, 0};
    constexpr std::pair<int, int> kPageLists{FieldNumber(PageField::kFiles),
                                             FieldNumber(PageField::kFiles)};
    constexpr std::pair<int, int> kFileLists{FieldNumber(FileField::kHosts),
                                             FieldNumber(FileField::kInternalPages)};
    const std::tuple<ResultFile, LineTable*, std::optional<IdListPlace>, std::pair<int, int>>
        tables[] = {
            {kExternalQueriesResult, &m.externalQueries, std::nullopt, kNone},
            {kHostsResult, &m.hosts, IdListPlace::kTaggedRecord, kPageLists},
            {kBrowsersResult, &m.browsers, IdListPlace::kTaggedRecord, kNone},
            {kFilesResult, &m.files, IdListPlace::kTaggedRecord, kFileLists},
            {kStatusResult, &m.statuses, IdListPlace::kStatusLine, kNone},
            {kExternalReferrersResult, &m.externalReferrers, IdListPlace::kTaggedRecord,
             kPageLists},
            {kInternalReferrersResult, &m.internalReferrers, IdListPlace::kTaggedRecord,
             kPageLists},
            {kInternalQueriesResult, &m.internalQueries, std::nullopt, kNone},
        };
    for (const auto& [file, table, place, lists] : tables)
        LoadTable(m, file, m.resultPath(file), *table, place, lists,
                  table == &m.hosts               ? &m.hostTails
                  : table == &m.externalReferrers ? &m.externalReferrerTails
                  : table == &m.internalReferrers ? &m.internalReferrerTails
                                                  : nullptr,
                  leaveEndsFrom);
    if (m.statuses.size() != kStatusLineCount && !m.statuses.empty())
        m.problems.push_back(m.resultPath(kStatusResult) + ": " +
                             std::to_string(m.statuses.size()) + " status lines instead of " +
                             std::to_string(kStatusLineCount));
    m.fileIndex.Build(m.files);
    m.hostIndex.Build(m.hosts);
    m.externalReferrerIndex.Build(m.externalReferrers);
    m.internalReferrerIndex.Build(m.internalReferrers);

    Lines mon;
    Guarded(m, m.monthStatsPath(), [&] { mon = ReadTextLines(m.monthStatsPath()); });
    MonthSummary& s = m.summary;
    s.present = !mon.empty();
    s.lineCount = mon.size();
    if (s.present && mon.size() < kMonthStatsLineCount)
        m.problems.push_back(m.monthStatsPath() + ": " + std::to_string(mon.size()) +
                             " lines instead of " + std::to_string(kMonthStatsLineCount));
    const MonthStats stats = ParseMonthStats(mon);
    for (std::size_t r = 0; r < kSummaryLines.size(); ++r)
        s.rows[r] = stats[kSummaryLines[r]];
    for (int series = 0; series < static_cast<int>(kDayListLines.size()); ++series)
        SplitDayValues(m, stats, series);
    s.topPages = TopListText(stats[kStatTtPa]);
    s.topHosts = TopListText(stats[kStatTtHo]);
    s.topEngines = TopListText(stats[kStatTtMo]);
}

}  // namespace trafikon
