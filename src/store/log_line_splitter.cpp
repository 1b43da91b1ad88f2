// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/log_line_splitter.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// `count` characters of `s` from the 1-based position `pos`, clipped to the text.
std::string_view Part(std::string_view s, std::size_t pos, std::size_t count) {
    if (pos == 0 || pos > s.size())
        return {};
    return s.substr(pos - 1, count);
}

// A line and the blank appended to it: text[0, n), where the blank at n - 1
// is in memory only when `real` is n (a copy of the line made for it), or
// stands for the byte past the line's `real` = n - 1 bytes (the line as it lies).
struct LineText {
    const char* s;
    std::size_t n;
    std::size_t real;

    char At(std::size_t i) const { return i < real ? s[i] : ' '; }
    // Index of the first `c` at or after `from` (< n), or n. Fields are
    // short: sixteen bytes are compared at once, inline, where a library
    // search would cost more to start than to run.
    std::size_t Find(std::size_t from, char c) const {
        std::size_t i = from;
#if defined(__SSE2__)
        const __m128i wanted = _mm_set1_epi8(c);
        for (; i + 16 <= real; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted));
            if (found != 0)
                return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)));
        }
#endif
        for (; i < real; ++i)
            if (s[i] == c)
                return i;
        return c == ' ' && real < n ? n - 1 : n;
    }
    // Index of the first `a` followed by `b` at or after `from`, or n.
    std::size_t FindPair(std::size_t from, char a, char b) const {
        while (from < n) {
            const std::size_t at = Find(from, a);
            if (at >= n)
                return n;
            if (at + 1 < n && At(at + 1) == b)
                return at;
            from = at + 1;
        }
        return n;
    }
};

char* Put(char* p, std::string_view text) {
    if (!text.empty())
        std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// Position (1-12) of a month name in MonthNames, exact case; 0 for any other text.
int MonthNumber(std::string_view name) {
    if (name.size() != 3)
        return 0;
    const auto& names = MonthNames();
    for (int m = 0; m < 12; ++m)
        if (name[0] == names[m][0] && name[1] == names[m][1] && name[2] == names[m][2])
            return m + 1;
    return 0;
}

// Takes the field at `pos` of the line (pos < n) by the splitting rules and
// moves `pos` past it.
// Inlined, so that Split keeps one loop without a call per field.
[[gnu::always_inline]] inline std::string_view NextField(const LineText& t, std::size_t& pos,
                                                         char code) {
    std::string_view value;
    const std::size_t n = t.n;
    const char first = t.At(pos);
    if (first == '"') {
        // Up to the first quote followed by a blank; the opening quote counts.
        const std::size_t q = t.FindPair(pos, '"', ' ');
        if (q < n) {
            if (q > pos)
                value = std::string_view(t.s + pos + 1, q - pos - 1);
            pos = q + 2;
        } else {
            pos += 1;
        }
    } else if (first == '[') {
        const std::size_t q = t.FindPair(pos, ']', ' ');
        if (q < n) {
            value = std::string_view(t.s + pos, q - pos + 1);
            pos = q + 2;
        } else {
            pos += 1;
        }
    } else {
        const std::size_t q = t.Find(pos, ' ');
        if (q < n) {
            value = std::string_view(t.s + pos, q - pos);
            pos = q + 1;
        } else {
            pos += 1;
        }
    }
    if (code == 'r') {
        // Skips the rest of a request that held a quote followed by a blank,
        // so that the next field (normally the status) is reached.
        while (pos < n && t.At(pos) != '-' && !IsDigit(t.At(pos))) {
            const std::size_t q = t.Find(pos, '"');
            if (q < n)
                pos = std::min(n, q + 2);
            else
                pos += 1;
        }
    }
    return value;
}

}  // namespace

LogLineSplitter::LogLineSplitter(FieldFormat format) : format_(std::move(format)) {}

std::string_view LogLineSplitter::TakeField(std::string_view text, std::size_t& pos, char code) {
    if (pos >= text.size())
        return {};
    return NextField(LineText{text.data(), text.size(), text.size()}, pos, code);
}

bool LogLineSplitter::Split(std::string_view line) {
    line_.assign(line);
    line_.push_back(' ');
    return SplitText(line_.data(), line_.size(), line_.size());
}

bool LogLineSplitter::SplitInPlace(std::string_view line) {
    return SplitText(line.data(), line.size() + 1, line.size());
}

