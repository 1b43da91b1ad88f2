// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the query part of a referrer into the text that keys a query record:
// each parameter between double quotes, parameters separated by two blanks,
// percent escapes and "+" decoded, and UTF-8 converted to Windows-1252 when the
// referrer declares it.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {

class QueryDecoder {
  public:
    QueryDecoder();
    ~QueryDecoder();
    QueryDecoder(const QueryDecoder&) = delete;
    QueryDecoder& operator=(const QueryDecoder&) = delete;

    // Decodes `rawQuery` (the referrer's text after its first "?") into `out`.
    // Decoded CR and LF become blanks: a record is one line of its file.
    void DecodeQuery(std::string_view rawQuery, std::string_view referrer, std::string& out);

    // Converts UTF-8 to Windows-1252 into `out`: each maximal ill-formed
    // subsequence of bytes becomes one "?", and so does each character that
    // has no Windows-1252 byte.
    void Utf8ToCp1252(std::string_view in, std::string& out);

  private:
    void* iconv_;  // iconv_t, or (iconv_t)-1 when the system has no such conversion
    std::string work_;
    std::string converted_;
};

// Value of two hexadecimal characters as the query decoding reads them: upper
// case, a final "H" dropped, any other character than 0-9 and A-F gives 0.
int ReadHexPair(char a, char b);

}  // namespace trafikon
