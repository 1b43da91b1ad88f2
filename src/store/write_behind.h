// SPDX-License-Identifier: GPL-3.0-or-later
// Writes to an open file on a thread of its own, one write at a time, so that
// its caller fills its next buffer while the disk takes the last one.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

#include "store/positioned_io.h"

namespace trafikon {

class WriteBehind {
  public:
    explicit WriteBehind(int fd);
    ~WriteBehind();  // waits for the write in hand
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // Starts writing `size` bytes at `offset`, after Wait() for the one
    // before. The bytes must stay as they are until Wait() returns.
    void Start(const char* bytes, std::size_t size, std::uint64_t offset);
    // Waits for the write started last; returns 0 or the errno of its failure.
    int Wait();

  private:
    void Run();
    const int fd_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const char* bytes_ = nullptr;
    std::size_t size_ = 0;
    std::uint64_t offset_ = 0;
    bool busy_ = false, quit_ = false;
    int error_ = 0;
    std::thread thread_;  // last: started once the rest is set
};

}  // namespace trafikon
