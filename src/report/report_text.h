// SPDX-License-Identifier: GPL-3.0-or-later
// Text conversions of the month report: store and language texts are
// Windows-1252 bytes; the report is UTF-8, HTML-escaped or CSV-quoted.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {
class LanguageTable;
}

namespace trafikon::report {

// Windows-1252 bytes to UTF-8 (the five bytes that code page leaves undefined
// become U+FFFD).
std::string Cp1252ToUtf8(std::string_view text);
// Appends the UTF-8 form of one Windows-1252 byte.
void AppendCp1252AsUtf8(std::string& out, unsigned char byte);

// Escapes & < > " ' for any HTML text or attribute value. Control characters
// other than tab become U+FFFD, so nothing from a log can break a page.
std::string HtmlEscape(std::string_view utf8);

// One CSV field (RFC 4180): quoted, with doubled quotes, when it holds a
// comma, a quote, CR or LF, or starts or ends with a space; as it is otherwise.
// A text that a spreadsheet would take for a formula (first character = + - @
// tab or CR, and not a plain number) gets a leading apostrophe.
std::string CsvField(std::string_view text);

// A language entry as a report label: UTF-8, without the blanks and colons
// that end it in the windows ("Hits : " gives "Hits").
std::string LabelText(const LanguageTable& texts, int entry);

}  // namespace trafikon::report
