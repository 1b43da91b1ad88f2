// SPDX-License-Identifier: GPL-3.0-or-later
// Months set side by side for a chosen set of names: the most requested pages
// of every month, the files whose path holds a fragment, or the hits of every
// base directory. Reads the months' file lists (lfp-<key>.tfd) and statistics
// files (mon-<key>.tfd); writes nothing.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trafikon {

// One result row: a name, the rounded average of its non-zero month values and
// one value text per month, newest month first ("0" where the month has none).
struct ComparisonRow {
    std::string name;
    std::string average;
    std::vector<std::string> values;
};

// A stored file that stops a comparison: the month, the file and what is wrong.
class CompareError : public std::runtime_error {
  public:
    CompareError(std::string month, std::string path, std::string reason);
    const std::string& month() const { return month_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string month_;
    std::string path_;
    std::string reason_;
};

// Lower-case form of a Windows-1252 text (A-Z, the accented capitals, Š Œ Ž Ÿ).
void FoldCase1252(std::string_view text, std::string& out);

// Base directory of a requested path: the path without one leading "/", cut
// before its next "/"; empty for a file at the site's root ("/index.html").
std::string_view BaseDirectory(std::string_view path);

// sum / count rounded to the nearest whole number, a half going to the even one.
long long RoundHalfToEven(long long sum, long long count);

// Orders two captions ignoring the case of A-Z, otherwise by character code.
int CompareCaptions(std::string_view a, std::string_view b);

// The name list of one command: names in the order first met, looked up
// without regard to letter case, each row keeping the first spelling.
class ComparisonRows {
  public:
    explicit ComparisonRows(std::size_t monthCount) : monthCount_(monthCount) {}

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t Find(std::string_view name);
    std::size_t FindOrAdd(std::string_view name);
    ComparisonRow& row(std::size_t i) { return rows_[i]; }
    std::size_t size() const { return rows_.size(); }
    std::vector<ComparisonRow> Take() { return std::move(rows_); }

  private:
    std::size_t monthCount_;
    std::vector<ComparisonRow> rows_;
    std::unordered_map<std::string, std::size_t> index_;  // folded name -> row
    std::string folded_;                                  // reused buffer
};

// The three commands. Each reads each month's file list once and throws
// CompareError when a stored text is not a number where one is read, or when
// a month has a top pages line but no file list.
class MonthComparison {
  public:
    // `monthsNewestFirst` are the month columns; month position 0 is the newest.
    MonthComparison(std::string siteDir, std::vector<std::string> monthsNewestFirst);

    // Every page among the top pages of at least one month, with its hits in
    // every month whose file list names it.
    std::vector<ComparisonRow> TopPages() const;
    // Every requested path that holds `fragment` (case-sensitive); no rows for a
    // fragment shorter than two characters.
    std::vector<ComparisonRow> SearchFiles(std::string_view fragment) const;
    // The hits of every base directory, summed per month.
    std::vector<ComparisonRow> BaseDirectories() const;

    std::string FileListPath(std::size_t month) const;
    std::string StatsPath(std::size_t month) const;

  private:
    // Fills the averages; every value must be a whole number.
    void Finish(std::vector<ComparisonRow>& rows) const;

    std::string siteDir_;
    std::vector<std::string> months_;
};

// Sort state of a result table: twice the column sorted last, plus one when it
// was sorted in its second direction. The first click on the name column sorts
// descending, on any other column largest first; each further click on the
// same column reverses.
class ComparisonSortState {
  public:
    // Records a click on `column`; returns true for the column's second direction.
    bool Click(int column);
    int state() const { return state_; }

  private:
    int state_ = 0;
};

// Sorts rows by the name (column 0: ascending, or descending for the second
// direction), the average (column 1) or a month (column 2 + position): largest
// first, or smallest first for the second direction. Equal keys keep their order.
void SortComparisonRows(std::vector<ComparisonRow>& rows, int column, bool secondDirection);

}  // namespace trafikon
