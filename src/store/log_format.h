// SPDX-License-Identifier: GPL-3.0-or-later
// Field formats of access-log lines: the one-letter field codes, the stored
// form of a format (format.log, format-K.tfd), the built-in defaults, the
// required-fields check, and the date texts taken from a split line. The
// splitting itself is LogLineSplitter (store/log_line_splitter.h).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trafikon {

// An ordered list of field codes, one letter per code ("hlutrsbRU").
using FieldFormat = std::string;

struct FieldCode {
    char code;
    int offset;  // language entry offset from the add-log section base
};
// The fifteen codes in their listing order: h l u t r I s b R U v d H M N.
inline constexpr std::array<FieldCode, 15> kFieldCodes = {{
    {'h', 12},
    {'l', 13},
    {'u', 14},
    {'t', 15},
    {'r', 16},
    {'I', 17},
    {'s', 18},
    {'b', 19},
    {'R', 20},
    {'U', 21},
    {'v', 22},
    {'d', 23},
    {'H', 24},
    {'M', 25},
    {'N', 26},
}};

bool IsFieldCode(char code);
// Offset of a code's text in the add-log section; 0 for a letter that is no code.
int FieldCodeOffset(char code);
// Code of a shown field: the second character of its text ("%h-..." gives 'h');
// '\0' for a text shorter than two characters.
char CodeOfFieldText(std::string_view text);

// --- Built-in defaults ---

struct DefaultFormat {
    std::string_view format;     // codes in format order
    std::string_view remaining;  // the remaining-fields list, in this order
};
inline constexpr DefaultFormat kApacheDefault = {"hlutrsbRU", "IvdHMN"};
inline constexpr DefaultFormat kIisDefault = {"dHhuNNMINsU", "ltrbRvN"};
inline constexpr DefaultFormat kEasyPhpDefault = {"hlutrsb", "IRUvdHMN"};

// The names of the unmet needs, in the order Ressource (neither r nor M),
// Retour HTTP (no s), Host (no h), joined by ", "; empty when the format is
// complete. The caller puts language entry 81 before a non-empty result.
std::string CheckRequiredFields(std::string_view format);

// The first code other than N that a format holds twice; '\0' when none. A
// format with one is refused: the second value would silently replace the first.
char RepeatedFieldCode(std::string_view format);

// --- Stored form: one code per line ---

// Reads a format file (format.log, format-K.tfd): the first character of each
// line; empty lines are skipped. Throws IoError when the file cannot be read.
FieldFormat ReadFormatFile(const std::string& path);
// Same, but a missing file gives an empty format.
FieldFormat ReadFormatFileIfExists(const std::string& path);
// Writes one line per code (CR LF), whole, through a temporary file. Throws IoError.
void WriteFormatFile(const std::string& path, std::string_view format);

// --- Dates of a split line ---

// The twelve English month abbreviations "Jan" .. "Dec".
const std::array<std::string_view, 12>& MonthNames();

// The month key of a line, year + "-" + month number ("2002-03"), from its
// completed values: with `datedByT` (the line had a t), from the start of d as
// completed from t, whose year is t's characters 9-12; otherwise from the
// line's own d, its characters 1-4 and 6-7. Characters are taken by position;
// a text too short yields what is there.
void AppendMonthKey(std::string& out, bool datedByT, std::string_view t, std::string_view d);

// From a t value: its characters 2-3 (day) and 13-21 (":hh:mm:ss"):
// "[24/Mar/2002:01:37:08 +0100]" gives "24:01:37:08".
void AppendDayTimeStamp(std::string& out, std::string_view t);

}  // namespace trafikon
