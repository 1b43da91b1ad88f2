// SPDX-License-Identifier: GPL-3.0-or-later
// Lines of a month's stored log read by their 0-based number through a sparse
// index: the offset of every 64th line, built once and checked against the
// file's size and modification time before every use (rebuilt when either
// changed). A line is read forward from the mark before it, so a detail reads
// only the lines it shows and the index of a 20,000,000-line log takes 2.5 MB.
//
// Line ends follow the store's rule: CR LF, LF or a lone CR; a last line
// without an end still counts. Numbering matches the analysis engine's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

class LogLineIndex {
  public:
    LogLineIndex() = default;
    explicit LogLineIndex(std::string path) : path_(std::move(path)) {}
    ~LogLineIndex();
    LogLineIndex(const LogLineIndex&) = delete;
    LogLineIndex& operator=(const LogLineIndex&) = delete;

    const std::string& path() const { return path_; }

    // Makes the offsets match the file on disk, rebuilding them when the file's
    // size or modification time changed. False (with *error set to the file
    // and the system's reason) when the file cannot be read; the index is then empty.
    bool Update(std::string* error = nullptr);

    static constexpr std::size_t kLinesPerMark = 64;

    std::size_t lineCount() const { return lineCount_; }
    int buildCount() const { return builds_; }  // how many times the offsets were built

    // Reads line n (0-based) into `out`; false when n is outside the log
    // or the file cannot be read any more. Reading lines in rising order costs
    // one pass over them: the reader goes on from where the last read stopped.
    // Not for use by two threads at once (the reading position is shared).
    bool ReadLine(long long n, std::string& out) const;

  private:
    void Forget();
    bool LoadBlock(std::uint64_t pos) const;
    bool FindLineEnd(std::uint64_t start, std::uint64_t& end, std::uint64_t& next) const;

    std::string path_;
    int fd_ = -1;                       // open on the indexed file between updates
    std::vector<std::uint64_t> marks_;  // start of lines 0, 64, 128...
    std::size_t lineCount_ = 0;
    std::uint64_t indexedBytes_ = 0;  // the bytes read by the build
    std::int64_t size_ = -1;
    std::int64_t mtimeNs_ = -1;
    int builds_ = 0;

    // Where the last read stopped (the start of line cursorLine_), and the last
    // block read from the file.
    mutable long long cursorLine_ = -1;
    mutable std::uint64_t cursorPos_ = 0;
    mutable std::vector<char> block_;
    mutable std::uint64_t blockPos_ = 0;
    mutable std::size_t blockLen_ = 0;
};

// How detail rows are numbered: the 0-based line index itself (file details)
// or the index plus 1 (hosts, status codes, referrers).
enum class LineNumbering { Index, IndexPlusOne };

struct ExtractedLine {
    long long number = 0;  // as shown in the first column
    std::string text;      // the stored line, or empty when `missing`
    bool missing = false;  // the index was beyond the end of the log
};

struct LogExtraction {
    std::vector<ExtractedLine> lines;  // one per index of the IdList, in list order
    std::size_t beyondEnd = 0;         // indexes past the last line of the log
    std::size_t notNumbers = 0;        // IdList pieces that are not numbers (skipped)
    std::string error;                 // the log could not be read (file and reason)
};

// The lines named by an IdList ("-0-17-"), numbered as asked. Indexes beyond
// the end of the log give a row marked missing; pieces that are not numbers
// are skipped. Never throws for bad input.
LogExtraction ExtractLogLines(LogLineIndex& index, std::string_view idList,
                              LineNumbering numbering);

}  // namespace trafikon
