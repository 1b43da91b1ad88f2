// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/compare/month_comparison.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "store/data_store.h"
#include "store/line_reader.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"

namespace trafikon {

CompareError::CompareError(std::string month, std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      month_(std::move(month)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

void FoldCase1252(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<unsigned char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)  // Š Œ Ž
            c = static_cast<unsigned char>(c + 0x10);
        else if (c == 0x9F)  // Ÿ
            c = 0xFF;
        out[i] = static_cast<char>(c);
    }
}

std::string_view BaseDirectory(std::string_view path) {
    if (!path.empty() && path.front() == '/')
        path.remove_prefix(1);
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos)
        return {};
    return path.substr(0, slash);
}

long long RoundHalfToEven(long long sum, long long count) {
    if (count <= 0)
        return 0;
    long long q = sum / count;
    long long r = sum % count;
    if (r < 0) {  // floor division for negative sums
        q -= 1;
        r += count;
    }
    const long long twice = 2 * r;
    if (twice > count || (twice == count && q % 2 != 0))
        ++q;
    return q;
}

int CompareCaptions(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 0x20);
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 0x20);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::size_t ComparisonRows::Find(std::string_view name) {
    FoldCase1252(name, folded_);
    const auto it = index_.find(folded_);
    return it == index_.end() ? npos : it->second;
}

std::size_t ComparisonRows::FindOrAdd(std::string_view name) {
    FoldCase1252(name, folded_);
    const auto [it, added] = index_.try_emplace(folded_, rows_.size());
    if (added)
        rows_.push_back(
            {std::string(name), std::string(), std::vector<std::string>(monthCount_, "0")});
    return it->second;
}

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Calls f(path, hits) for every record of a file list, streamed by the
// store's line reader: the records carry long id lists, and only their first
// two fields are wanted.
template <typename F>
void ForEachFileRecord(const std::string& path, F&& f) {
    LineReader reader(path);
    std::string_view line;
    while (reader.Next(line))
        f(ReadField(line, FileField::kPath), ReadField(line, FileField::kHits));
}

// Path and hits of every record of one month's file list, kept for the two
// passes of the top pages comparison so that the file is read once.
struct FileListCopy {
    bool present = false;
    std::vector<std::string> paths;
    std::vector<std::string> hits;
};

}  // namespace

MonthComparison::MonthComparison(std::string siteDir, std::vector<std::string> monthsNewestFirst)
    : siteDir_(std::move(siteDir)), months_(std::move(monthsNewestFirst)) {}

std::string MonthComparison::FileListPath(std::size_t month) const {
    return siteDir_ + ResultFileName(kFilesResult, months_[month]);
}

std::string MonthComparison::StatsPath(std::size_t month) const {
    return siteDir_ + MonthStatsFileName(months_[month]);
}

std::vector<ComparisonRow> MonthComparison::TopPages() const {
    ComparisonRows rows(months_.size());

    // Each month's file list is read at most once, on first need.
    std::vector<std::optional<FileListCopy>> lists(months_.size());
    auto fileList = [&](std::size_t p) -> const FileListCopy* {
        if (!lists[p]) {
            FileListCopy& copy = lists[p].emplace();
            const std::string path = FileListPath(p);
            copy.present = FileExists(path);
            if (copy.present) {
                ForEachFileRecord(path, [&](std::string_view name, std::string_view hits) {
                    copy.paths.emplace_back(name);
                    copy.hits.emplace_back(hits);
                });
            }
        }
        return lists[p]->present ? &*lists[p] : nullptr;
    };

    // Names: the pages of every month's top pages line, newest month first.
    for (std::size_t p = 0; p < months_.size(); ++p) {
        const std::string stats = StatsPath(p);
        const std::optional<MonthStats> monthStats = ReadMonthStatsFile(stats);
        if (!monthStats)
            continue;
        const TopListRead top = ReadTopList((*monthStats)[kStatTtPa]);
        if (top.fault == TopListFault::kBadPosition)
            throw CompareError(months_[p], stats,
                               "the top pages list holds " + Quoted(top.faultyPosition) +
                                   " where a record position is expected");
        if (top.fault == TopListFault::kCutShort)
            throw CompareError(months_[p], stats, "the top pages list is cut short");
        if (top.entries.empty())
            continue;

        const FileListCopy* list = fileList(p);
        if (list == nullptr)
            throw CompareError(months_[p], FileListPath(p), "the month's file list is missing");
        for (const TopEntry& entry : top.entries) {
            const long long position = entry.position;
            if (static_cast<unsigned long long>(position) >= list->paths.size())
                throw CompareError(months_[p], FileListPath(p),
                                   "the top pages list names record " + std::to_string(position) +
                                       " but the file list holds " +
                                       std::to_string(list->paths.size()) + " records");
            rows.FindOrAdd(list->paths[static_cast<std::size_t>(position)]);
        }
    }

    // Values: the hits of every named page in every month's file list.
    for (std::size_t p = 0; p < months_.size() && rows.size() > 0; ++p) {
        const FileListCopy* list = fileList(p);
        if (list == nullptr)
            continue;
        for (std::size_t r = 0; r < list->paths.size(); ++r) {
            const std::size_t i = rows.Find(list->paths[r]);
            if (i != ComparisonRows::npos && rows.row(i).values[p] == "0")
                rows.row(i).values[p] = list->hits[r];
        }
    }
    std::vector<ComparisonRow> result = rows.Take();
    Finish(result);
    return result;
}

