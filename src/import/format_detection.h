// SPDX-License-Identifier: GPL-3.0-or-later
// The field format of a log file told by its own first lines, and whether a
// chosen format fits them.
//
// A W3C log names its fields in its "#Fields:" directive; each name maps to a
// code (date d, time H, cs-method M, cs-uri-stem I, cs-username u, c-ip h,
// cs(User-Agent) U, cs(Referer) R, sc-status s, sc-bytes b, any other N).
// Apache and nginx lines are known by their shape: common "h l u t r s b",
// combined "h l u t r s b R U" (trailing fields after them need no code) and
// either after a first field: "v ..." when that field reads as a virtual host
// (Apache "%v" or "%v:%p", nginx "$host" or "$server_name"), "N ..." when it
// does not. A file that shows none of these is not guessed at.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/log_format.h"

namespace trafikon {

// True for a "#Fields:" directive line.
bool IsW3cFieldsLine(std::string_view line);
// The codes of a "#Fields:" directive, one per field name; empty for any
// other line or a directive without fields.
FieldFormat W3cFieldsCodes(std::string_view line);

// The first lines of a file, as the detection reads them: the "#" and blank
// lines at its start and up to `dataLines` lines after them. Throws IoError.
std::vector<std::string> ReadFileHead(const std::string& path, std::size_t dataLines = 20);

// The format the lines show (the lines from the start of a file, its "#"
// lines included); empty when it is not recognised, or when the data lines do
// not fit the last "#Fields:" before them (FirstMisfitField).
FieldFormat DetectFormat(const std::vector<std::string>& head);
// ReadFileHead, then DetectFormat. Throws IoError.
FieldFormat DetectFileFormat(const std::string& path);

// The first field of `codes` (in format order) that does not fit most of the
// data lines of `head`: its value is missing, or a status that is not a
// number, a date or time that does not read, a byte count that is neither a
// number nor "-". '\0' when the format fits, or when there is no data line.
char FirstMisfitField(std::string_view codes, const std::vector<std::string>& head);

// The format written with one blank between codes ("h l u t r s b").
std::string SpacedCodes(std::string_view codes);

}  // namespace trafikon
