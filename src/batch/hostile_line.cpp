// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/hostile_line.h"

#include <array>
#include <string_view>

namespace trafikon::batch::generator {

void AppendHostileLine(Fields& f, const LogGeneratorOptions& options, Random& random,
                       std::string& junk, std::string& line) {
    const bool iis = options.format == GeneratedFormat::kIis;
    switch (random.Below(14)) {
        case 0: {  // quotes that do not close, or one too many
            AppendLogLine(f, options, random, line);
            if (const auto q = line.rfind('"'); !iis && q != std::string::npos)
                line.erase(q, 1);
            else
                line.insert(line.size() / 2, 1, '"');
            if (random.Percent(50))
                line.insert(line.find('/') + 1, "say \"hello");
            break;
        }
        case 1: {  // fields missing at the end
            AppendLogLine(f, options, random, line);
            std::size_t cut = 0;
            const int keep = random.Between(1, iis ? 10 : 7);
            for (int i = 0; i < keep && cut != std::string::npos; ++i)
                cut = line.find(' ', cut + 1);
            if (cut != std::string::npos)
                line.resize(cut);
            break;
        }
        case 2: {  // dates that do not exist
            static constexpr std::array<std::string_view, 6> kApache = {
                "32/Foo/2024:99:99:99 +0100",  "31/Feb/2004:25:61:61 +0100",
                "00/Jan/0000:00:00:00 +0000",  "",
                "12/Dec/99999:10:10:10 +9999", "yesterday"};
            static constexpr std::array<std::string_view, 6> kIis = {
                "2004-02-31 25:61:00", "0000-00-00 00:00:00", "99999-12-12 10:10:10",
                "yesterday at noon",   "2004-13-01",          "-"};
            f.dateText = iis ? random.Pick(kIis) : random.Pick(kApache);
            AppendLogLine(f, options, random, line);
            break;
        }
        case 3: {  // a very long path
            junk.assign(f.path);
            const int repeat = random.Between(200, 6000);
            for (int i = 0; i < repeat; ++i)
                junk += "/aaaaaaaaa";
            f.path = junk;
            AppendLogLine(f, options, random, line);
            break;
        }
        case 4: {  // a very long user agent or referrer
            junk.assign("Mozilla/5.0 (");
            const int repeat = random.Between(500, 5000);
            for (int i = 0; i < repeat; ++i)
                junk += iis ? "X11;+" : "X11; ";
            junk += ')';
            (random.Percent(50) ? f.agent : f.referrer) = junk;
            f.agentIis = f.agent;
            AppendLogLine(f, options, random, line);
            break;
        }
        case 5: {  // NUL bytes in a field, or a line of nothing else
            if (random.Percent(30)) {
                line.assign(static_cast<std::size_t>(random.Between(1, 40)), '\0');
                break;
            }
            junk.assign(f.path);
            junk += '\0';
            junk += "x.html";
            f.path = junk;
            AppendLogLine(f, options, random, line);
            break;
        }
        case 6:
        case 7: {  // markup where a window could render it
            static constexpr std::array<std::string_view, 6> kMarkup = {
                "<script>alert(1)</script>",
                "<b>bold</b><img src=x onerror=alert(1)>",
                "<a href='javascript:alert(1)'>click</a>",
                "&lt;&amp;&gt; <i>Mozilla</i>",
                "<h1>Title</h1><table><tr><td>cell",
                "<font color=red size=7>BIG</font>"};
            const std::string_view markup = random.Pick(kMarkup);
            if (random.Percent(50)) {
                f.agent = f.agentIis = markup;
            } else {
                junk.assign("http://www.example.net/");
                junk += markup;
                f.referrer = junk;
            }
            AppendLogLine(f, options, random, line);
            break;
        }
        case 8: {  // blank, almost empty or garbage lines
            const std::array<std::string_view, 6> kGarbage = {
                "",
                "-",
                "   \t ",
                "garbage line without any fields",
                "GET / HTTP/1.1",
                iis ? "#Fields: broken" : "\"\"\"\"\"\"\"\""};
            line.assign(random.Pick(kGarbage));
            break;
        }
        case 9: {  // bytes that are not text in any encoding, and terminal escapes
            junk.assign(f.path);
            junk += "\xff\xfe\xc3\x28\x80\x1b[31m\x01\x7f";
            f.path = junk;
            f.agent = f.agentIis = "Mozilla\xc0\xaf\xed\xa0\x80\x1b[2J";
            AppendLogLine(f, options, random, line);
            break;
        }
        case 10: {  // numbers out of range or not numbers
            static constexpr std::array<std::string_view, 6> kStatus = {
                "abc", "0", "99999", "-200", "2OO", "9999999999999999999999"};
            static constexpr std::array<std::string_view, 6> kBytes = {
                "-12", "99999999999999999999999", "1e9", "0x1F", "12abc", "--"};
            f.statusText = random.Pick(kStatus);
            f.bytesText = random.Pick(kBytes);
            AppendLogLine(f, options, random, line);
            break;
        }
        case 11: {  // a carriage return or tabs inside the line
            AppendLogLine(f, options, random, line);
            line.insert(line.size() / 3, random.Percent(50) ? "\r" : "\t\t");
            break;
        }
        case 12: {  // broken percent escapes in a search referrer
            static constexpr std::array<std::string_view, 5> kEscapes = {
                "%", "%G1%%%", "caf%C3", "%00nul%0D%0Aline", "%E9t%C3%A9%FF%FE+%2"};
            junk.assign("http://www.google.fr/search?hl=fr&q=");
            junk += random.Pick(kEscapes);
            junk += random.Percent(50) ? "&ie=UTF-8" : "";
            f.referrer = junk;
            AppendLogLine(f, options, random, line);
            break;
        }
        default: {  // cut off anywhere
            AppendLogLine(f, options, random, line);
            line.resize(random.Below(line.size()));
            break;
        }
    }
}

}  // namespace trafikon::batch::generator
