// SPDX-License-Identifier: GPL-3.0-or-later
// A scratch file of an analysis run, for what would not fit in memory. It is
// made in the site folder only when first written, under a temporary name
// that the tidying at the start of the next run removes, and unlinked at once:
// a killed run leaves nothing behind, or at worst a name tidied next time.
// Appends and reads may come from several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace trafikon {

class SpillFile {
  public:
    // `siteDir` ends in '/'. Nothing is made until the first Append.
    explicit SpillFile(std::string siteDir);
    ~SpillFile();
    SpillFile(const SpillFile&) = delete;
    SpillFile& operator=(const SpillFile&) = delete;

    // Writes `size` bytes at the end and returns where they start. Throws IoError.
    std::uint64_t Append(const void* data, std::size_t size);
    // Reads back `size` bytes written at `offset`. Throws IoError.
    void Read(std::uint64_t offset, void* data, std::size_t size) const;
    std::uint64_t size() const { return end_; }

  private:
    std::string path_;
    mutable std::mutex mutex_;  // guards the making of the file and end_
    int fd_ = -1;
    std::uint64_t end_ = 0;
};

}  // namespace trafikon
