// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/direct_append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <utility>

#include "store/positioned_io.h"
#include "store/store_file_open.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// The block that direct writes of the open file `fd` must start and end on
// (offsets, sizes and memory), or 0 when its file system takes none.
std::size_t DirectWriteBlock(int fd) {
#ifdef STATX_DIOALIGN
    struct statx sx;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_DIOALIGN, &sx) != 0 ||
        (sx.stx_mask & STATX_DIOALIGN) == 0 || sx.stx_dio_offset_align == 0)
        return 0;
    return std::max<std::size_t>(sx.stx_dio_offset_align, sx.stx_dio_mem_align);
#else
    (void)fd;
    return 0;
#endif
}

void ReadAt(int fd, char* out, std::size_t size, std::uint64_t offset, const std::string& path) {
    const int error = ReadAllAt(fd, out, size, offset);
    if (error != 0) {
        errno = error == kFileEndedFirst ? EIO : error;  // shrunk under the store's lock
        ThrowErrno(path);
    }
}

constexpr std::size_t kPage = 4096;

std::size_t RoundUp(std::size_t size, std::size_t block) {
    return (size + block - 1) / block * block;
}

}  // namespace

DirectAppendFile::DirectAppendFile(std::string path, bool truncate, std::size_t bufferBytes,
                                   std::size_t grownBytes, bool direct)
    : path_(std::move(path)) {
    fd_ = OpenStoreFileForWriting(path_, O_RDWR | O_CREAT | (truncate ? O_TRUNC : 0));
    try {
        Open(bufferBytes, grownBytes, direct);
    } catch (...) {
        ::close(fd_);
        std::free(filling_.bytes);
        throw;
    }
}

void DirectAppendFile::Open(std::size_t bufferBytes, std::size_t grownBytes, bool direct) {
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        ThrowErrno(path_);
    const std::size_t block = direct ? DirectWriteBlock(fd_) : 0;
    align_ = block > 0 && kPage % block == 0 ? block : 1;
    first_ = RoundUp(std::max(bufferBytes, align_), kPage);
    grown_ = std::max(first_, RoundUp(grownBytes, kPage));
    Allocate(filling_, first_);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    base_ = size - size % align_;
    used_ = static_cast<std::size_t>(size - base_);
    ReadAt(fd_, filling_.bytes, used_, base_, path_);  // the last incomplete block, written again
    if (used_ == 0 && size > 0)
        ReadAt(fd_, &lastWritten_, 1, size - 1, path_);
    if (align_ > 1 && ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_DIRECT) != 0)
        align_ = 1;
}

DirectAppendFile::~DirectAppendFile() {
    behind_.reset();  // the write in hand ends before the file closes
    if (fd_ >= 0)
        ::close(fd_);
    std::free(filling_.bytes);
    std::free(spare_.bytes);
}

void DirectAppendFile::Allocate(Buffer& buffer, std::size_t capacity) const {
    std::free(buffer.bytes);
    buffer = {};
    buffer.bytes = static_cast<char*>(std::aligned_alloc(std::max(align_, kPage), capacity));
    if (buffer.bytes == nullptr)
        throw std::bad_alloc();
    buffer.capacity = capacity;
}

char DirectAppendFile::LastByte() const {
    return used_ > 0 ? filling_.bytes[used_ - 1] : lastWritten_;
}

void DirectAppendFile::Check(int error) const {
    if (error != 0) {
        errno = error;
        ThrowErrno(path_);
    }
}

void DirectAppendFile::WaitBehind() {
    if (behind_ != nullptr)
        Check(behind_->Wait());
}

void DirectAppendFile::AppendOverflowing(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), filling_.capacity - used_);
        std::memcpy(filling_.bytes + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
        if (used_ == filling_.capacity)
            HandOver();
    }
}

void DirectAppendFile::HandOver() {
    if (align_ == 1) {  // through the cache: written here and now
        Check(WriteAllAt(fd_, filling_.bytes, used_, base_));
        lastWritten_ = filling_.bytes[used_ - 1];
        base_ += used_;
        used_ = 0;
        return;
    }
    if (behind_ == nullptr)
        behind_ = std::make_unique<WriteBehind>(fd_);
    else
        WaitBehind();
    const std::size_t next = std::min(filling_.capacity * 2, grown_);
    if (spare_.capacity < next)
        Allocate(spare_, next);
    const std::size_t blocks = used_ - used_ % align_;
    behind_->Start(filling_.bytes, blocks, base_);
    std::memcpy(spare_.bytes, filling_.bytes + blocks, used_ - blocks);
    std::swap(filling_, spare_);
    lastWritten_ = spare_.bytes[blocks - 1];
    used_ -= blocks;
    base_ += blocks;
}

void DirectAppendFile::Rest() {
    if (filling_.capacity <= first_ && spare_.capacity <= first_)
        return;
    WaitBehind();
    const std::size_t blocks = used_ - used_ % align_;
    Check(WriteAllAt(fd_, filling_.bytes, blocks, base_));
    if (blocks > 0)
        lastWritten_ = filling_.bytes[blocks - 1];
    Buffer small;
    std::swap(small, spare_);  // the spare's memory goes; a small one holds the rest
    Allocate(small, first_);
    std::memcpy(small.bytes, filling_.bytes + blocks, used_ - blocks);
    std::swap(filling_, small);
    std::free(small.bytes);
    used_ -= blocks;
    base_ += blocks;
}

void DirectAppendFile::Close() {
    WaitBehind();
    const std::size_t blocks = used_ - used_ % align_;
    Check(WriteAllAt(fd_, filling_.bytes, blocks, base_));
    if (used_ > blocks) {  // the end of the file, an incomplete block: through the cache
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ((flags & O_DIRECT) != 0 && ::fcntl(fd_, F_SETFL, flags & ~O_DIRECT) != 0))
            ThrowErrno(path_);
        Check(WriteAllAt(fd_, filling_.bytes + blocks, used_ - blocks, base_ + blocks));
    }
    behind_.reset();
    const int fd = fd_;
    fd_ = -1;
    if (::fdatasync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        ThrowErrno(path_);
    }
    if (::close(fd) != 0)
        ThrowErrno(path_);
}

}  // namespace trafikon
