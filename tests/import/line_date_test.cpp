// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/line_date.h"

#include <gtest/gtest.h>

namespace trafikon {
namespace {

constexpr const char* kApache = "hlutrsbRU";
constexpr const char* kIis = "dHhuNNMINsU";

const char* kCombined =
    "www.example.com - - [24/Mar/2002:01:37:08 +0100] \"GET /index.php HTTP/1.1\" 304 1248 "
    "\"http://www.example.com/\" \"Mozilla/3\"";

struct DateCase {
    const char* name;
    const char* codes;
    std::string line;
    std::string key;
    std::string stamp;
};

TEST(LineDaterTest, KeysAndStampsOfOneLine) {
    const DateCase cases[] = {
        {"combined", kApache, kCombined, "2002-03", "24:01:37:08"},
        {"lower-case month name gives 00", kApache,
         "h - - [24/mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 1", "2002-00", "24:01:37:08"},
        {"iis", kIis, "2003-10-08 00:13:11 10.0.0.1 - - - GET /a.htm - 200 Mozilla", "2003-10",
         "08:00:13:11"},
        {"iis month 13 has no name but keeps its key", kIis, "2003-13-08 00:13:11 h", "2003-13",
         ""},
        {"date after a request with an inner quote", "hrst",
         "h \"GET /a\" b.htm HTTP/1.0\" 200 [01/Feb/2003:10:00:00 +0000]", "2003-02",
         "01:10:00:00"},
        {"empty quoted fields before the date", "RUt", "\"\" \"\" [05/Jun/2004:11:12:13 +0000]",
         "2004-06", "05:11:12:13"},
        {"torn line: whatever stands at the date positions", kApache,
         "a b c [01/xxx/ges/:00:00:00] \"GET / HTTP/1.1\" 200 1", "ges/-00", "01:00:00:00"},
        {"short date", kApache, "a b c [1] \"GET\" 200", "-00", "1]"},
        {"unterminated bracket loses one character at a time", "t", "[01/Jan/2004:00:00:00", "-",
         ""},
    };
    for (const auto& c : cases) {
        LineDater dater(c.codes);
        dater.Date(c.line);
        EXPECT_EQ(dater.monthKey(), c.key) << c.name;
        if (!c.stamp.empty()) {
            EXPECT_EQ(dater.stamp(), c.stamp) << c.name;
        }
    }
}

TEST(LineDaterTest, IisLineGainsApacheDate) {
    LineDater dater(kIis);
    dater.Date("2003-10-08 00:13:11 h");
    EXPECT_EQ(dater.t(), "[08/Oct/2003:00:13:11 +0200]");
    dater.Date("2003-00-08 00:13:11 h");
    EXPECT_EQ(dater.t(), "[08//2003:00:13:11 +0200]");
}

TEST(LineDaterTest, EachLineIsDatedByItsOwnFields) {
    LineDater iis(kIis);
    iis.Date("2003-10-31 23:59:59 h");
    EXPECT_EQ(iis.monthKey(), "2003-10");
    iis.Date("2003-11-01 00:00:01 h");
    EXPECT_EQ(iis.monthKey(), "2003-11");
    EXPECT_EQ(iis.stamp(), "01:00:00:01");
}

TEST(LineDaterTest, LineWithoutDateKeepsTheDateCompletedForThePreviousOne) {
    // With t empty the date comes from d and H, which only the previous
    // line's completion set: one set of field values serves the whole run.
    LineDater dater(kApache);
    dater.Date(kCombined);
    dater.Date("xx");
    EXPECT_EQ(dater.monthKey(), "2002-03");
    EXPECT_EQ(dater.stamp(), "24:01:37:08");
}

TEST(LineDaterTest, FormatWithoutDateGivesNoKey) {
    LineDater dater("hrs");
    dater.Date("h \"GET / HTTP/1.0\" 200");
    EXPECT_FALSE(IsWellFormedMonthKey(dater.monthKey()));
    EXPECT_FALSE(dater.formatHasT());
}

TEST(MonthKeyTest, WellFormedKeys) {
    const std::pair<const char*, bool> cases[] = {
        {"2002-03", true},   {"2002-00", true},  {"9999-99", true},  {"ges/-00", false},
        {"-00", false},      {"-", false},       {"", false},        {"2002-3", false},
        {"2002-003", false}, {"2002/03", false}, {"20a2-03", false}, {"2002-0\xb3", false},
    };
    for (const auto& [key, ok] : cases)
        EXPECT_EQ(IsWellFormedMonthKey(key), ok) << key;
}

}  // namespace
}  // namespace trafikon
