// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/left_in_file.h"

#include <algorithm>
#include <charconv>

#include "store/tagged_record.h"

namespace trafikon {

namespace {

// Lists no shorter than this are left in the file by a reference.
constexpr std::size_t kShortestLeftList = 32;

}  // namespace

void AppendReference(std::string& out, ResultFile file, std::uint64_t offset,
                     std::uint64_t length) {
    out += '@';
    AppendDecimal(out, file);
    out += ':';
    AppendDecimal(out, static_cast<long long>(offset));
    out += ':';
    AppendDecimal(out, static_cast<long long>(length));
}

std::optional<ListReference> ParseReference(std::string_view field) {
    long long numbers[4] = {-1, -1, -1, -1};
    const char* p = field.data();
    const char* const end = p + field.size();
    bool reference = !field.empty() && *p == '@';
    for (int i = 0; reference && i < 4 && p != end; ++i) {
        ++p;  // past '@' or ':'
        auto [next, ec] = std::from_chars(p, end, numbers[i]);
        reference = ec == std::errc() && numbers[i] >= 0 && (next == end || *next == ':');
        p = next;
    }
    if (!reference || p != end || numbers[2] < 0 || numbers[0] >= kResultFileCount)
        return std::nullopt;
    ListReference r;
    r.file = static_cast<int>(numbers[0]);
    r.offset = static_cast<std::uint64_t>(numbers[1]);
    r.length = static_cast<std::uint64_t>(numbers[2]);
    if (numbers[3] >= 0)
        r.entries = static_cast<std::size_t>(numbers[3]);
    return r;
}

void AppendTailLeavingLists(std::string& out, std::string_view tail, std::uint64_t at,
                            ResultFile file, std::pair<int, int> lists) {
    constexpr std::size_t kMostTags = 16;  // a tail holds a handful
    std::size_t where[kMostTags];
    std::size_t count = 0;
    int first = 0;  // number of the first tag
    for (std::size_t p = tail.find('\\'); p != std::string_view::npos; p = tail.find('\\', p + 1)) {
        int number = 0;
        std::size_t q = p + 1;
        for (; q < tail.size() && q - p <= 3 && tail[q] >= '0' && tail[q] <= '9'; ++q)
            number = number * 10 + (tail[q] - '0');
        if (count == kMostTags || q == p + 1 || tail[p + 1] == '0' || q == tail.size() ||
            tail[q] != ';' || (count > 0 && number != first + static_cast<int>(count))) {
            out += tail;
            return;
        }
        if (count == 0)
            first = number;
        where[count++] = p;
    }
    std::size_t done = 0;
    for (int f = std::max(lists.first, first); f <= lists.second; ++f) {
        const std::size_t k = static_cast<std::size_t>(f - first);
        if (k + 1 >= count)
            break;
        const std::size_t from = tail.find(';', where[k]) + 1;
        const std::size_t length = where[k + 1] - from;
        if (length < kShortestLeftList)
            continue;
        out.append(tail.substr(done, from - done));
        AppendReference(out, file, at + from, length);
        done = where[k + 1];
    }
    out.append(tail.substr(done));
}

void RecordTails::Reset(ResultFile file, std::pair<int, int> lists) {
    file_ = file;
    lists_ = lists;
    lengths_.clear();
}

}  // namespace trafikon
