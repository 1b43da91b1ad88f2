// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/line_count.h"

#include <sys/resource.h>
#include <unistd.h>

#include "import/log_source.h"
#include "store/line_reader.h"

namespace trafikon {

std::uint64_t CountLines(const std::string& path, const std::atomic<bool>* stop) {
    // Very long lines come in pieces, so that memory stays bounded.
    LineReader reader(path, LogReader::kMaxPiece);
    std::uint64_t lines = 0;
    bool inPiece = false;  // the last view was a piece of a longer line
    std::string_view line;
    while (reader.Next(line)) {
        inPiece = reader.partial();
        if (!inPiece && (++lines & 0xFFFF) == 0 && stop != nullptr &&
            stop->load(std::memory_order_relaxed))
            return 0;
    }
    return inPiece ? lines + 1 : lines;
}

LineCountAside::LineCountAside(const std::string& path, std::uint64_t size) {
    if (size < kAtOnceBelow) {
        count_ = CountLines(path);
        done_.store(true, std::memory_order_release);
        return;
    }
    thread_ = std::thread([this, path] {
        // The count only refines the percentage: on a busy machine it gives
        // way to the import's own reading and writing.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kCountNice);
        try {
            const std::uint64_t count = CountLines(path, &stop_);
            if (!stop_.load(std::memory_order_relaxed))
                count_ = count;
        } catch (...) {
            count_ = 0;  // the import's own reading meets the same fault
        }
        done_.store(true, std::memory_order_release);
    });
}

LineCountAside::~LineCountAside() {
    stop_.store(true, std::memory_order_relaxed);
    if (thread_.joinable())
        thread_.join();
}

}  // namespace trafikon
