// SPDX-License-Identifier: GPL-3.0-or-later
// Import and analysis on a store that cannot take their writes: a full disk
// (a small tmpfs), a read-only store (the tmpfs remounted read-only) and a
// store path under a file. Each run must stop with exit 1 and a message
// naming the file and the system's reason, and leave what was stored before
// exactly as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "batch_process.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

constexpr const char* kFormat = "h l u t r s b R U";

RunResult Import(const TempDir& scratch, const std::string& root, const std::string& log) {
    return RunProgram({Batch(), "import", "--root", root, "--format", kFormat, log}, scratch);
}

RunResult Analyse(const TempDir& scratch, const std::string& root) {
    return RunProgram(
        {Batch(), "analyse", "--root", root, "--all", "--site-url", "http://www.example.org"},
        scratch);
}

// A tmpfs of `size` mounted on a folder of the test, unmounted at the end.
class SmallDisk {
  public:
    SmallDisk(const TempDir& scratch, const char* size) : path_(scratch / "disk") {
        std::filesystem::create_directories(path_);
        if (::geteuid() != 0) {
            why_ = "mounting a tmpfs needs root";
            return;
        }
        const std::string options = std::string("size=") + size;
        if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            why_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    const std::string& path() const { return path_; }
    bool MakeReadOnly() {
        return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // Fills the disk up to `leave` free bytes with a file outside the store.
    void Fill(std::size_t leave) {
        const std::string filler = path_ + "/filler";
        std::string chunk(4096, 'x');
        FILE* f = std::fopen(filler.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        while (FreeBytes() > leave + chunk.size() &&
               std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size())
            std::fflush(f);
        std::fclose(f);
    }
    std::size_t FreeBytes() const {
        return static_cast<std::size_t>(std::filesystem::space(path_).available);
    }

  private:
    std::string path_;
    std::string why_;
    bool mounted_ = false;
};

// The run stopped as it must: exit 1, a message naming a file of the store
// and the system's reason.
void ExpectStoppedWith(const RunResult& r, const std::string& folder, const char* reason) {
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(folder), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
}

FolderSnapshot StoreFiles(const std::string& site) {
    FolderSnapshot files = Snapshot(site);
    std::erase_if(files, [](const auto& f) { return f.first.starts_with("."); });
    return files;
}

TEST(StoreFailure, FullDiskStopsImportAndAnalysisWithoutDamage) {
    TempDir scratch;
    SmallDisk disk(scratch, "2m");
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const std::string root = disk.path() + "/root";
    const std::string site = root + "/data/1";
    const std::string small = scratch / "small.log";
    const std::string big = scratch / "big.log";
    GenerateLog(scratch, small, 1500, "combined", 2, "2002-03", 1);
    GenerateLog(scratch, big, 12000, "combined", 3, "2002-04", 2);  // about 3 MB
    ASSERT_EQ(Import(scratch, root, small).exitCode, 0);
    ASSERT_EQ(Analyse(scratch, root).exitCode, 0);
    const FolderSnapshot before = StoreFiles(site);

    // The import runs out of room in the middle of month 2002-04 or later.
    ExpectStoppedWith(Import(scratch, root, big), site, "No space left on device");
    EXPECT_EQ(Differences(StoreFiles(site), before), std::vector<std::string>());

    // The analysis runs out of room while writing its result files.
    disk.Fill(8 * 1024);
    ExpectStoppedWith(Analyse(scratch, root), site, "No space left on device");
    EXPECT_EQ(Differences(StoreFiles(site), before), std::vector<std::string>());
}

TEST(StoreFailure, ReadOnlyStoreStopsImportAndAnalysisWithoutDamage) {
    TempDir scratch;
    SmallDisk disk(scratch, "4m");
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const std::string root = disk.path() + "/root";
    const std::string site = root + "/data/1";
    const std::string log = scratch / "a.log";
    const std::string more = scratch / "b.log";
    GenerateLog(scratch, log, 500, "combined", 1, "2002-03", 1);
    GenerateLog(scratch, more, 500, "combined", 1, "2002-03", 2);
    ASSERT_EQ(Import(scratch, root, log).exitCode, 0);
    ASSERT_EQ(Analyse(scratch, root).exitCode, 0);
    const FolderSnapshot before = StoreFiles(site);
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << "cannot remount the tmpfs read-only: " << std::strerror(errno);

    ExpectStoppedWith(Import(scratch, root, more), site, "Read-only file system");
    ExpectStoppedWith(Analyse(scratch, root), site, "Read-only file system");
    EXPECT_EQ(Differences(StoreFiles(site), before), std::vector<std::string>());
}

TEST(StoreFailure, StoreUnderAFileIsReportedByName) {
    TempDir scratch;
    const std::string log = scratch / "a.log";
    GenerateLog(scratch, log, 20, "combined", 1, "2002-03", 1);
    WriteRaw(scratch / "plain", "not a folder");
    const std::string root = scratch / "plain";
    const RunResult import = Import(scratch, root, log);
    EXPECT_EQ(import.exitCode, 1) << import.err;
    EXPECT_NE(import.err.find(root), std::string::npos) << import.err;
    EXPECT_NE(import.err.find("Not a directory"), std::string::npos) << import.err;
    const RunResult analyse = Analyse(scratch, root);
    EXPECT_EQ(analyse.exitCode, 1) << analyse.err;
    EXPECT_NE(analyse.err.find(root), std::string::npos) << analyse.err;
    EXPECT_EQ(ReadRaw(root), "not a folder");
}

}  // namespace
}  // namespace trafikon::testing
