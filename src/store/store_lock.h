// SPDX-License-Identifier: GPL-3.0-or-later
// The write lock of a site folder: one writer at a time, across processes.
//
// Import, analysis and deletion hold it while they change the store; readers
// (the windows) never take it. It is an flock on `store.lock` in the site
// folder, so the kernel releases it when its holder ends, even by a kill.
// Each StoreWriteLock opens the file anew: two of them conflict even inside
// one process, so a writer never takes it twice.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "store/text_file.h"

namespace trafikon {

// How long a writer waits for another one before it gives up.
inline constexpr std::chrono::milliseconds kStoreLockWait{2000};

// Another import, analysis or deletion holds the lock. path(): the lock file.
class StoreBusy : public IoError {
  public:
    explicit StoreBusy(const std::string& lockPath);
};

class StoreWriteLock {
  public:
    // Waits up to `wait` for the lock of `siteDir`. Throws StoreBusy when it
    // stays held, IoError when the lock file cannot be opened.
    explicit StoreWriteLock(const std::string& siteDir,
                            std::chrono::milliseconds wait = kStoreLockWait);
    ~StoreWriteLock();
    StoreWriteLock(StoreWriteLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    StoreWriteLock(const StoreWriteLock&) = delete;
    StoreWriteLock& operator=(const StoreWriteLock&) = delete;
    StoreWriteLock& operator=(StoreWriteLock&&) = delete;

    // The lock when it is free now, else nothing. A store where the lock file
    // can neither be made nor opened (read-only) has no other writer: the
    // lock is given, and the first write reports why it fails.
    static std::optional<StoreWriteLock> TryNow(const std::string& siteDir);

  private:
    StoreWriteLock() = default;
    int fd_ = -1;
};

// The lock file of `siteDir`.
std::string StoreLockPath(const std::string& siteDir);

// True when another writer holds the lock of `siteDir` now.
bool IsStoreBeingWritten(const std::string& siteDir);

}  // namespace trafikon
