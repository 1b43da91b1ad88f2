#include "import/line_count.h"

#include "import/log_source.h"
#include "store/line_reader.h"

namespace trafikon {

std::uint64_t CountLines(const std::string& path) {
    // Very long lines come in pieces, so that memory stays bounded.
    LineReader reader(path, LogReader::kMaxPiece);
    std::uint64_t lines = 0;
    bool inPiece = false;  // the last view was a piece of a longer line
    std::string_view line;
    while (reader.Next(line)) {
        inPiece = reader.partial();
        if (!inPiece)
            ++lines;
    }
    return inPiece ? lines + 1 : lines;
}

}  // namespace trafikon
