// SPDX-License-Identifier: GPL-3.0-or-later
// Appends to one of the store's big files (a month's stored log and time
// file) through a buffer written out in whole blocks straight to the disk
// (O_DIRECT): the bytes are not copied into the page cache first, nor left
// there dirty for the system to write later, which on an import of gigabytes
// costs more processor time than all the rest of the import and leaves the
// disk idle until the cache is full.
//
// Direct writes start and end on the file system's block boundaries, so the
// buffer always starts at a block boundary of the file: the bytes of a last
// incomplete block already in the file are read back into it and written
// again, unchanged, with what follows them. Only the very end of the file,
// an incomplete block at Close(), is written through the page cache. Full
// buffers are written on a thread of their own while the next one fills
// (store/write_behind.h), so that the disk and the processor work at once.
// Where the file system takes no direct writes, or when asked, every write
// goes through the page cache from the caller's thread. Either way, Close()
// returns once the bytes are on the disk (fdatasync): what a finished import
// stored survives a power cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "store/write_behind.h"

namespace trafikon {

class DirectAppendFile {
  public:
    // Opens `path` for appending, created when missing, emptied first with
    // `truncate`. Bytes are written out once `bufferBytes` (rounded up to
    // whole blocks) are held; written straight to the disk, the buffer
    // doubles at each write, up to `grownBytes`, as long as the file is
    // filled without a Rest(). With `direct` false, through the page cache
    // whatever the file system takes. Throws IoError.
    DirectAppendFile(std::string path, bool truncate, std::size_t bufferBytes,
                     std::size_t grownBytes, bool direct = true);
    ~DirectAppendFile();  // closes without writing what is still buffered
    DirectAppendFile(const DirectAppendFile&) = delete;
    DirectAppendFile& operator=(const DirectAppendFile&) = delete;

    // `bytes` views memory (never null, even when empty).
    void Append(std::string_view bytes) {
        if (bytes.size() <= filling_.capacity - used_) {
            std::memcpy(filling_.bytes + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
            return;
        }
        AppendOverflowing(bytes);
    }
    // The file is left for a while: a grown buffer gives its memory back,
    // once its whole blocks are written. Throws IoError.
    void Rest();
    // The size of the file and its last byte, buffered bytes included (the
    // byte only when the size is not 0).
    std::uint64_t size() const { return base_ + used_; }
    char LastByte() const;
    // Writes everything out, makes it durable and closes. Throws IoError.
    void Close();

    const std::string& path() const { return path_; }

  private:
    struct Buffer {
        char* bytes = nullptr;  // aligned to the block
        std::size_t capacity = 0;
    };
    void Open(std::size_t bufferBytes, std::size_t grownBytes, bool direct);
    void Allocate(Buffer& buffer, std::size_t capacity) const;
    void AppendOverflowing(std::string_view bytes);
    // Hands the whole blocks of the full buffer to the writing thread and
    // goes on in the other buffer with the rest.
    void HandOver();
    // Waits for the write in hand; throws IoError for its failure.
    void WaitBehind();
    void Check(int error) const;

    std::string path_;
    int fd_ = -1;
    std::size_t align_ = 1;              // block of direct writes; 1 when they are not used
    std::size_t first_ = 0, grown_ = 0;  // the capacities it starts with and grows to
    Buffer filling_, spare_;             // the spare is the one being written
    std::size_t used_ = 0;
    std::uint64_t base_ = 0;               // where the buffer's first byte goes in the file
    char lastWritten_ = 0;                 // of the file before base_
    std::unique_ptr<WriteBehind> behind_;  // from the first full buffer on
};

}  // namespace trafikon
