// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/direct_append_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

// Bytes that tell where they stand, so that a block written at the wrong place shows.
std::string Numbered(std::size_t size, char salt) {
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < size; ++i)
        bytes += std::to_string(i) + salt;
    bytes.resize(size);
    return bytes;
}

TEST(DirectAppendFileTest, AppendsAfterWhatTheFileHeldAcrossManyBuffersEitherWay) {
    for (const bool direct : {true, false}) {
        SCOPED_TRACE(direct ? "direct" : "through the cache");
        TempDir dir;
        const std::string path = dir / "log";
        std::string expected = Numbered(5000, 'a');  // ends inside a block
        WriteRaw(path, expected);
        {
            DirectAppendFile file(path, false, 8192, 32768, direct);
            ASSERT_EQ(file.size(), 5000u);
            EXPECT_EQ(file.LastByte(), expected.back());
            // Pieces of every size, some longer than the buffer, which
            // grows and shrinks back in between.
            for (const std::size_t size : {1, 4095, 3, 20000, 7, 8192, 4096, 30001, 2, 70000, 5}) {
                const std::string piece = Numbered(size, static_cast<char>('b' + size % 20));
                file.Append(piece);
                expected += piece;
                if (size == 30001)
                    file.Rest();
            }
            EXPECT_EQ(file.size(), expected.size());
            file.Close();
        }
        EXPECT_EQ(ReadRaw(path), expected);
        {
            DirectAppendFile again(path, false, 8192, 8192, direct);
            EXPECT_EQ(again.LastByte(), expected.back());
            again.Append("end\r\n");
            again.Close();
        }
        EXPECT_EQ(ReadRaw(path), expected + "end\r\n");
        DirectAppendFile emptied(path, true, 8192, 8192, direct);
        EXPECT_EQ(emptied.size(), 0u);
        emptied.Close();
        EXPECT_EQ(ReadRaw(path), "");
    }
}

}  // namespace
}  // namespace trafikon
