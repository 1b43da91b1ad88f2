// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/query_decoder.h"

#include <iconv.h>

namespace trafikon {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Length of the well-formed UTF-8 character at the start of `s`, or the
// negated length of its maximal ill-formed subpart (at least 1 byte).
int Utf8Sequence(const unsigned char* s, std::size_t n) {
    const unsigned char c = s[0];
    if (c < 0x80)
        return 1;
    int need;
    unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        need = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 2;
        if (c == 0xE0)
            lo = 0xA0;
        else if (c == 0xED)
            hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 3;
        if (c == 0xF0)
            lo = 0x90;
        else if (c == 0xF4)
            hi = 0x8F;
    } else {
        return -1;
    }
    std::size_t i = 1;
    for (int k = 0; k < need; ++k, ++i) {
        if (i >= n)
            return -static_cast<int>(i);
        const unsigned char b = s[i];
        const bool ok = (k == 0) ? (b >= lo && b <= hi) : (b >= 0x80 && b <= 0xBF);
        if (!ok)
            return -static_cast<int>(i);
    }
    return static_cast<int>(i);
}

}  // namespace

int ReadHexPair(char a, char b) {
    char digits[2] = {Upper(a), Upper(b)};
    const int count = digits[1] == 'H' ? 1 : 2;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const int d = HexDigit(digits[i]);
        if (d < 0)
            return 0;
        value = value * 16 + d;
    }
    return value;
}

QueryDecoder::QueryDecoder()
    : iconv_(reinterpret_cast<void*>(::iconv_open("WINDOWS-1252", "UTF-8"))) {}

QueryDecoder::~QueryDecoder() {
    if (reinterpret_cast<iconv_t>(iconv_) != reinterpret_cast<iconv_t>(-1))
        ::iconv_close(reinterpret_cast<iconv_t>(iconv_));
}

void QueryDecoder::DecodeQuery(std::string_view rawQuery, std::string_view referrer,
                               std::string& out) {
    // Parameters between quotes: every "&" becomes quote, two blanks, quote.
    work_.clear();
    work_.push_back('"');
    for (char c : rawQuery) {
        if (c == '&')
            work_.append("\"  \"");
        else
            work_.push_back(c);
    }
    work_.push_back('"');

    // Percent and "+" decoding while three characters remain; the last two
    // characters (the closing quote and the one before it) are copied as they are.
    out.clear();
    const std::size_t n = work_.size();
    std::size_t i = 0;
    while (n - i >= 3) {
        const char c = work_[i];
        if (c == '%') {
            out.push_back(static_cast<char>(ReadHexPair(work_[i + 1], work_[i + 2])));
            i += 3;
        } else {
            out.push_back(c == '+' ? ' ' : c);
            ++i;
        }
    }
    out.append(work_, i, std::string::npos);

    if (referrer.size() > 1 && (referrer.find("utf-8", 1) != std::string_view::npos ||
                                referrer.find("UTF-8", 1) != std::string_view::npos)) {
        Utf8ToCp1252(out, converted_);
        out.swap(converted_);
    }
    // A decoded line break would split the query's record over two lines of
    // its file and shift every record after it: it becomes a blank.
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
}

void QueryDecoder::Utf8ToCp1252(std::string_view in, std::string& out) {
    out.clear();
    const auto* s = reinterpret_cast<const unsigned char*>(in.data());
    const std::size_t n = in.size();
    const auto cd = reinterpret_cast<iconv_t>(iconv_);
    std::size_t i = 0;
    while (i < n) {
        const int len = Utf8Sequence(s + i, n - i);
        if (len < 0) {
            out.push_back('?');
            i += static_cast<std::size_t>(-len);
            continue;
        }
        if (len == 1) {
            out.push_back(static_cast<char>(s[i]));
            ++i;
            continue;
        }
        // U+0080 to U+009F have no Windows-1252 byte (that range holds other characters).
        const bool c1Control = len == 2 && s[i] == 0xC2 && s[i + 1] < 0xA0;
        char byte = '?';
        if (!c1Control && cd != reinterpret_cast<iconv_t>(-1)) {
            char inBuf[4];
            for (int k = 0; k < len; ++k)
                inBuf[k] = static_cast<char>(s[i + k]);
            char outBuf[8];
            char* inPtr = inBuf;
            char* outPtr = outBuf;
            std::size_t inLeft = static_cast<std::size_t>(len), outLeft = sizeof outBuf;
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                inLeft == 0 && outPtr - outBuf == 1)
                byte = outBuf[0];
        }
        out.push_back(byte);
        i += static_cast<std::size_t>(len);
    }
}

}  // namespace trafikon
