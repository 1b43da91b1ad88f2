// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch analyse with a period and conditions, as a process: its files
// are those of the same month filtered beforehand by awk, and the JSON report
// of the selection counts the lines that awk keeps.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "store/data_store.h"
#include "store/extra_result_names.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

int Batch(const std::string& arguments) {
    const std::string command =
        std::string("'") + TRAFIKON_BATCH_EXE + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SelectCommandTest, GivesTheFilesOfTheMonthFilteredBeforehand) {
    testing::TempDir dir;
    const std::string log = dir / "g.log", kept = dir / "kept.log";
    ASSERT_EQ(
        Batch("generate --out '" + log + "' --lines 4000 --months 2 --start 2026-01 --seed 5"), 0);
    const std::string format = "--format 'h l u t r s b R U' ";
    ASSERT_EQ(Batch("import --root '" + dir / "a" + "' " + format + "'" + log + "'"), 0);
    // 4xx lines of January, outside /css/, from the 10th at noon on.
    ASSERT_EQ(std::system(("awk '$4 ~ /Jan\\/2026/ && $4 >= \"[10/Jan/2026:12:00\" && "
                           "$9 ~ /^4[0-9][0-9]$/ && $7 !~ /^\\/css\\//' '" +
                           log + "' > '" + kept + "'")
                              .c_str()),
              0);
    const std::size_t count = ReadTextLines(kept).size();
    ASSERT_GT(count, 10u);
    ASSERT_EQ(Batch("import --root '" + dir / "b" + "' " + format + "'" + kept + "'"), 0);
    ASSERT_EQ(Batch("analyse --root '" + dir / "b" + "' --countries none"), 0);

    const std::string out = dir / "sel/";
    const std::string select = "analyse --root '" + dir / "a" +
                               "' --countries none --from 2026-01-10T12:00 --to 2026-01-31 "
                               "--where status=4xx --where '!path~/css/*' --out '" +
                               out + "'";
    ASSERT_EQ(Batch(select), 0);
    std::vector<std::string> names = AnalysisFileNames("2026-01");
    names.pop_back();  // the monthly file, dated by its log
    for (const std::string& n : ExtraAnalysisFileNames("2026-01"))
        names.push_back(n);
    for (const std::string& name : names)
        EXPECT_EQ(ReadWholeFile(out + name), ReadWholeFile(dir / "b/data/1/" + name)) << name;

    ASSERT_EQ(Batch("report --root '" + dir / "a" + "' --selection '" + out + "' --json '" +
                    dir / "s.json" + "'"),
              0);
    const auto json = nlohmann::json::parse(ReadWholeFile(dir / "s.json"));
    EXPECT_EQ(json["totals"]["hits"].get<std::size_t>(), count);

    EXPECT_EQ(Batch(select + " --where status=418"), 1);  // no line matches
    EXPECT_FALSE(FileExists(out + MonthStatsFileName("2026-01")));
    EXPECT_EQ(Batch(select + " --where 'status=4xx path~~('"), 2);
}

}  // namespace
}  // namespace trafikon
