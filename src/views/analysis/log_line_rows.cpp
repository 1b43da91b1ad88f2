// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_line_rows.h"

#include <algorithm>
#include <utility>

#include "store/tagged_record.h"

namespace trafikon {

namespace {

// The difference stored at p (a zigzag varint); p moves past it.
long long NextStep(const std::uint8_t*& p) {
    std::uint64_t z = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t b = *p++;
        z |= static_cast<std::uint64_t>(b & 0x7f) << shift;
        if (b < 0x80)
            break;
    }
    return static_cast<long long>((z >> 1) ^ (~(z & 1) + 1));
}

}  // namespace

void CompactIdList::Append(long long n) {
    if (size_ % kPerMark == 0) {
        marks_.push_back({bytes_.size(), n});
    } else {
        const long long step = n - last_;  // both within 0..INT64_MAX: no overflow
        auto z = (static_cast<std::uint64_t>(step) << 1) ^ static_cast<std::uint64_t>(step >> 63);
        while (z >= 0x80) {
            bytes_.push_back(static_cast<std::uint8_t>(z | 0x80));
            z >>= 7;
        }
        bytes_.push_back(static_cast<std::uint8_t>(z));
    }
    last_ = n;
    max_ = std::max(max_, n);
    ++size_;
}

std::size_t CompactIdList::AppendIdList(std::string_view list) {
    return ForEachId(list, [this](long long n) { Append(n); });
}

void CompactIdList::Clear() {
    *this = CompactIdList();
}

void CompactIdList::ShrinkToFit() {
    bytes_.shrink_to_fit();
    marks_.shrink_to_fit();
}

long long CompactIdList::At(std::size_t i) const {
    const Mark& m = marks_[i / kPerMark];
    long long value = m.value;
    const std::uint8_t* p = bytes_.data() + m.byte;
    for (std::size_t k = i % kPerMark; k > 0; --k) {
        value += NextStep(p);
    }
    return value;
}

std::size_t CompactIdList::memoryBytes() const {
    return bytes_.capacity() + marks_.capacity() * sizeof(Mark);
}

std::size_t CompactIdList::CountFrom(long long limit) const {
    if (max_ < limit)
        return 0;
    // One pass in order: a marked entry has no bytes of its own, so the
    // differences of the others follow each other.
    std::size_t count = 0;
    const std::uint8_t* p = bytes_.data();
    long long value = 0;
    for (std::size_t i = 0; i < size_; ++i) {
        if (i % kPerMark == 0) {
            value = marks_[i / kPerMark].value;
        } else {
            value += NextStep(p);
        }
        count += value >= limit;
    }
    return count;
}

DetailIds ReadDetailIds(const MonthResults& month, std::string_view field) {
    DetailIds d;
    month.ReadIdList(
        field, [&d](std::string_view piece) { d.notNumbers += d.ids.AppendIdList(piece); },
        &d.error);
    return d;
}

void LogLineRows::Assign(CompactIdList ids, LineNumbering numbering, const LogLineIndex* index,
                         std::size_t rows) {
    ids_ = std::move(ids);
    rows_ = rows;
    if (rows_ <= ids_.size())
        ids_.ShrinkToFit();
    numbering_ = numbering;
    index_ = index;
    pages_.clear();
}

std::size_t LogLineRows::Append(std::string_view idListPiece) {
    pages_.clear();  // a page may lack rows that are now ready
    return ids_.AppendIdList(idListPiece);
}

long long LogLineRows::Number(std::size_t row) const {
    const long long n = ids_.At(row);
    return numbering_ == LineNumbering::Index ? n : n + 1;
}

LogLineRows::Page& LogLineRows::PageOf(std::size_t row) {
    const std::size_t first = row - row % kPageRows;
    ++clock_;
    for (Page& p : pages_)
        if (p.first == first) {
            p.used = clock_;
            return p;
        }
    Page* page = nullptr;
    if (pages_.size() < kPages) {
        page = &pages_.emplace_back();
    } else {
        page = &*std::min_element(pages_.begin(), pages_.end(),
                                  [](const Page& a, const Page& b) { return a.used < b.used; });
    }
    page->first = first;
    page->used = clock_;
    const std::size_t count = std::min(kPageRows, ids_.size() - first);
    page->texts.assign(count, std::string());
    page->missing.assign(count, true);
    for (std::size_t i = 0; i < count && index_; ++i)
        page->missing[i] = !index_->ReadLine(ids_.At(first + i), page->texts[i]);
    return *page;
}

const std::string* LogLineRows::Text(std::size_t row) {
    if (!Ready(row))
        return nullptr;
    Page& p = PageOf(row);
    const std::size_t i = row - p.first;
    return p.missing[i] ? nullptr : &p.texts[i];
}

ExtractedLine LogLineRows::Line(std::size_t row) {
    ExtractedLine line;
    if (!Ready(row))
        return line;
    line.number = Number(row);
    const std::string* text = Text(row);
    line.missing = !text;
    if (text)
        line.text = *text;
    return line;
}

std::size_t LogLineRows::BeyondEnd() const {
    if (!index_)
        return 0;
    return ids_.CountFrom(static_cast<long long>(index_->lineCount()));
}

}  // namespace trafikon
