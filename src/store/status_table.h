// SPDX-License-Identifier: GPL-3.0-or-later
// HTTP status codes of the status file: the 57 counter slots of the engine and
// the 49 lines of ret-<key>.tfd, each "code;hits;line ids;file positions"
// (e.g. "404;2;-17-90-;-5-").
#pragma once

#include <array>
#include <string_view>

namespace trafikon {

// Counter slots: 100-102, 200-207, 300-307, 400-426, 500-510.
inline constexpr int kStatusSlotCount = 57;
// Lines of the status file.
inline constexpr int kStatusLineCount = 49;

// The 49 written codes in file order: 100-102, 200-207, 300-305, 307,
// 400-417, 422-424, 426, 500-507, 510.
const std::array<int, kStatusLineCount>& StatusFileCodes();

// Slot (0..56) of a code, found by its class (below 200, 300, 400, 500 and
// above, else class 4) and its difference to the class's hundred; -1 when the
// code has no slot (below 100, or past the end of its class).
int StatusSlot(int code);
// Slot of a status as logged: a text of decimal digits only (at most 9);
// anything else has no slot (-1).
int StatusSlot(std::string_view statusText);
// Code held by a slot (0..56), or 0 for a slot out of range.
int StatusCodeOfSlot(int slot);

// The four parts of a status line, in file order, one separator between two.
enum class StatusPart : int { kCode = 0, kHits, kLogLines, kFiles };
inline constexpr char kStatusPartSeparator = ';';
// What a writer puts before part `part`: nothing before the code, the
// separator before every other part.
constexpr std::string_view StatusPartOpening(StatusPart part) {
    return part == StatusPart::kCode ? std::string_view() : std::string_view(";", 1);
}
// True when `line` is the status line of `code`: its code part is `code` and
// at least one more part follows.
bool IsStatusLineOf(std::string_view line, std::string_view code);
// Part `part` of a status line: the text between its semicolons; empty when
// the line has fewer parts.
std::string_view ReadStatusPart(std::string_view line, StatusPart part);

}  // namespace trafikon
