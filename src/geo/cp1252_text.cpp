// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/cp1252_text.h"

#include "store/cp1252.h"

namespace trafikon {

std::string Utf8ToCp1252Text(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        int len = b < 0x80             ? 1
                  : (b & 0xE0) == 0xC0 ? 2
                  : (b & 0xF0) == 0xE0 ? 3
                  : (b & 0xF8) == 0xF0 ? 4
                                       : 0;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                len = 0;
                break;
            }
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        if (len == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(len);
        if (c < 0x20 || c == 0x7F) {
            out.push_back(' ');
        } else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
        } else {
            char byte = '?';
            for (unsigned k = 0x80; k <= 0x9F; ++k)
                if (Cp1252ToUnicode(static_cast<unsigned char>(k)) == c && c > 0xFF)
                    byte = static_cast<char>(k);
            out.push_back(byte);
        }
    }
    return out;
}

}  // namespace trafikon
