// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/page_opener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;
namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Children of this process that ended and were never waited for.
int ZombieChildren() {
    int count = 0;
    const pid_t self = ::getpid();
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::ifstream in(e.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat))
            continue;
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == self &&
            state == 'Z')
            ++count;
    }
    return count;
}

template <typename Pred>
bool WaitFor(Pred pred) {
    for (int i = 0; i < 500; ++i) {
        if (pred())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pred();
}

TEST(OpenPageTest, NothingHappensWithoutCommandOrAddress) {
    TempDir dir;
    const std::string target = dir / "page";
    std::string error;
    EXPECT_FALSE(OpenPage("", target, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(OpenPage("/bin/touch", "", &error));
    EXPECT_FALSE(OpenPage("/bin/touch", "--version", &error));  // would be an option
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(Names(dir.path()).empty());
}

TEST(OpenPageTest, AddressIsOneArgumentWhateverItHolds) {
    const std::string names[] = {
        "plain",
        "a b  c",
        "quote\"s and 'single'",
        "semi;colon && echo x | cat > y",
        "$(touch z) `touch w` $HOME *",
        "back\\slash",
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        TempDir dir;
        ASSERT_TRUE(OpenPage("/bin/touch", dir / name));
        ASSERT_TRUE(WaitFor([&] { return !Names(dir.path()).empty(); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{name});
    }
}

TEST(OpenPageTest, ProgramThatCannotStartIsReported) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(OpenPage(dir / "no-such-program", "http://example.org/", &error));
    EXPECT_NE(error.find("no-such-program"), std::string::npos);
}

TEST(OpenPageTest, LeavesNoZombie) {
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(OpenPage("/bin/true", "http://example.org/"));
    EXPECT_TRUE(WaitFor([] { return ZombieChildren() == 0; }));
}

// Sets PATH for one test and puts it back afterwards.
class ScopedPath {
  public:
    explicit ScopedPath(const std::string& value) {
        if (const char* old = std::getenv("PATH")) {
            had_ = true;
            old_ = old;
        }
        ::setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() {
        if (had_)
            ::setenv("PATH", old_.c_str(), 1);
        else
            ::unsetenv("PATH");
    }

  private:
    bool had_ = false;
    std::string old_;
};

TEST(FindBrowserCommandTest, FirstExecutableOnPath) {
    TempDir dir;
    const std::string plain = dir / "plain", bin1 = dir / "bin1", bin2 = dir / "bin2";
    WriteRaw(plain + "/xdg-open", "not executable");
    WriteRaw(bin1 + "/other", "");
    WriteRaw(bin2 + "/xdg-open", "#!/bin/sh\n");
    ::chmod((bin2 + "/xdg-open").c_str(), 0755);
    fs::create_directories(dir / "bin3/xdg-open");  // a folder of that name

    struct Case {
        std::string path, expected;
    };
    const Case cases[] = {
        {plain + ":" + bin1 + ":" + dir / "bin3" + ":" + bin2 + "/", bin2 + "/xdg-open"},
        {plain + ":" + bin1, ""},
        {"", ""},
        {"::.:bin2", ""},  // relative entries are not searched
    };
    for (const auto& c : cases) {
        ScopedPath path(c.path);
        const std::string saved = fs::current_path();
        fs::current_path(dir.path());
        EXPECT_EQ(FindBrowserCommand(), c.expected) << c.path;
        fs::current_path(saved);
    }
}

}  // namespace
}  // namespace trafikon
