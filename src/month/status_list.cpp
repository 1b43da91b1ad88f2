// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/status_list.h"

#include <algorithm>
#include <optional>

#include "text/analysis_entries.h"

namespace trafikon::tabs {

namespace entry = lang::analysis;

namespace {

constexpr StatusCode kCodes[kStatusCodeCount] = {
    {"100", "Continue"},
    {"101", "Switching Protocol"},
    {"102", "Processing"},
    {"200", "OK"},
    {"201", "Created"},
    {"202", "Accepted"},
    {"203", "Non Authoritative"},
    {"204", "No Content"},
    {"205", "Reset Content"},
    {"206", "Partial Content"},
    {"207", "Multi Status"},
    {"300", "Multiple Choice"},
    {"301", "Moved Permanently"},
    {"302", "Moved Temporarily"},
    {"303", "See Other"},
    {"304", "Not Modified"},
    {"305", "Use Proxy"},
    {"307", "Temporary Redirect"},
    {"400", "Bad Request"},
    {"401", "Unauthorized"},
    {"402", "Payment Required"},
    {"403", "Forbidden"},
    {"404", "Not Found"},
    {"405", "Method Not Allowed"},
    {"406", "Not Acceptable"},
    {"407", "Proxy Authentication Required"},
    {"408", "Request Time Out"},
    {"409", "Conflict"},
    {"410", "Gone"},
    {"411", "Length Required"},
    {"412", "Precondition Failed"},
    {"413", "Request Entity Too Large"},
    {"414", "Request URI Too Large"},
    {"415", "Unsupported Media Type"},
    {"416", "Range Not Satisfiable"},
    {"417", "Exception Failed"},
    {"422", "Unprocessable Entity"},
    {"423", "Locked"},
    {"424", "Failed Dependency"},
    {"426", "Upgrade Required"},
    {"500", "Internal Server Error"},
    {"501", "Not Implemented"},
    {"502", "Bad Gateway"},
    {"503", "Service Unavailable"},
    {"504", "Gateway Time Out"},
    {"505", "Version Not Supported"},
    {"506", "Variant Also Varies"},
    {"507", "Insufficient Storage"},
    {"510", "Not Extended"},
};

}  // namespace

const StatusCode* StatusCodes() {
    return kCodes;
}

int FirstErrorRow() {
    const auto& codes = StatusFileCodes();
    return static_cast<int>(
        std::find_if(codes.begin(), codes.end(), [](int code) { return code >= 400; }) -
        codes.begin());
}

std::vector<int> StatusRows(bool allCodes) {
    std::vector<int> rows;
    for (int r = allCodes ? 0 : FirstErrorRow(); r < kStatusCodeCount; ++r)
        rows.push_back(r);
    return rows;
}

std::vector<std::string> StatusCounts(const LineTable& statusTable, bool allCodes) {
    std::vector<std::string> counts;
    for (int r : StatusRows(allCodes)) {
        if (static_cast<std::size_t>(r) >= statusTable.size()) {
            counts.emplace_back();
            continue;
        }
        counts.emplace_back(
            ReadStatusPart(statusTable[static_cast<std::size_t>(r)], StatusPart::kHits));
    }
    return counts;
}

StatusDetail StatusDetailOf(int codeIndex, const LineTable& statusTable,
                            const LineTable& fileTable) {
    StatusDetail d;
    if (codeIndex < 0 || codeIndex >= kStatusCodeCount)
        return d;
    d.code = kCodes[codeIndex].code;
    d.description = kCodes[codeIndex].description;
    // The line of the code: normally at the code's own row, else the first that names it.
    std::optional<std::string_view> line;
    if (static_cast<std::size_t>(codeIndex) < statusTable.size() &&
        IsStatusLineOf(statusTable[static_cast<std::size_t>(codeIndex)], d.code))
        line = statusTable[static_cast<std::size_t>(codeIndex)];
    for (std::size_t i = 0; !line && i < statusTable.size(); ++i)
        if (IsStatusLineOf(statusTable[i], d.code))
            line = statusTable[i];
    if (!line)
        return d;
    d.found = true;
    d.count = ReadStatusPart(*line, StatusPart::kHits);
    if (d.count != "0") {
        d.logLineIds = ReadStatusPart(*line, StatusPart::kLogLines);
        d.logLineCount = IdListSize(d.logLineIds);
        NameListResult pages = NamesOf(ReadStatusPart(*line, StatusPart::kFiles), fileTable);
        d.pages = std::move(pages.names);
        d.missing = pages.missing;
    }
    return d;
}

StatusDetailTexts StatusDetailLabels(const StatusDetail& d, const TextLookup& texts) {
    StatusDetailTexts t;
    t.title =
        texts(entry::kStatusTitle) + std::string(d.code) + " (" + std::string(d.description) + ")";
    t.accesses = texts(entry::kAccessCountColon) + std::to_string(d.logLineCount);
    t.pages = texts(entry::kDifferentPages) + std::to_string(d.pages.size());
    return t;
}

}  // namespace trafikon::tabs
