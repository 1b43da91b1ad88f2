// SPDX-License-Identifier: GPL-3.0-or-later
// Formats told by a file's own lines, the misfit of a chosen format, and the
// order of files picked together.
#include "import/format_detection.h"

#include <gtest/gtest.h>

#include "import/add_log_files.h"
#include "import/log_file_order.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

const std::string kCommon =
    "host.example.org - - [01/Aug/1995:00:00:01 -0400] \"GET /a.gif HTTP/1.0\" 200 1713";
const std::string kCombined =
    "10.0.0.1 - bob [17/May/2015:10:05:03 +0000] \"GET /b HTTP/1.1\" 304 - "
    "\"http://ref/\" \"Mozilla/5.0 (X11)\"";
const std::string kIisFields =
    "#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
    "cs(User-Agent) cs(Referer) sc-status sc-substatus sc-win32-status time-taken";
const std::string kIisLine =
    "2015-10-17 16:27:13 10.0.0.9 GET /default.htm - 80 - 10.0.0.1 Mozilla/5.0+(Windows) - 200 "
    "0 0 15";

std::vector<std::string> Lines(std::initializer_list<std::string> lines) {
    return lines;
}

TEST(FormatDetectionTest, KnowsW3cFieldsAndApacheShapes) {
    EXPECT_EQ(DetectFormat(Lines({"#Software: x", kIisFields, kIisLine})), "dHNMINNuhURsNNN");
    EXPECT_EQ(W3cFieldsCodes("#Fields: date time c-ip cs-username sc-bytes x-custom"), "dHhubN");
    EXPECT_EQ(DetectFormat(Lines({kCommon, kCommon})), "hlutrsb");
    EXPECT_EQ(DetectFormat(Lines({kCombined, kCombined + " \"extra\" 12"})), "hlutrsbRU");
    // A virtual host first: Apache's "%v:%p" and "%v", nginx's "$host".
    EXPECT_EQ(DetectFormat(Lines({"www.example.org:443 " + kCombined})), "vhlutrsbRU");
    EXPECT_EQ(DetectFormat(Lines({"example.org " + kCommon, "- " + kCommon})), "vhlutrsb");
    EXPECT_EQ(DetectFormat(Lines({"\"quoted\" " + kCombined})), "");
    EXPECT_EQ(DetectFormat(Lines({"ab/cd " + kCombined})), "NhlutrsbRU");
    // Most lines decide: one broken line among good ones does not matter.
    EXPECT_EQ(DetectFormat(Lines({kCommon, "miriwo", kCommon})), "hlutrsb");
    // Shapes that are none of these are not guessed at.
    EXPECT_EQ(DetectFormat(Lines({"2015-10-17 16:27:13 GET /a 200"})), "");
    EXPECT_EQ(DetectFormat(Lines({"#Software: x"})), "");
    EXPECT_EQ(DetectFormat(Lines({"a - - [99/Foo/2002:01:00:00 +0000] \"GET /\" 200 1"})), "");
}

TEST(FormatDetectionTest, ListedFilesTakeTheShownFormatOrTheirOwnWhenAskedAndComplete) {
    AddLogFiles files;
    files.Add(Lines({"#Software: x", kIisFields, kIisLine}));
    files.Add(Lines({"2015-10-17 16:27:13 GET /a 200"}));  // no format recognised
    files.Add(Lines({kCommon, kCommon}));
    const FieldFormat shown = "hlutrsb";
    // The W3C file is the first that the Apache format does not fit...
    auto misfit = files.FirstMisfit(shown, false);
    ASSERT_TRUE(misfit);
    EXPECT_EQ(misfit->file, 0u);
    EXPECT_EQ(misfit->detected, "dHNMINNuhURsNNN");
    EXPECT_EQ(files.FormatOf(0, shown, false), shown);
    // ...until it takes its own format; the unrecognised one never can.
    EXPECT_EQ(files.FormatOf(0, shown, true), "dHNMINNuhURsNNN");
    EXPECT_EQ(files.FormatOf(1, shown, true), shown);
    misfit = files.FirstMisfit(shown, true);
    ASSERT_TRUE(misfit);
    EXPECT_EQ(misfit->file, 1u);
    EXPECT_EQ(misfit->detected, "");
    files.Remove(1);
    EXPECT_FALSE(files.FirstMisfit(shown, true));
    EXPECT_EQ(files.detected(), (std::vector<FieldFormat>{"dHNMINNuhURsNNN", "hlutrsb"}));
}

TEST(FormatDetectionTest, FirstFieldThatDoesNotFitMostLines) {
    const auto iis = Lines({kIisFields, kIisLine, kIisLine});
    // The default IIS order gives the user agent to the status field.
    EXPECT_EQ(FirstMisfitField("dHhuNNMINsU", iis), 's');
    EXPECT_EQ(FirstMisfitField("dHNMINNuhURsNNN", iis), '\0');
    // Apache order on IIS lines: the date does not read.
    EXPECT_EQ(FirstMisfitField("hlutrsbRU", iis), 't');
    // Combined on common lines: the referrer is missing.
    EXPECT_EQ(FirstMisfitField("hlutrsbRU", Lines({kCommon})), 'R');
    EXPECT_EQ(FirstMisfitField("hlutrsb", Lines({kCombined})), '\0');
    EXPECT_EQ(FirstMisfitField("hlutrsb", Lines({kCommon, "broken", kCommon})), '\0');
}

TEST(LogFileOrderTest, RotatedFilesGoOldestFirst) {
    TempDir dir;
    const auto at = [](const std::string& date) {
        return "h - - [" + date + " +0000] \"GET / HTTP/1.0\" 200 1\n";
    };
    WriteRaw(dir / "access.log", at("02/Feb/2024:00:00:00"));
    WriteRaw(dir / "access.log.1", at("01/Feb/2024:10:00:00"));
    WriteRaw(dir / "access.log.2", at("01/Feb/2024:09:59:59"));
    WriteRaw(dir / "notes.txt", "no date here\n");
    WriteRaw(dir / "u_ex.log", kIisFields + "\n" + kIisLine + "\n");
    const std::vector<std::string> paths = {dir / "access.log", dir / "notes.txt",
                                            dir / "access.log.1", dir / "u_ex.log",
                                            dir / "access.log.2"};
    EXPECT_EQ(OldestFirstOrder(paths, "hlutrsb"), (std::vector<std::size_t>{3, 4, 2, 0, 1}));
}

}  // namespace
}  // namespace trafikon
