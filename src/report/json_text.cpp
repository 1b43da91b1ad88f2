// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/json_text.h"

#include <charconv>

#include "report/report_text.h"

namespace trafikon::report {

void AppendJsonString(std::string& out, std::string_view cp1252) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0;  // start of the run of bytes that need no work
    auto flush = [&](std::size_t end) { out.append(cp1252.data() + plain, end - plain); };
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp1252[i]);
        if (b >= 0x20 && b < 0x80 && b != '"' && b != '\\')
            continue;
        flush(i);
        plain = i + 1;
        if (b >= 0x80) {
            AppendCp1252AsUtf8(out, b);
        } else if (b == '"' || b == '\\') {
            out += '\\';
            out += static_cast<char>(b);
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += "\\t";
        } else {
            out += "\\u00";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    flush(cp1252.size());
    out += '"';
}

void AppendJsonNumber(std::string& out, std::int64_t value) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    out.append(buf, end);
}

}  // namespace trafikon::report