bool LogLineSplitter::SplitText(const char* s, std::size_t n, std::size_t real) {
    values_['t'] = {};
    values_['r'] = {};
    const LineText text{s, n, real};
    std::size_t pos = 0;
    for (const char& code : format_) {
        if (pos >= n)
            return EmptyFrom(&code - format_.data());
        values_[static_cast<unsigned char>(code)] = NextField(text, pos, code);
    }
    return true;
}

bool LogLineSplitter::EmptyFrom(std::size_t index) {
    for (std::size_t i = index; i < format_.size(); ++i)
        values_[static_cast<unsigned char>(format_[i])] = {};
    return false;
}

void LogLineSplitter::Complete() {
    CompleteDate();
    CompleteRequest();
}

void LogLineSplitter::CompleteDate() {
    const std::string_view t = values_['t'];
    if (t.size() >= 21) {
        // The usual timestamp, long enough for every part: taken straight.
        // Its date is that of the line before when its first twelve
        // characters are, as they mostly are.
        const char* s = t.data();
        if (!dateFromPrefix_ || std::memcmp(s, datePrefix_, sizeof datePrefix_) != 0) {
            const int number = MonthNumber(t.substr(4, 3));
            date_[0] = s[8], date_[1] = s[9], date_[2] = s[10], date_[3] = s[11];
            date_[4] = '-';
            date_[5] = static_cast<char>('0' + number / 10);
            date_[6] = static_cast<char>('0' + number % 10);
            date_[7] = '-';
            date_[8] = s[1], date_[9] = s[2];
            std::memcpy(datePrefix_, s, sizeof datePrefix_);
            dateFromPrefix_ = true;
        }
        values_['d'] = std::string_view(date_, 10);
        hour_[0] = s[13], hour_[1] = s[14], hour_[2] = ':';
        hour_[3] = s[16], hour_[4] = s[17], hour_[5] = ':';
        hour_[6] = s[19], hour_[7] = s[20];
        values_['H'] = std::string_view(hour_, 8);
    } else if (!t.empty()) {
        // Apache timestamp "[24/Mar/2002:01:37:08 +0100]": d and H from it.
        dateFromPrefix_ = false;
        const int number = MonthNumber(Part(t, 5, 3));
        char* p = date_;
        p = Put(p, Part(t, 9, 4));
        *p++ = '-';
        *p++ = static_cast<char>('0' + number / 10);
        *p++ = static_cast<char>('0' + number % 10);
        *p++ = '-';
        p = Put(p, Part(t, 2, 2));
        values_['d'] = std::string_view(date_, static_cast<std::size_t>(p - date_));
        p = hour_;
        p = Put(p, Part(t, 14, 2));
        *p++ = ':';
        p = Put(p, Part(t, 17, 2));
        *p++ = ':';
        p = Put(p, Part(t, 20, 2));
        values_['H'] = std::string_view(hour_, static_cast<std::size_t>(p - hour_));
    } else {
        // IIS date and time: the timestamp is made from them, zone " +0200".
        const std::string_view d = values_['d'], h = values_['H'];
        const std::string_view month = Part(d, 6, 2);
        int number = 0;
        bool numeric = !month.empty();
        for (char c : month) {
            if (!IsDigit(c)) {
                numeric = false;
                break;
            }
            number = number * 10 + (c - '0');
        }
        char* p = time_;
        *p++ = '[';
        p = Put(p, Part(d, 9, 2));
        *p++ = '/';
        if (numeric && number >= 1 && number <= 12)
            p = Put(p, MonthNames()[number - 1]);
        *p++ = '/';
        p = Put(p, Part(d, 1, 4));
        *p++ = ':';
        p = Put(p, Part(h, 1, 2));
        *p++ = ':';
        p = Put(p, Part(h, 4, 2));
        *p++ = ':';
        p = Put(p, Part(h, 7, 2));
        p = Put(p, " +0200]");
        values_['t'] = std::string_view(time_, static_cast<std::size_t>(p - time_));
    }
}

void LogLineSplitter::CompleteRequest() {
    if (values_['r'].empty()) {
        request_.assign(values_['M']);
        request_.push_back(' ');
        request_.append(values_['I']);
        request_.append(" HTTP/1.1");
        values_['r'] = request_;
    }
}

}  // namespace trafikon