std::vector<ComparisonRow> MonthComparison::SearchFiles(std::string_view fragment) const {
    if (fragment.size() < 2)
        return {};
    ComparisonRows rows(months_.size());
    for (std::size_t p = 0; p < months_.size(); ++p) {
        const std::string list = FileListPath(p);
        if (!FileExists(list))
            continue;
        ForEachFileRecord(list, [&](std::string_view path, std::string_view hits) {
            if (path.find(fragment) == std::string_view::npos)
                return;
            ComparisonRow& row = rows.row(rows.FindOrAdd(path));
            if (row.values[p] == "0")
                row.values[p] = std::string(hits);
        });
    }
    std::vector<ComparisonRow> result = rows.Take();
    Finish(result);
    return result;
}

std::vector<ComparisonRow> MonthComparison::BaseDirectories() const {
    ComparisonRows rows(months_.size());
    std::vector<std::vector<long long>> sums;
    for (std::size_t p = 0; p < months_.size(); ++p) {
        const std::string list = FileListPath(p);
        if (!FileExists(list))
            continue;
        ForEachFileRecord(list, [&](std::string_view path, std::string_view hits) {
            const std::string_view dir = BaseDirectory(path);
            if (dir.empty())
                return;
            const std::size_t i = rows.FindOrAdd(dir);
            if (i == sums.size())
                sums.emplace_back(months_.size(), 0);
            const std::optional<long long> hitCount = ParseSignedDecimal(hits);
            if (!hitCount)
                throw CompareError(months_[p], list,
                                   "the hits of " + Quoted(path) + " read " + Quoted(hits) +
                                       ", not a whole number");
            long long& sum = sums[i][p];
            if (__builtin_add_overflow(sum, *hitCount, &sum))
                throw CompareError(months_[p], list, "the hits of " + Quoted(dir) + " overflow");
        });
    }
    std::vector<ComparisonRow> result = rows.Take();
    for (std::size_t i = 0; i < result.size(); ++i) {
        for (std::size_t p = 0; p < months_.size(); ++p)
            result[i].values[p] = std::to_string(sums[i][p]);
    }
    Finish(result);
    return result;
}

void MonthComparison::Finish(std::vector<ComparisonRow>& rows) const {
    for (ComparisonRow& row : rows) {
        long long sum = 0;
        long long count = 0;
        for (std::size_t p = 0; p < row.values.size(); ++p) {
            const std::string& value = row.values[p];
            if (value.empty() || value == "0")
                continue;
            const std::optional<long long> n = ParseSignedDecimal(value);
            if (!n)
                throw CompareError(months_[p], FileListPath(p),
                                   "the hits of " + Quoted(row.name) + " read " + Quoted(value) +
                                       ", not a whole number");
            if (__builtin_add_overflow(sum, *n, &sum))
                throw CompareError(months_[p], FileListPath(p),
                                   "the hits of " + Quoted(row.name) + " overflow");
            ++count;
        }
        row.average = std::to_string(RoundHalfToEven(sum, count));
    }
}

bool ComparisonSortState::Click(int column) {
    if (column == state_ / 2)
        state_ = (state_ % 2 == 0) ? 2 * column + 1 : 2 * column;
    else
        state_ = 2 * column;
    return state_ % 2 != 0;
}

void SortComparisonRows(std::vector<ComparisonRow>& rows, int column, bool secondDirection) {
    if (column <= 0) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](const ComparisonRow& a, const ComparisonRow& b) {
                             const int c = CompareCaptions(a.name, b.name);
                             return secondDirection ? c > 0 : c < 0;
                         });
        return;
    }
    // Cells that are not whole numbers (none after a completed command) count as 0.
    auto key = [column](const ComparisonRow& row) {
        const std::string* text = nullptr;
        if (column == 1)
            text = &row.average;
        else if (static_cast<std::size_t>(column - 2) < row.values.size())
            text = &row.values[static_cast<std::size_t>(column - 2)];
        return text == nullptr ? 0LL : ParseSignedDecimal(*text).value_or(0);
    };
    std::vector<std::pair<long long, std::size_t>> order;
    order.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        order.emplace_back(key(rows[i]), i);
    std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        return secondDirection ? a.first < b.first : a.first > b.first;
    });
    std::vector<ComparisonRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& entry : order)
        sorted.push_back(std::move(rows[entry.second]));
    rows = std::move(sorted);
}

}  // namespace trafikon
