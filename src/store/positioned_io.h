// SPDX-License-Identifier: GPL-3.0-or-later
// Whole reads and writes at a place of an open file, again after an
// interruption: the one loop the store's files use for them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace trafikon {

// What ReadAllAt returns when the file ends before `size` bytes.
constexpr int kFileEndedFirst = -1;

// Reads all of `size` bytes at `offset` of `fd` into `out`. Returns 0, the
// errno of the failure, or kFileEndedFirst.
int ReadAllAt(int fd, char* out, std::size_t size, std::uint64_t offset);

// Writes all of `bytes` at `offset` of `fd`. A direct write (O_DIRECT) that
// the file system refuses is made through the page cache instead, and so are
// the later writes of the descriptor. Returns 0, or the errno of the failure.
int WriteAllAt(int fd, const char* bytes, std::size_t size, std::uint64_t offset);

}  // namespace trafikon
