// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/write_behind.h"

#include <unistd.h>

#include <cerrno>

namespace trafikon {

WriteBehind::WriteBehind(int fd) : fd_(fd), thread_([this] { Run(); }) {}

WriteBehind::~WriteBehind() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !busy_; });
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void WriteBehind::Start(const char* bytes, std::size_t size, std::uint64_t offset) {
    {
        const std::lock_guard lock(mutex_);
        bytes_ = bytes;
        size_ = size;
        offset_ = offset;
        busy_ = true;
    }
    changed_.notify_all();
}

int WriteBehind::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    const int error = error_;
    error_ = 0;
    return error;
}

void WriteBehind::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || quit_; });
        if (!busy_)
            return;
        lock.unlock();
        const int error = WriteAllAt(fd_, bytes_, size_, offset_);
        lock.lock();
        error_ = error;
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace trafikon
