// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/generated_visitors.h"

namespace trafikon::batch::generator {

std::string PercentEncode(std::string_view text, Encoding encoding) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (encoding == Encoding::kLatin1Plus && (c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((c & 0x03) << 6) | (text[++i] & 0x3F));
        } else {
            bytes += static_cast<char>(c);
        }
    }
    const char* hex = encoding == Encoding::kUtf8Lower ? "0123456789abcdef" : "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~') {
            out += ch;
        } else if (c == ' ' && encoding != Encoding::kUtf8Percent20) {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace trafikon::batch::generator
