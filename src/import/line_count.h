// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the lines of a file by the store's line rules (CR LF, LF or a lone
// CR ends a line; a last line without an end counts) without keeping them,
// so that an import can give its percentage by line before reading them.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace trafikon {

// Throws IoError when the file cannot be read. A set `stop` ends the count
// early (the result is then meaningless).
std::uint64_t CountLines(const std::string& path, const std::atomic<bool>* stop = nullptr);

// The line count of a big log, taken on a second thread of the lowest
// priority while the import reads the log: counting first would read every
// byte twice on one core.
// A log below `kAtOnceBelow` bytes is counted at once, before the reading.
class LineCountAside {
  public:
    static constexpr std::uint64_t kAtOnceBelow = 32u << 20;
    // The niceness of the counting thread: the lowest priority.
    static constexpr int kCountNice = 19;

    LineCountAside(const std::string& path, std::uint64_t size);
    ~LineCountAside();
    LineCountAside(const LineCountAside&) = delete;
    LineCountAside& operator=(const LineCountAside&) = delete;

    // The count once taken; 0 while it is under way or when it failed (the
    // reading of the log then tells why).
    std::uint64_t Known() const { return done_.load(std::memory_order_acquire) ? count_ : 0; }

  private:
    std::uint64_t count_ = 0;
    std::atomic<bool> done_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace trafikon
