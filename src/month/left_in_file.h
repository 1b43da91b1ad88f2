// SPDX-License-Identifier: GPL-3.0-or-later
// What the load of a month leaves in its result files instead of holding it.
//
// A list left in a file is replaced in the loaded line by a reference
// "@F:OFFSET:LENGTH[:ENTRIES]": F the ResultFile, where the list's bytes lie,
// and, for a plain list of log lines, how many entries it holds.
//
// The end of a record line (every field after its list of log lines) may be
// left as well: a month's million host records are mostly their ends, while
// the lists and tables need only the key, the hits and the log-line list. The
// loaded line then stops after the reference and the tag that closes it, and
// RecordTails notes how long the end is: it starts in the file right after
// the referenced list, with that tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/data_store.h"

namespace trafikon {

struct ListReference {
    int file = -1;  // a ResultFile
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::optional<std::size_t> entries;
};

void AppendReference(std::string& out, ResultFile file, std::uint64_t offset, std::uint64_t length);
// The reference `field` holds, or nullopt when it holds a list.
std::optional<ListReference> ParseReference(std::string_view field);

// Appends `tail`, the part of a line after its log-line list (starting at
// `at` in `file`), with the values of the id-list fields `lists.first` to
// `lists.second` that only a detail reads replaced by references. Values are
// left only when the tail's backslashes are all tags numbered one after the
// other, so that every field still reads as before.
void AppendTailLeavingLists(std::string& out, std::string_view tail, std::uint64_t at,
                            ResultFile file, std::pair<int, int> lists);

// The ends of the lines of one loaded table that stay in its file, by line.
class RecordTails {
  public:
    // For a table of `file` whose detail lists `lists` are read by references.
    void Reset(ResultFile file, std::pair<int, int> lists);
    void Clear() { lengths_ = {}; }

    // The next line of the table: `length` bytes of its end stay in the file
    // (0 when the loaded line is whole).
    void Add(std::uint32_t length) { lengths_.push_back(length); }
    void ShrinkToFit() { lengths_.shrink_to_fit(); }

    bool empty() const { return lengths_.empty(); }
    std::uint32_t length(std::size_t line) const {
        return line < lengths_.size() ? lengths_[line] : 0;
    }
    ResultFile file() const { return file_; }
    std::pair<int, int> lists() const { return lists_; }
    std::size_t memoryBytes() const { return lengths_.capacity() * sizeof(std::uint32_t); }

  private:
    ResultFile file_ = kHostsResult;
    std::pair<int, int> lists_{0, 0};
    std::vector<std::uint32_t> lengths_;
};

}  // namespace trafikon
