// SPDX-License-Identifier: GPL-3.0-or-later
// Who visits the generated site and where they come from: browsers, robots
// and tools, search engines with their phrases, and other sites.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace trafikon::batch::generator {

constexpr std::array<std::string_view, 18> kBrowsers = {
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/120.0.0.0 Safari/537.36",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:121.0) Gecko/20100101 Firefox/121.0",
    "Mozilla/5.0 (iPhone; CPU iPhone OS 17_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like "
    "Gecko) Version/17.1 Mobile/15E148 Safari/604.1",
    "Mozilla/5.0 (Linux; Android 13; SM-A536B) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/119.0.6045.163 Mobile Safari/537.36",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) "
    "Version/17.1 Safari/605.1.15",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/119.0.0.0 Safari/537.36 Edg/119.0.2151.97",
    "Mozilla/5.0 (X11; Linux x86_64; rv:115.0) Gecko/20100101 Firefox/115.0",
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)",
    "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0; .NET CLR 2.0.50727)",
    "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)",
    "Mozilla/5.0 (Windows; U; Windows NT 5.1; fr; rv:1.8.1.20) Gecko/20081217 Firefox/2.0.0.20",
    "Opera/9.80 (Windows NT 6.1; U; fr) Presto/2.10.229 Version/11.62",
    "Mozilla/5.0 (X11; Ubuntu; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/118.0.0.0 Safari/537.36",
    "Mozilla/5.0 (iPad; CPU OS 16_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
    "Version/16.6 Mobile/15E148 Safari/604.1",
    "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0) like Gecko",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10.15; rv:120.0) Gecko/20100101 Firefox/120.0",
    "Mozilla/5.0 (Linux; U; Android 4.0.3; fr-fr; GT-I9100 Build/IML74K) AppleWebKit/534.30 "
    "(KHTML, like Gecko) Version/4.0 Mobile Safari/534.30",
    "Mozilla/5.0 (X11; U; Linux i686; fr-FR; rv:1.9.0.5) Gecko/2008121622 Firefox/3.0.5"};

constexpr std::array<std::string_view, 7> kRobots = {
    "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)",
    "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)",
    "Mozilla/5.0 (compatible; YandexBot/3.0; +http://yandex.com/bots)",
    "Mozilla/5.0 (compatible; Baiduspider/2.0; +http://www.baidu.com/search/spider.html)",
    "DuckDuckBot/1.1; (+http://duckduckgo.com/duckduckbot.html)",
    "Mozilla/5.0 (compatible; Yahoo! Slurp; http://help.yahoo.com/help/us/ysearch/slurp)",
    "msnbot/1.1 (+http://search.msn.com/msnbot.htm)"};

constexpr std::array<std::string_view, 4> kTools = {"curl/7.88.1", "Wget/1.21.3",
                                                    "python-requests/2.31.0", "libwww-perl/6.68"};

enum class Visitor { kPerson, kRobot, kTool };

struct Host {
    std::string name;
    std::string user = "-";
    Visitor kind = Visitor::kPerson;
    std::size_t agent = 0;  // index in the generator's list of agents
};

// --- Where visitors come from ---

// Search phrases in UTF-8; their accented letters all exist in Latin-1.
constexpr std::array<std::string_view, 16> kPhrases = {"café crème",
                                                       "résumé été 2003",
                                                       "hôtel à paris pas cher",
                                                       "linux install guide",
                                                       "über straße",
                                                       "año nuevo",
                                                       "naïve façade",
                                                       "recette gâteau au chocolat",
                                                       "météo côte d'azur",
                                                       "cheap flights",
                                                       "télécharger logiciel gratuit",
                                                       "jardin potager",
                                                       "forêt noire",
                                                       "C++ & \"quotes\"",
                                                       "100% free",
                                                       "plan mairie"};

enum class Encoding { kUtf8Plus, kLatin1Plus, kUtf8Percent20, kUtf8Lower };
constexpr int kEncodings = 4;

struct SearchEngine {
    std::string_view before, after;
    Encoding encoding;
};

constexpr std::array<SearchEngine, 8> kEngines = {{
    {"http://www.google.com/search?hl=en&q=", "&ie=UTF-8&oe=UTF-8", Encoding::kUtf8Plus},
    {"http://www.google.fr/search?q=", "&hl=fr&btnG=Recherche+Google&meta=", Encoding::kLatin1Plus},
    {"https://www.bing.com/search?q=", "&form=QBLH", Encoding::kUtf8Plus},
    {"http://fr.search.yahoo.com/search?p=", "&ei=UTF-8&fr=yfp-t-501", Encoding::kUtf8Percent20},
    {"https://duckduckgo.com/?q=", "&t=h_&ia=web", Encoding::kUtf8Lower},
    {"http://www.qwant.com/?q=", "&t=web", Encoding::kUtf8Plus},
    {"http://recherche.example.fr/cgi-bin/query?mots=", "&lang=fr", Encoding::kLatin1Plus},
    {"http://search.example.com/results.aspx?q=", "&first=11&FORM=PERE&enc=utf-8",
     Encoding::kUtf8Plus},
}};

constexpr std::array<std::string_view, 6> kOtherSites = {
    "http://blog.example.com/2003/11/links.html",
    "http://forum.example.net/viewtopic.php?t=4412&start=15",
    "http://www.example.net/annuaire/loisirs/",
    "https://news.example.com/",
    "http://localhost/test.html",
    "http://mail.example.fr/webmail/src/read_body.php?mailbox=INBOX&passed_id=95"};

// The phrase as a search engine writes it in its address.
std::string PercentEncode(std::string_view text, Encoding encoding);

}  // namespace trafikon::batch::generator
