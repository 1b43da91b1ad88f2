// SPDX-License-Identifier: GPL-3.0-or-later
// Field layouts of the tagged records of the result files (see tagged_record.h
// for the encoding). The engine writes the fields in the order of these
// enumerations, each followed by the closing tag kEnd, and every reader names
// the field it wants: ReadField(line, FileField::kHosts).
#pragma once

#include <string_view>
#include <type_traits>

#include "store/tagged_record.h"

namespace trafikon {

// lfp-: one record per requested path.
enum class FileField : int {
    kPath = 1,
    kHits,
    kLogLines,  // id list of log line numbers (from 0)
    kType,      // 1 page, 2 image, 3 archive, 4 other file
    kLastStatus,
    kLastTime,  // "[dd/Mon/yyyy:hh:mm:ss +zzzz]"
    kHosts,     // id lists of record positions in hos-, ori-, oit-, mot-, mit-
    kExternalQueries,
    kInternalQueries,
    kExternalPages,
    kInternalPages,
    kReserved,  // always "-"
    kEnd,
};

// hos-, mot- and mit-: one record per host or referring page.
enum class PageField : int {
    kKey = 1,  // host or referring address
    kHits,
    kLogLines,
    kFiles,  // id list of positions in lfp-
    kLastTime,
    kEnd,
};

// nav-: one record per user agent.
enum class BrowserField : int { kName = 1, kHits, kLogLines, kEnd };

// ori- and oit-: one record per query text.
enum class QueryField : int {
    kText = 1,
    kFirstFile,    // position in lfp- of the first file the query led to
    kSiteLengths,  // id list
    kFiles,        // id list of positions in lfp-
    kLastTime,
    kReferrer,      // first referring address, whole
    kReferrerSite,  // its site part
    kEnd,
};

// The two fields every file, page and browser record begins with.
enum class CountedField : int { kKey = 1, kHits };

template <class F>
concept RecordField = std::is_same_v<F, FileField> || std::is_same_v<F, PageField> ||
    std::is_same_v<F, BrowserField> || std::is_same_v<F, QueryField> ||
    std::is_same_v<F, CountedField>;

template <RecordField F>
constexpr int FieldNumber(F field) {
    return static_cast<int>(field);
}

template <RecordField F>
std::string_view ReadField(std::string_view line, F field) {
    return ReadField(line, FieldNumber(field));
}

// Field 3 of every file, page, browser and query record is an id list (log
// lines, or a query's site lengths) that readers may leave in the file.
inline constexpr int kIdListField = 3;
static_assert(FieldNumber(FileField::kLogLines) == kIdListField &&
              FieldNumber(PageField::kLogLines) == kIdListField &&
              FieldNumber(BrowserField::kLogLines) == kIdListField &&
              FieldNumber(QueryField::kSiteLengths) == kIdListField);

}  // namespace trafikon
