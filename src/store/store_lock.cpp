// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "store/data_store.h"

namespace trafikon {

namespace {

int OpenLockFile(const std::string& path) {
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 && (errno == EROFS || errno == EACCES))
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);  // flock needs no write access
        if (fd >= 0 || errno != EINTR)
            return fd;
    }
}

// A store where the lock file can neither be made nor opened cannot be
// written by anyone: there is no other writer to keep out.
bool NobodyCanWrite() {
    return errno == EROFS || errno == EACCES || errno == ENOENT;
}

// flock without waiting: true when taken.
bool Take(int fd) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

}  // namespace

StoreBusy::StoreBusy(const std::string& lockPath)
    : IoError(lockPath, "the store is in use by another import or analysis") {}

std::string StoreLockPath(const std::string& siteDir) {
    std::string path = siteDir;
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path + std::string(kStoreLockFileName);
}

StoreWriteLock::StoreWriteLock(const std::string& siteDir, std::chrono::milliseconds wait) {
    const std::string path = StoreLockPath(siteDir);
    fd_ = OpenLockFile(path);
    if (fd_ < 0) {
        if (NobodyCanWrite())
            return;  // the writer's own first write reports why
        ThrowErrno(path);
    }
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!Take(fd_)) {
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= until) {
            ::close(fd_);
            fd_ = -1;
            throw StoreBusy(path);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

StoreWriteLock::~StoreWriteLock() {
    if (fd_ >= 0)
        ::close(fd_);  // closing the only descriptor of the open file releases the lock
}

std::optional<StoreWriteLock> StoreWriteLock::TryNow(const std::string& siteDir) {
    StoreWriteLock lock;
    lock.fd_ = OpenLockFile(StoreLockPath(siteDir));
    if (lock.fd_ < 0)
        return NobodyCanWrite() ? std::optional<StoreWriteLock>(std::move(lock)) : std::nullopt;
    if (!Take(lock.fd_))
        return std::nullopt;
    return lock;
}

bool IsStoreBeingWritten(const std::string& siteDir) {
    const int fd = ::open(StoreLockPath(siteDir).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;  // no writer ever made it
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

}  // namespace trafikon
