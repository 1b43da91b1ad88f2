// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the lines of a result file without ever holding a line's id list of
// log lines (tens of megabytes in a big month): the list's place in the file
// is noted, its entries counted, and the rest of the line kept. Lines follow
// the store's line-end rule (CR LF, LF or a lone CR; a last line without an
// end counts). The list is found where the readers look for it:
//  - kTaggedRecord: the id-list field of a record (kIdListField), from its
//    first opening tag up to the first closing tag after it (a line without
//    that closing tag is kept whole);
//  - kStatusLine: the log-lines part of a status line, up to the next
//    separator or the end of the line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "month/id_list_counter.h"

namespace trafikon {

enum class IdListPlace { kTaggedRecord, kStatusLine };

struct CutLine {
    bool cut = false;              // the list was found and left in the file
    bool headIsWhole = true;       // not cut: `head` is the whole line, else read it again
    std::string head;              // up to the list
    std::string tail;              // after it
    std::uint64_t listOffset = 0;  // in the file
    std::uint64_t listLength = 0;
    IdListCounter counter;         // over the list
    std::uint64_t lineOffset = 0;  // where the line starts in the file
    std::uint64_t lineLength = 0;  // without its end
};

// Calls onLine for every line of the file open on `fd` (read from its start
// with pread; `path` names it in errors). Throws IoError when it cannot be read.
void ReadCuttingIdLists(int fd, const std::string& path, IdListPlace place,
                        const std::function<void(CutLine&)>& onLine);

// The whole line again, read from the file (for a line whose cut must be undone).
std::string ReadWholeLine(int fd, const std::string& path, const CutLine& line);

}  // namespace trafikon
