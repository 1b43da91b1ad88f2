// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the log-line panel for one detail, without one text per line in
// memory: the detail's line numbers kept compact, and the lines themselves
// read through the log's line index for the rows asked for, the last few
// pages of them kept for repaints.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "month/id_list_counter.h"
#include "month/month_results.h"
#include "views/analysis/log_line_index.h"

namespace trafikon {

// A list of non-negative numbers in about one byte each when they rise in
// small steps: each the difference from the one before as a zigzag varint,
// with the value and byte position of every 64th for reaching any entry by
// decoding at most 63.
class CompactIdList {
  public:
    void Append(long long n);
    // Appends the entries of an id list piece (see ForEachId); returns the
    // pieces skipped because they are not numbers.
    std::size_t AppendIdList(std::string_view list);
    void Clear();
    void ShrinkToFit();

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    long long At(std::size_t i) const;
    long long max() const { return max_; }  // -1 when empty
    std::size_t memoryBytes() const;
    // Entries that are `limit` or more.
    std::size_t CountFrom(long long limit) const;

  private:
    static constexpr std::size_t kPerMark = 64;
    struct Mark {
        std::uint64_t byte;  // where the entry after the marked one starts
        long long value;
    };
    std::vector<std::uint8_t> bytes_;
    std::vector<Mark> marks_;
    std::size_t size_ = 0;
    long long last_ = 0;
    long long max_ = -1;
};

// The line numbers of a detail's id-list field, read from its result file.
struct DetailIds {
    CompactIdList ids;
    std::size_t notNumbers = 0;  // pieces that are not numbers (skipped)
    std::string error;           // the result file could not be read (file and reason)
};
DetailIds ReadDetailIds(const MonthResults& month, std::string_view field);

class LogLineRows {
  public:
    // `index` null: the log cannot be read, every row is missing. `rows`
    // more than ids.size(): the rest of the ids are still to come (Append).
    void Assign(CompactIdList ids, LineNumbering numbering, const LogLineIndex* index,
                std::size_t rows = 0);
    void Clear() { Assign({}, LineNumbering::Index, nullptr); }
    // More ids, read from the rest of the list; returns the pieces skipped.
    std::size_t Append(std::string_view idListPiece);
    // No more ids will come: the rows are those read.
    void Finish() {
        rows_ = 0;
        ids_.ShrinkToFit();
    }

    std::size_t size() const { return std::max(rows_, ids_.size()); }
    bool Ready(std::size_t row) const { return row < ids_.size(); }  // its id is read
    const CompactIdList& ids() const { return ids_; }
    // These three for ready rows only.
    long long Number(std::size_t row) const;  // as shown in the first column
    // The stored line of the row, or nullptr when it is missing (beyond the
    // end of the log, or the log unreadable). Valid until the next call.
    const std::string* Text(std::size_t row);
    ExtractedLine Line(std::size_t row);
    // Rows whose line lies beyond the end of the indexed log.
    std::size_t BeyondEnd() const;

  private:
    static constexpr std::size_t kPageRows = 128;
    static constexpr std::size_t kPages = 8;
    struct Page {
        std::size_t first = 0;
        std::vector<std::string> texts;
        std::vector<bool> missing;
        std::uint64_t used = 0;
    };
    Page& PageOf(std::size_t row);

    CompactIdList ids_;
    std::size_t rows_ = 0;
    LineNumbering numbering_ = LineNumbering::Index;
    const LogLineIndex* index_ = nullptr;
    std::vector<Page> pages_;
    std::uint64_t clock_ = 0;
};

}  // namespace trafikon
