// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a fuzzed file as the import reads a log: told plain or compressed by
// its first bytes, decompressed by libarchive, cut into lines. Whatever the
// bytes, the read ends, no line piece is longer than asked, the content stays
// within the expansion limit and a look at the head within its bound; a file
// refused is refused with an IoError naming it.
// Input: the file's bytes.
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "import/log_source.h"
#include "store/text_file.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

constexpr std::size_t kPiece = 4096;
constexpr std::uint64_t kLimit = 40;  // times the bytes read (64 KiB at least)

void WriteRaw(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes of content read through a reader of `path`; -1 when refused.
long long ReadAll(const std::string& path, std::uint64_t maxContent) {
    try {
        LogReader reader(path, kPiece, maxContent);
        std::string_view line;
        long long total = 0;
        while (reader.Next(line)) {
            FUZZ_CHECK(line.size() <= 2 * kPiece);  // pieces of a long line
            total += static_cast<long long>(line.size());
        }
        return total;
    } catch (const IoError& e) {
        FUZZ_CHECK(e.path() == path && !e.reason().empty());
        return -1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024)
        return 0;
    static const bool limited = (SetExpansionLimit(kLimit), true);
    (void)limited;
    const std::string_view bytes = AsText(data, size);
    const std::string path = ScratchStore() + "input.log";
    WriteRaw(path, bytes);
    const long long whole = ReadAll(path, 0);
    if (whole >= 0)
        FUZZ_CHECK(static_cast<std::uint64_t>(whole) <=
                   kLimit * std::max<std::uint64_t>(size, 64 * 1024) + kLimit + (1 << 20));
    if (CompressionOf(bytes) == Compression::kNone && whole >= 0)
        FUZZ_CHECK(static_cast<std::size_t>(whole) <= size);  // line ends are not content
    const long long head = ReadAll(path, 1000);
    FUZZ_CHECK(head <= 1000);
    return 0;
}
