// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/whole_line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "store/result_records.h"
#include "store/tagged_record.h"

namespace trafikon {

namespace {

constexpr std::size_t kReadAhead = std::size_t(1) << 16;

}  // namespace

WholeLineReader::WholeLineReader(const MonthResults& month, const LineTable& table)
    : month_(month), table_(table), tails_(month.TailsOf(table)) {}

std::string_view WholeLineReader::Line(std::size_t i) {
    const std::string_view kept = table_[i];
    const std::uint32_t length = tails_ ? tails_->length(i) : 0;
    if (length == 0)
        return kept;
    const std::optional<ListReference> list = ParseReference(ReadField(kept, kIdListField));
    const int fd = month_.idListFiles[static_cast<std::size_t>(tails_->file())];
    if (!list || list->file != tails_->file() || fd < 0 || kept.rfind('\\') == kept.npos)
        return kept;
    const std::uint64_t at = list->offset + list->length;
    std::string_view tail;
    if (!Read(fd, at, length, tail))
        return kept;
    line_.assign(kept.substr(0, kept.rfind('\\')));  // the end starts with the last tag kept
    AppendTailLeavingLists(line_, tail, at, tails_->file(), tails_->lists());
    return line_;
}

bool WholeLineReader::Read(int fd, std::uint64_t at, std::size_t length, std::string_view& bytes) {
    const bool inAhead = at >= aheadAt_ && at - aheadAt_ + length <= ahead_.size();
    if (!inAhead) {
        // In file order the next ends follow: read a block. Otherwise only this end.
        const std::size_t want = at >= lastEnd_ ? std::max(length, kReadAhead) : length;
        ahead_.resize(want);
        aheadAt_ = at;
        std::size_t got = 0;
        while (got < length) {
            const ssize_t r =
                ::pread(fd, ahead_.data() + got, want - got, static_cast<off_t>(at + got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0) {
                error_ = month_.resultPath(tails_->file()) + ": " +
                         (r < 0 ? std::strerror(errno) : "shorter than when it was loaded");
                ahead_.clear();
                return false;
            }
            got += static_cast<std::size_t>(r);
        }
        ahead_.resize(got);
    }
    lastEnd_ = at + length;
    bytes = std::string_view(ahead_).substr(static_cast<std::size_t>(at - aheadAt_), length);
    return true;
}

}  // namespace trafikon
