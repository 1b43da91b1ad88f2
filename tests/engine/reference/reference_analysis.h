// SPDX-License-Identifier: GPL-3.0-or-later
// A slow, literal analysis of one stored month, used by tests as the reference
// that the fast engine must match byte for byte.
//
// It keeps every result list as text lines, re-reads and rebuilds a record's
// text at every hit (ReadFields / BuildRecord), looks keys up in sorted index
// lists (FindKey / InsertKey), keeps id lists as dash-separated text with the
// "-n-" membership test, writes the status file from 57 counter slots and
// computes the monthly statistics from the files it has just written. It is
// quadratic on purpose: only small months go through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace trafikon::testing {

struct ReferenceResult {
    bool completed = false;
    // Line numbers (0-based) at which the malformed-line question was asked, in order.
    std::vector<std::int64_t> questions;
};

// Answer to the malformed-line question for a line number: true ignores the
// line (Yes), false cancels the run (No).
using ReferenceMalformedAnswer = std::function<bool(std::int64_t lineNumber)>;
// Date-time text of a file's modification time (the first line of mon-).
using ReferenceDateText = std::function<std::string(const std::string& path)>;

// Analyses `log-<key>.log` of `siteDir` (ending in '/') with `format-<key>.tfd`
// and, unless cancelled, writes the nine result files and `mon-<key>.tfd`.
ReferenceResult ReferenceAnalyseLog(const std::string& siteDir, const std::string& monthKey,
                                    const std::string& siteUrl,
                                    const ReferenceMalformedAnswer& answerMalformed,
                                    const ReferenceDateText& dateText);

// The decoded text of a raw query (the text after the first "?" of `referrer`).
std::string ReferenceDecodeQuery(const std::string& rawQuery, const std::string& referrer);

// UTF-8 to Windows-1252: each maximal ill-formed subpart and each character
// without a Windows-1252 byte becomes "?".
std::string ReferenceUtf8ToCp1252(const std::string& utf8);

}  // namespace trafikon::testing
