// SPDX-License-Identifier: GPL-3.0-or-later
// A small analysed month written by hand into a store folder: a stored log of
// six lines and result files that point into it, as the engine writes them.
#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace trafikon::testing {

inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// Status lines in file order with the given counts per code (others 0).
inline std::vector<std::string> StatusLines(
    const std::vector<std::pair<std::string, std::string>>& used) {
    static const char* codes[] = {
        "100", "101", "102", "200", "201", "202", "203", "204", "205", "206", "207", "300", "301",
        "302", "303", "304", "305", "307", "400", "401", "402", "403", "404", "405", "406", "407",
        "408", "409", "410", "411", "412", "413", "414", "415", "416", "417", "422", "423", "424",
        "426", "500", "501", "502", "503", "504", "505", "506", "507", "510"};
    std::vector<std::string> out;
    for (const char* c : codes) {
        std::string line = std::string(c) + ";0;-;-";
        for (const auto& [code, rest] : used)
            if (code == c)
                line = code + ";" + rest;
        out.push_back(line);
    }
    return out;
}

struct AnalysedMonth {
    static constexpr const char* kKey = "2004-02";  // 29 days; the 1st is a Sunday

    static std::vector<std::string> LogLines() {
        return {
            "10.0.0.1 - - [01/Feb/2004:10:00:00 +0100] \"GET /index.html HTTP/1.1\" 200 1000 "
            "\"http://search.example/find?q=web+log\" \"Agent/1.0\"",
            "10.0.0.1 - - [01/Feb/2004:10:00:05 +0100] \"GET /logo.png HTTP/1.1\" 200 2048 "
            "\"http://www.mysite.example/index.html\" \"Agent/1.0\"",
            "host.example - - [02/Feb/2004:11:00:00 +0100] \"GET /index.html HTTP/1.1\" 304 0 "
            "\"-\" \"Other/2.0\"",
            "host.example - - [02/Feb/2004:11:00:01 +0100] \"GET /missing.html HTTP/1.1\" 404 "
            "300 \"-\" \"Other/2.0\"",
            "10.0.0.1 - - [03/Feb/2004:09:00:00 +0100] \"GET /index.html HTTP/1.1\" 200 1000 "
            "\"-\" \"Agent/1.0\"",
            "10.0.0.1 - - [03/Feb/2004:09:00:01 +0100] \"GET /Index.html HTTP/1.1\" 200 10 \"-\" "
            "\"Agent/1.0\"",
        };
    }

    // Writes the month into `dir` (the site folder, no trailing slash).
    static void Write(const std::string& dir, bool withMonthly = true) {
        const std::string k = kKey;
        WriteRaw(dir + "/log-" + k + ".log", CrLf(LogLines()));
        WriteRaw(dir + "/lfp-" + k + ".tfd",
                 CrLf({"\\1;/index.html\\2;3\\3;-0-2-4-\\4;1\\5;200\\6;[03/Feb/2004:09:00:00 "
                       "+0100]\\7;-0-1-\\8;-0-\\9;-\\10;-0-\\11;-\\12;-\\13;",
                       "\\1;/logo.png\\2;1\\3;-1-\\4;2\\5;200\\6;[01/Feb/2004:10:00:05 "
                       "+0100]\\7;-0-\\8;-\\9;-\\10;-\\11;-0-\\12;-\\13;",
                       "\\1;/missing.html\\2;1\\3;-3-\\4;1\\5;404\\6;[02/Feb/2004:11:00:01 "
                       "+0100]\\7;-1-\\8;-\\9;-\\10;-\\11;-\\12;-\\13;",
                       "\\1;/Index.html\\2;1\\3;-5-\\4;1\\5;200\\6;[03/Feb/2004:09:00:01 "
                       "+0100]\\7;-0-\\8;-\\9;-\\10;-\\11;-\\12;-\\13;"}));
        WriteRaw(dir + "/hos-" + k + ".tfd",
                 CrLf({"\\1;10.0.0.1\\2;4\\3;-0-1-4-5-\\4;-0-1-3-\\5;[03/Feb/2004:09:00:01 "
                       "+0100]\\6;",
                       "\\1;host.example\\2;2\\3;-2-3-\\4;-0-2-\\5;[02/Feb/2004:11:00:01 "
                       "+0100]\\6;"}));
        WriteRaw(dir + "/nav-" + k + ".tfd",
                 CrLf({"\\1;Agent/1.0\\2;4\\3;-0-1-4-5-\\4;", "\\1;Other/2.0\\2;2\\3;-2-3-\\4;"}));
        WriteRaw(dir + "/mot-" + k + ".tfd",
                 CrLf({"\\1;http://search.example/find\\2;1\\3;-0-\\4;-0-\\5;[01/Feb/2004:10:00:00 "
                       "+0100]\\6;"}));
        WriteRaw(dir + "/mit-" + k + ".tfd",
                 CrLf({"\\1;http://www.mysite.example/index.html\\2;1\\3;-1-\\4;-1-\\5;[01/Feb/"
                       "2004:10:00:05 +0100]\\6;"}));
        WriteRaw(dir + "/ori-" + k + ".tfd",
                 CrLf({"\\1;\"q=web log\"\\2;0\\3;-21-\\4;-0-\\5;[01/Feb/2004:10:00:00 "
                       "+0100]\\6;http://search.example/find?q=web+log\\7;http://"
                       "search.example/\\8;"}));
        WriteRaw(dir + "/oit-" + k + ".tfd", "");
        WriteRaw(dir + "/ret-" + k + ".tfd", CrLf(StatusLines({{"200", "4;-0-1-4-5-;-0-1-3-"},
                                                               {"304", "1;-2-;-0-"},
                                                               {"404", "1;-3-;-2-"}})));
        WriteRaw(dir + "/fls-" + k + ".tfd", "");
        if (withMonthly)
            WriteRaw(dir + "/mon-" + k + ".tfd", CrLf(MonthlyLines()));
    }

    static std::string DayList(const std::vector<int>& firstDays) {
        std::string out = "-";
        for (int d = 0; d < 31; ++d)
            out += std::to_string(d < int(firstDays.size()) ? firstDays[std::size_t(d)] : 0) + "-";
        return out;
    }

    static std::vector<std::string> MonthlyLines() {
        return {"Date=01/03/2004 10:00:00",
                "Tota=4",
                "Page=3",
                "Imag=1",
                "Prog=0",
                "Host=2",
                "Orig=1",
                "Mote=1",
                "ReOK=5",
                "ReKO=1",
                "Hits=6",
                "Ret100=0",
                "Ret200=4",
                "Ret300=1",
                "Ret400=1",
                "Ret500=0",
                "Jour=3",
                "ViJo=" + DayList({1, 1, 1}),
                "KoJo=" + DayList({2, 0, 0}),
                "PaJo=" + DayList({1, 2, 2}),
                "HiJo=" + DayList({2, 2, 2}),
                "ViMo=3",
                "KoMo=4358",
                "PaMo=5",
                "HiMo=6",
                "ttPa=-0 (3)-2 (1)-3 (1)-",
                "ttHo=-0 (4)-1 (2)-",
                "ttMo=-0 (1)-"};
    }
};

}  // namespace trafikon::testing
