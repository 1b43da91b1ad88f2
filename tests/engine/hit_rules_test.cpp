// SPDX-License-Identifier: GPL-3.0-or-later
// The classification rules applied to every hit: requested path, file type,
// monthly-statistics kind, numbers, days, referrer site length, status slots, time texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/month_analysis.h"
#include "engine/result_files.h"

namespace trafikon {
namespace {

TEST(HitRulesTest, RequestPathDropsMethodProtocolQueryAndFragment) {
    const std::pair<const char*, const char*> cases[] = {
        {"GET /a/b.php?x=1#top HTTP/1.0", "/a/b.php"},
        {"GET /index.html HTTP/1.1", "/index.html"},
        {"-", "-"},                     // no blank: the whole text
        {"GET /x", "/x"},               // no protocol
        {"/only#frag", "/only"},        // no blank, fragment cut
        {"GET /a#b?c HTTP/1.0", "/a"},  // "?" cut first, then "#"
        {"GET  HTTP/1.1", ""},          // IIS line without method or path
        {"", ""},
        {"POST /f?q HTTP/1.1 extra", "/f"},
        // Long paths: the end found past the first sixteen bytes, or at none.
        {"GET /a/long/path/to/some/file.html?x=1 HTTP/1.1", "/a/long/path/to/some/file.html"},
        {"GET /0123456789abcdef0123456789#f", "/0123456789abcdef0123456789"},
        {"GET /0123456789abcdef0123456789abcdef", "/0123456789abcdef0123456789abcdef"},
    };
    for (const auto& [request, path] : cases)
        EXPECT_EQ(RequestPath(request), path) << request;
}

TEST(HitRulesTest, FileTypeLooksAtTheLastFiveCharactersInLowerCase) {
    const std::pair<const char*, FileType> cases[] = {
        {"/a/b.php", kPageFile},
        {"/", kPageFile},
        {"-", kPageFile},
        {"", kPageFile},
        {"/img/logo.PNG", kImageFile},
        {"/style.css", kOtherFile},
        {"/download/setup.exe", kArchiveFile},
        {"/a.html", kPageFile},
        {"/a.xhtml", kPageFile},  // ".xhtml" is beyond the five-character scan
        {"/a.dhtml", kPageFile},
        {"/a.jpeg", kImageFile},
        {"/a.JPG", kImageFile},
        {"/x.h", kPageFile},  // substring of the page list
        {"/x.ph", kPageFile},
        {"/x.jp", kImageFile},  // substring of the image list
        {"/x.", kPageFile},     // "." occurs in the page list
        {"/x.tar.gz", kOtherFile},
        {"/dir.v2/file", kPageFile},  // "/" stops the scan first
        {"/a.zip", kArchiveFile},
        {"/a.RAR", kArchiveFile},
        {"/a.mpeg4", kPageFile},  // no dot within the last five characters
        {".gif", kImageFile},     // the first character is scanned too
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(FileTypeOfPath(path), type) << path;
}

// Every extension of up to four characters after its dot, over the characters
// of the lists and a few others, is typed as the first list that holds it as
// a part, the way the rule reads.
TEST(HitRulesTest, FileTypeIsTheFirstListHoldingTheExtension) {
    const std::string_view lists[] = {".php,.php3,.htm,.html,.xhtml,.jsp,.asp,.cfm,.dhtml,.cgi,.pl",
                                      ".jpeg,.jpg,.gif,.png", ".zip,.exe,.rar"};
    const std::string alphabet = "acdefghijlmnprstxz3,ZQ";
    std::vector<std::string> extensions = {"."};
    for (std::size_t from = 0; from < extensions.size(); ++from)
        if (extensions[from].size() < 5)
            for (const char c : alphabet)
                extensions.push_back(extensions[from] + c);
    for (const std::string& ext : extensions) {
        std::string lower = ext;
        for (char& c : lower)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        FileType expected = kOtherFile;
        for (int k = 2; k >= 0; --k)
            if (lists[k].find(lower) != std::string_view::npos)
                expected = static_cast<FileType>(k + 1);
        ASSERT_EQ(FileTypeOfPath("/f" + ext), expected) << ext;
    }
}

TEST(HitRulesTest, MonthlyKindScansTheWholeExtensionCaseSensitively) {
    const std::pair<const char*, StatsKind> cases[] = {
        {"/a.gif", StatsKind::kImage},  {"/b.zip", StatsKind::kArchive},
        {"/c", StatsKind::kPage},       {"/d.GIF", StatsKind::kPage},
        {"/e.xhtml", StatsKind::kPage}, {"/f.jpeg", StatsKind::kImage},
        {"/g.", StatsKind::kImage},  // "." occurs in the image list
        {"/h.jp", StatsKind::kImage},   {"/i.verylongext", StatsKind::kPage},
        {"/j.v1/k", StatsKind::kPage},  {"/l.exe", StatsKind::kArchive},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(StatsKindOfPath(path), kind) << path;
}

TEST(HitRulesTest, LogNumbers) {
    struct Case {
        const char* text;
        bool ok;
        std::int64_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"1248", true, 1248},
        {"+12", true, 12},
        {"9223372036854775807", true, INT64_MAX},
        {"9223372036854775808", false, 0},
        {"-", false, 0},
        {"-5", false, 0},
        {"", false, 0},
        {"+", false, 0},
        {"12a", false, 0},
        {" 12", false, 0},
        {"++1", false, 0},
    };
    for (const auto& c : cases) {
        std::int64_t v = -1;
        EXPECT_EQ(ParseLogNumber(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(HitRulesTest, DayOfTimestamp) {
    const std::pair<const char*, int> cases[] = {
        {"[24/Mar/2002:01:37:08 +0100]", 24},
        {"[01/Mar/2002:01:37:08 +0100]", 1},
        {"[31/Mar/2002:01:37:08 +0100]", 31},
        {"[00/Mar/2002:01:37:08 +0100]", 0},
        {"[45/Mar/2002:01:37:08 +0100]", 0},
        {"[4/Mar/2002:01:37:08 +0100]", 0},
        {"[//:: +0200]", 0},
        {"[", 0},
        {"", 0},
        {"[0x/", 0},
    };
    for (const auto& [time, day] : cases)
        EXPECT_EQ(DayOfTimestamp(time), day) << time;
}

TEST(HitRulesTest, ReferrerSiteLengthEndsAtTheFirstSlashFromNine) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"http://search.example.com/find?q=a", 26},
        {"https://www.b.com/?q", 18},
        {"http://a.b", 10},  // no "/" from position 9: the length
        {"http://x", 9},     // shorter than nine characters
        {"a?b", 9},
        {"http://a/b/c", 9},  // a "/" at position 9 itself
    };
    for (const auto& [referrer, length] : cases)
        EXPECT_EQ(ReferrerSiteLength(referrer), length) << referrer;
}

TEST(HitRulesTest, StatusSlots) {
    const std::pair<const char*, int> cases[] = {
        {"100", StatusSlot(100)},
        {"304", StatusSlot(304)},
        {"+404", StatusSlot(404)},
        {"510", StatusSlot(510)},
        {"306", StatusSlot(306)},
        {"426", StatusSlot(426)},
        {"103", -1},
        {"99", -1},
        {"600", -1},
        {"511", -1},
        {"427", -1},
        {"-", -1},
        {"abc", -1},
        {"", -1},
        {"99999999999999999999", -1},
        {"0304", StatusSlot(304)},
    };
    for (const auto& [text, slot] : cases)
        EXPECT_EQ(StatusSlotOfText(text), slot) << text;
    EXPECT_GE(StatusSlot(306), 0);
}

// Whatever a log writes as a time comes back byte for byte, packed or not.
TEST(HitRulesTest, TimeTextsGiveBackEveryText) {
    const std::vector<std::string> texts = {"[03/May/2004:10:12:00 +0200]",
                                            "[31/Dec/1999:23:59:59 -1130]",
                                            "",
                                            "[3/May/2004:10:12:00 +0200]",
                                            "[03/May/2004:10:12:0/ +0200]",
                                            "[03/May/2004:1a:12:00 +0200]",
                                            "[03/May/2004 10:12:00 +0200]",
                                            "[03/mai/2004:10:12:00 +0200)",
                                            "[99/Dec/9999:99:99:99 -9999]",
                                            "short time",
                                            "1234567",
                                            "-",
                                            "[03/May/2004:10:12:00 +0200] and more",
                                            std::string(200, 'x')};
    TimeTexts times;
    for (const auto& t : texts)
        times.Push(t);
    std::vector<std::string> months;
    for (const char* m : {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct",
                          "Nov", "Dec", "JAN", "Mai"}) {
        months.push_back(std::string("[01/") + m + "/2026:00:00:00 +0100]");
        times.Push(months.back());
    }
    for (std::uint32_t i = 0; i < months.size(); ++i)
        EXPECT_EQ(times.Get(static_cast<std::uint32_t>(texts.size()) + i), months[i]) << i;
    for (std::uint32_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(times.Get(i), texts[i]) << i;
    // Set again with the texts in the other order: packed, aside and in place change places.
    for (std::uint32_t i = 0; i < texts.size(); ++i)
        times.Set(i, texts[texts.size() - 1 - i]);
    for (std::uint32_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(times.Get(i), texts[texts.size() - 1 - i]) << i;
    // Any one byte of a timestamp changed: the text still comes back whole,
    // whether it now packs (month, sign) or must be kept as it is.
    TimeTexts changed;
    std::vector<std::string> variants;
    for (std::size_t at = 0; at < texts[0].size(); ++at)
        for (const char c : {'x', '/', ':', '\xB0'}) {
            variants.push_back(texts[0]);
            variants.back()[at] = c;
            changed.Push(variants.back());
        }
    for (std::uint32_t i = 0; i < variants.size(); ++i)
        EXPECT_EQ(changed.Get(i), variants[i]) << i;
}

}  // namespace
}  // namespace trafikon
