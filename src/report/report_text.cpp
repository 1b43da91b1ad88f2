// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_text.h"

#include <cstdint>

#include "text/language_table.h"

namespace trafikon::report {

namespace {

// Code points of bytes 0x80-0x9F in Windows-1252; 0 where none is defined.
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

void AppendCp1252AsUtf8(std::string& out, unsigned char b) {
    if (b < 0x80)
        out += static_cast<char>(b);
    else if (b < 0xA0)
        AppendUtf8(out, kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD);
    else
        AppendUtf8(out, b);
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        AppendCp1252AsUtf8(out, static_cast<unsigned char>(ch));
    return out;
}

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
    return out;
}

namespace {

// A number as a spreadsheet reads it: sign, digits, one point at most.
bool IsPlainNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

}  // namespace

std::string CsvField(std::string_view text) {
    // A spreadsheet evaluates a cell that starts like a formula: from a log,
    // "=HYPERLINK(...)" would leak other cells and "cmd|..." start a program.
    // A leading apostrophe keeps it text.
    std::string neutral;
    if (!text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
        !IsPlainNumber(text)) {
        neutral = "'" + std::string(text);
        text = neutral;
    }
    const std::string_view utf8 = text;
    const bool quote = utf8.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
    if (!quote)
        return std::string(utf8);
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string LabelText(const LanguageTable& texts, int entry) {
    std::string_view s = texts.Text(entry);
    while (!s.empty() && (s.back() == ' ' || s.back() == ':'))
        s.remove_suffix(1);
    return Cp1252ToUtf8(s);
}

}  // namespace trafikon::report
