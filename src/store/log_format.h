// Field formats of access-log lines: the one-letter field codes, the stored
// form of a format, the built-in defaults, the required-fields check, and the
// splitting of one line into its fields with the completion of its date.
//
// Splitting allocates nothing once the buffers of LogFields have grown to the
// size of the longest values: fields are cut as views of a reused copy of the
// line and assigned into reused strings.
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
// Absolute language entry of a code's text (add-log base + offset).
int FieldTextEntry(char code);
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

// --- Stored form: one code per line ---

// Reads a format file (format.log, format-K.tfd): the first character of each
// line; empty lines are skipped. Throws IoError when the file cannot be read.
FieldFormat ReadFormatFile(const std::string& path);
// Same, but a missing file gives an empty format.
FieldFormat ReadFormatFileIfExists(const std::string& path);
// Writes one line per code (CR LF), whole, through a temporary file. Throws IoError.
void WriteFormatFile(const std::string& path, std::string_view format);

// --- Splitting a line ---

// The date of a line by parts, as found (by position, without checks).
struct DateParts {
    std::string year;         // 4 characters
    std::string monthName;    // "Mar"
    std::string monthNumber;  // "03"
    std::string day;          // 2 characters
    std::string hour;
    std::string minute;
    std::string second;
};

// The twelve English month abbreviations "Jan" .. "Dec".
const std::array<std::string_view, 12>& MonthNames();

// The values of one line, one reusable text per code letter (any byte may
// index it). All empty when created; a run of lines reuses one LogFields, so a
// value that the current line does not set keeps what the previous line left
// (SplitLine empties only t and r before each line).
class LogFields {
  public:
    std::string& operator[](char code) { return values_[static_cast<unsigned char>(code)]; }
    const std::string& operator[](char code) const {
        return values_[static_cast<unsigned char>(code)];
    }
    void Clear();

  private:
    friend void SplitLine(std::string_view line, std::string_view format, LogFields& fields,
                          DateParts& parts);
    std::array<std::string, 256> values_;
    std::string line_;  // work copy of the line with its appended blank
};

// Takes the next field off the front of `line` (which ends with the blank
// appended before the first field) into `value`, a view into the line:
// 1. a '"' starts a quoted value that ends at the first "\" " (quotes dropped);
// 2. a '[' starts a value that ends with the first "] " (brackets kept);
// 3. otherwise the value runs to the first blank;
// the line then loses the value and its end. When the end is not found the
// value is empty and the line loses one character; an empty line stays empty.
// 4. For the code 'r' only, the rest of a request that held '"' + blank is then
//    skipped: while the line does not begin with '-' or a digit, it loses
//    everything through the next '"' and one more character (one character
//    when it holds no '"').
void ExtractField(std::string_view& line, std::string_view& value, char code);

// Completes the date of a line. When `t` is not empty ("[24/Mar/2002:01:37:08
// +0100]") sets d (2002-03-24) and H (01:37:08) from it; a month name not in
// MonthNames (exact case) gives the month number "00". Otherwise builds t from
// d (YYYY-MM-DD) and H (hh:mm:ss) with the zone " +0200"; a month number other
// than 01..12 gives an empty month name. Characters are taken by position; a
// text too short yields what is there (possibly empty).
void NormaliseDates(LogFields& fields, DateParts& parts);

// Splits one line by `format`: empties t and r, appends one blank, takes each
// code's field in format order into fields[code] (an 'N' overwrites the
// previous 'N'), then completes the date into `parts`. Missing fields of a
// short line are empty.
void SplitLine(std::string_view line, std::string_view format, LogFields& fields, DateParts& parts);

// year + "-" + month number ("2002-03").
std::string MonthKey(const DateParts& parts);
void AppendMonthKey(std::string& out, const DateParts& parts);

// From a t value: its characters 2-3 (day) and 13-21 (":hh:mm:ss"):
// "[24/Mar/2002:01:37:08 +0100]" gives "24:01:37:08".
std::string DayTimeStamp(std::string_view t);
void AppendDayTimeStamp(std::string& out, std::string_view t);

}  // namespace trafikon
