// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/tagged_record.h"

#include <charconv>

namespace trafikon {

FieldTag::FieldTag(int i) {
    buf_[0] = '\\';
    auto [end, ec] = std::to_chars(buf_ + 1, buf_ + sizeof(buf_) - 1, i);
    (void)ec;
    *end = ';';
    size_ = static_cast<std::size_t>(end - buf_) + 1;
}

bool HasFieldTagFrom(std::string_view text, int first) {
    for (std::size_t i = text.find('\\'); i != std::string_view::npos; i = text.find('\\', i + 1)) {
        std::size_t j = i + 1;
        long long field = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9' && field < 1000)
            field = field * 10 + (text[j++] - '0');
        if (j > i + 1 && j < text.size() && text[j] == ';' && field >= first)
            return true;
    }
    return false;
}

std::string_view ReadField(std::string_view line, int i) {
    if (i < 1)
        return {};
    const FieldTag open(i);
    const std::size_t p = line.find(open.view());
    if (p == std::string_view::npos)
        return {};
    const std::size_t start = p + open.view().size();
    const FieldTag close(i + 1);
    const std::size_t q = line.find(close.view(), start);
    if (q == std::string_view::npos)
        return {};
    return line.substr(start, q - start);
}

void ReadFields(std::string_view line, int n, RecordValues& values) {
    if (n > kMaxRecordFields)
        n = kMaxRecordFields;
    for (int i = 0; i < kMaxRecordFields; ++i) {
        if (i < n)
            values[i].assign(ReadField(line, i + 1));
        else
            values[i].clear();
    }
}

RecordValues ReadFields(std::string_view line, int n) {
    RecordValues values;
    ReadFields(line, n, values);
    return values;
}

void AppendFieldTag(std::string& out, int i) {
    out += FieldTag(i).view();
}

void AppendDecimal(std::string& out, long long n) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), n);
    (void)ec;
    out.append(buf, end);
}

void AppendRecord(std::string& out, std::span<const std::string_view> values) {
    int i = 1;
    for (std::string_view v : values) {
        AppendFieldTag(out, i++);
        out += v;
    }
    AppendFieldTag(out, i);
}

void AppendRecord(std::string& out, std::initializer_list<std::string_view> values) {
    AppendRecord(out, std::span<const std::string_view>(values.begin(), values.size()));
}

std::optional<long long> ParseStoredInteger(std::string_view text) {
    long long value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc() || ptr != last)
        return std::nullopt;
    return value;
}

long long ParseInteger(std::string_view text) {
    return ParseStoredInteger(text).value_or(0);
}

std::optional<long long> ParseSignedDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    return ParseStoredInteger(text);
}

std::vector<long long> ParseIdList(std::string_view list, std::size_t* badPieces) {
    std::vector<long long> out;
    const std::size_t bad = ForEachId(list, [&](long long n) { out.push_back(n); });
    if (badPieces)
        *badPieces = bad;
    return out;
}

std::size_t IdListSize(std::string_view list) {
    std::size_t count = 0;
    ForEachId(list, [&](long long) { ++count; });
    return count;
}

}  // namespace trafikon
