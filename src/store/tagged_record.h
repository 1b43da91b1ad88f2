// SPDX-License-Identifier: GPL-3.0-or-later
// The line encodings of the store's result files: the tagged record and the
// dash-separated id list.
//
// A tagged record of N fields is written as, for i = 1..N, the tag "\i;"
// followed by the value of field i, and after the last value the closing tag
// "\N+1;". Values are not escaped: a value must not hold a tag.
//
// An id list is "-" followed by decimal numbers each followed by "-":
// "-" is empty, "-12-40-" holds 12 and 40.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// Largest field count that ReadFields returns.
inline constexpr int kMaxRecordFields = 15;

// Values of fields 1..n: values[i - 1] holds field i.
using RecordValues = std::array<std::string, kMaxRecordFields>;

// Value of field i (i >= 1): the text after the first "\i;" up to the first
// following "\i+1;". Empty when either tag is missing or i < 1. The view points
// into `line`. "\1;" never matches inside "\11;" and the like.
std::string_view ReadField(std::string_view line, int i);

// Fields 1..n (n clamped to 0..15) into values[0..n-1]; the rest stay empty.
RecordValues ReadFields(std::string_view line, int n);
// Same, reusing the strings of `values` (no allocation once they are large enough).
void ReadFields(std::string_view line, int n, RecordValues& values);

// Appends the record of `values` (field 1 first) with its closing tag to `out`.
void AppendRecord(std::string& out, std::span<const std::string_view> values);
void AppendRecord(std::string& out, std::initializer_list<std::string_view> values);

// The tag "\i;" as text, for readers and writers that look for it themselves.
class FieldTag {
  public:
    explicit FieldTag(int i);
    std::string_view view() const { return {buf_, size_}; }

  private:
    char buf_[16];
    std::size_t size_;
};

// True when `text` holds a tag "\i;" with i >= first (i read up to 999 at
// most): a value cut from a line that holds such a tag may hide a field.
bool HasFieldTagFrom(std::string_view text, int first);

// Pieces for writers that build a record field by field: the tag "\i;" and a
// decimal number.
void AppendFieldTag(std::string& out, int i);
void AppendDecimal(std::string& out, long long n);

// Reads a decimal integer as the store writes it: an optional "-" and digits,
// nothing else, within 64 bits; nullopt for any other text (empty, blanks,
// letters, "+5", a number too large).
std::optional<long long> ParseStoredInteger(std::string_view text);
// The same, reading 0 for any other text: the engine's rule, also for its own
// result files.
long long ParseInteger(std::string_view text);

// A number of a result file as the windows read it: an optional "+" or "-",
// then one or more digits, within 64 bits; nullopt for anything else (the
// caller shows a fallback).
std::optional<long long> ParseSignedDecimal(std::string_view text);

// --- Id lists ---

inline constexpr std::string_view kEmptyIdList = "-";

// Calls f(n) for every entry of a list in order. Pieces between dashes are
// entries when they are plain decimal digits within 64 bits; empty pieces are
// skipped, and any other piece is skipped and counted. Returns that count.
template <class F>
std::size_t ForEachId(std::string_view list, F&& f) {
    std::size_t bad = 0;
    std::size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && list[i] == '-')
            ++i;
        const std::size_t start = i;
        long long value = 0;
        bool ok = true;
        while (i < list.size() && list[i] != '-') {
            const char c = list[i];
            if (c < '0' || c > '9' || value > (INT64_MAX - 9) / 10)
                ok = false;
            else
                value = value * 10 + (c - '0');
            ++i;
        }
        if (i == start)
            continue;
        if (ok)
            f(value);
        else
            ++bad;
    }
    return bad;
}
// The entries of the list in order; the skipped pieces are counted in
// *badPieces when given.
std::vector<long long> ParseIdList(std::string_view list, std::size_t* badPieces = nullptr);
// Number of entries.
std::size_t IdListSize(std::string_view list);

}  // namespace trafikon
