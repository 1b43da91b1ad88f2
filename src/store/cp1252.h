// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1252 character set of the store's text files.
#pragma once

#include <cstddef>

namespace trafikon {

// The most characters of one text from a log that a window or a report shows:
// longer texts are cut there and end in an ellipsis (the store keeps them
// whole). Laying out a multi-megabyte line freezes a window or a browser.
inline constexpr std::size_t kShownTextLimit = 4000;

// Unicode of a Windows-1252 byte. The five bytes of 0x80..0x9F that the set
// leaves undefined map to their Latin-1 control code, so nothing is lost.
constexpr char16_t Cp1252ToUnicode(unsigned char byte) {
    constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t(byte);
}

// The lower-case form of a Windows-1252 letter (A-Z, the accented capitals
// from 0xC0, Š, Œ, Ž and Ÿ); any other byte as it is.
constexpr unsigned char Cp1252ToLower(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<unsigned char>(byte + 0x20);
    if (byte == 0x8A || byte == 0x8C || byte == 0x8E)
        return static_cast<unsigned char>(byte + 0x10);
    return byte == 0x9F ? 0xFF : byte;
}

}  // namespace trafikon
