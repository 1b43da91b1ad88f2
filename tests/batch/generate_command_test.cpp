// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch generate: the same log for the same seed, lines spread over
// the months asked for, IIS header lines, the share of hostile lines; the
// usage of each command on --help.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/generated_log.h"

namespace trafikon {
namespace {

using testing::GeneratedLog;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

TEST(GenerateCommandTest, SameSeedSameLogAndLinesSpreadOverTheMonths) {
    const std::vector<std::string> options = {"--lines", "3000",    "--months", "3",
                                              "--start", "2003-11", "--seed",   "4"};
    const std::string log = GeneratedLog(options);
    EXPECT_EQ(GeneratedLog(options), log);
    std::vector<std::string> other = options;
    other.back() = "5";
    EXPECT_NE(GeneratedLog(other), log);

    std::map<std::string, int> perMonth;
    const auto lines = Lines(log);
    ASSERT_EQ(lines.size(), 3000u);
    for (const auto& line : lines) {
        const auto at = line.find('[');
        ASSERT_NE(at, std::string::npos) << line;
        perMonth[line.substr(at + 4, 8)]++;
    }
    EXPECT_EQ(perMonth, (std::map<std::string, int>{
                            {"Nov/2003", 1000}, {"Dec/2003", 1000}, {"Jan/2004", 1000}}));
}

TEST(GenerateCommandTest, IisHeadersAtEachDayUnlessAskedOnce) {
    for (const bool daily : {true, false}) {
        std::vector<std::string> options = {"--lines", "500", "--format", "iis", "--seed", "2"};
        if (!daily)
            options.push_back("--no-iis-daily-header");
        int fields = 0, data = 0;
        std::map<std::string, int> days;
        for (const auto& line : Lines(GeneratedLog(options))) {
            if (line.rfind("#Fields: date time ", 0) == 0)
                ++fields;
            else if (line[0] != '#')
                ++data, days[line.substr(0, 10)]++;
        }
        EXPECT_EQ(data, 500);
        EXPECT_EQ(fields, daily ? static_cast<int>(days.size()) : 1);
    }
}

// A combined line as a careful reader expects it, printable and of a sane length.
bool IsWellFormedCombined(const std::string& line) {
    static const std::regex shape(
        R"(\S+ - \S+ \[\d\d/[A-Z][a-z]{2}/\d{4}:\d\d:\d\d:\d\d [+-]\d{4}\] )"
        R"("(GET|POST|HEAD) /\S* HTTP/1\.[01]" \d{3} (\d+|-) "[^"<>]*" "[^"<>]*")");
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
            return false;
    return line.size() < 1000 && std::regex_match(line, shape);
}

TEST(GenerateCommandTest, JunkSharesTheLinesWithHostileOnes) {
    for (const char* junk : {"0", "0.25"}) {
        const auto lines = Lines(GeneratedLog({"--lines", "4000", "--junk", junk, "--seed", "3"}));
        ASSERT_EQ(lines.size(), 4000u) << junk;
        int hostile = 0;
        for (const auto& line : lines)
            hostile += !IsWellFormedCombined(line);
        if (std::string(junk) == "0")
            EXPECT_EQ(hostile, 0);
        else
            EXPECT_TRUE(hostile > 400 && hostile <= 1100) << hostile;
    }
}

// By default the log has a busy site's variety: a host for about 16 lines,
// user agents and referrers in the hundreds already, every line well formed.
TEST(GenerateCommandTest, VariedByDefaultWithManyHostsAgentsAndReferrers) {
    const std::vector<std::string> options = {"--lines", "32000", "--seed", "6"};
    const std::string log = GeneratedLog(options, testing::LogVariety::kVaried);
    EXPECT_EQ(GeneratedLog(options, testing::LogVariety::kVaried), log);
    std::set<std::string> hosts, agents, referrers;
    int bad = 0;
    for (const auto& line : Lines(log)) {
        bad += !IsWellFormedCombined(line);
        hosts.insert(line.substr(0, line.find(' ')));
        const auto agent = line.rfind(" \"");
        agents.insert(line.substr(agent));
        const auto referrer = line.rfind(" \"", agent - 1);
        referrers.insert(line.substr(referrer, agent - referrer));
    }
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(hosts.size() > 1600 && hosts.size() <= 2000) << hosts.size();
    EXPECT_GT(agents.size(), 500u) << agents.size();
    EXPECT_GT(referrers.size(), 1000u) << referrers.size();
}

TEST(GenerateCommandTest, BadOptionsAreUsageErrors) {
    for (const char* args : {"--lines -3", "--format xml", "--start 2004-13", "--tz 0100",
                             "--junk 1.5", "--months 0", "--bogus 1", "--lines"}) {
        const std::string command =
            std::string(TRAFIKON_BATCH_EXE) + " generate " + args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << args;
    }
}

// Every command answers --help with its own usage, whatever else is given.
TEST(GenerateCommandTest, EachCommandPrintsItsUsageOnHelp) {
    for (const char* command : {"import", "analyse", "report", "generate", "sites"}) {
        const std::string line = std::string(TRAFIKON_BATCH_EXE) + " " + command +
                                 " --help --bogus 2>&1 | grep -q 'usage: trafikon-batch " +
                                 command + " '";
        EXPECT_EQ(std::system(line.c_str()), 0) << command;
    }
}

}  // namespace
}  // namespace trafikon
