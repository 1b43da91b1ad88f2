// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/varied_visitors.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

#include "batch/generated_site.h"

namespace trafikon::batch::generator {

namespace {

// splitmix64's finaliser: the bits of a host, a network or an agent from its number.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Takes the next `n` values out of `bits`: a field of a mixed number.
unsigned Take(std::uint64_t& bits, unsigned n) {
    const auto v = static_cast<unsigned>(bits % n);
    bits /= n;
    return v;
}

__attribute__((format(printf, 2, 3))) void Append(std::string& out, const char* format, ...) {
    char text[320];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n > 0)
        out.append(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1));
}

// An index below `n` favouring the small ones: a long tail without a table.
std::uint64_t Skewed(Random& random, std::uint64_t n, int power) {
    double u = random.Real(), p = u;
    for (int i = 1; i < power; ++i)
        p *= u;
    return std::min<std::uint64_t>(n - 1, static_cast<std::uint64_t>(p * static_cast<double>(n)));
}

constexpr std::array<std::string_view, 40> kDevices = {
    "SM-G991B",      "SM-A536B", "SM-G973F",  "SM-A515F",       "SM-S911B",    "SM-A145R",
    "SM-T510",       "SM-N986B", "Pixel 7",   "Pixel 6a",       "Pixel 8 Pro", "Pixel 4a",
    "Redmi Note 9",  "M2101K6G", "2201117TY", "Mi 9T",          "CPH2211",     "ONEPLUS A6013",
    "LE2113",        "VOG-L29",  "ELE-L29",   "MAR-LX1A",       "moto g(30)",  "moto e(7)",
    "Nokia 5.3",     "RMX3085",  "V2111",     "HD1913",         "K",           "TECNO KG5k",
    "Infinix X6816", "SM-J530F", "SM-G930F",  "GT-I9505",       "LG-H870",     "ASUS_I005D",
    "XQ-BC52",       "FP4",      "A001OP",    "Lenovo TB-X606F"};

constexpr std::array<std::string_view, 36> kCrawlers = {
    "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)",
    "Mozilla/5.0 (Linux; Android 6.0.1; Nexus 5X Build/MMB29P) AppleWebKit/537.36 (KHTML, like "
    "Gecko) Chrome/120.0.6099.216 Mobile Safari/537.36 (compatible; Googlebot/2.1; "
    "+http://www.google.com/bot.html)",
    "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)",
    "Mozilla/5.0 (compatible; YandexBot/3.0; +http://yandex.com/bots)",
    "Mozilla/5.0 (compatible; Baiduspider/2.0; +http://www.baidu.com/search/spider.html)",
    "Mozilla/5.0 (compatible; AhrefsBot/7.0; +http://ahrefs.com/robot/)",
    "Mozilla/5.0 (compatible; SemrushBot/7~bl; +http://www.semrush.com/bot.html)",
    "Mozilla/5.0 (compatible; MJ12bot/v1.4.8; http://mj12bot.com/)",
    "Mozilla/5.0 (compatible; DotBot/1.2; +https://opensiteexplorer.org/dotbot)",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_5) AppleWebKit/605.1.15 (KHTML, like Gecko) "
    "Version/13.1.1 Safari/605.1.15 (Applebot/0.1; +http://www.apple.com/go/applebot)",
    "DuckDuckBot/1.1; (+http://duckduckgo.com/duckduckbot.html)",
    "Mozilla/5.0 (compatible; PetalBot;+https://webmaster.petalsearch.com/site/petalbot)",
    "facebookexternalhit/1.1 (+http://www.facebook.com/externalhit_uatext.php)",
    "Twitterbot/1.0",
    "LinkedInBot/1.0 (compatible; Mozilla/5.0; Apache-HttpClient +http://www.linkedin.com)",
    "Mozilla/5.0 (compatible; SeznamBot/4.0; +http://napoveda.seznam.cz/seznambot-intro/)",
    "Mozilla/5.0 (compatible; Exabot/3.0; +http://www.exabot.com/go/robot)",
    "Mozilla/5.0 (compatible; Qwantify/2.4w; +https://www.qwant.com/)/2.4w",
    "Sogou web spider/4.0(+http://www.sogou.com/docs/help/webmasters.htm#07)",
    "ia_archiver (+http://www.alexa.com/site/help/webmasters; crawler@alexa.com)",
    "Mozilla/5.0 (compatible; archive.org_bot +http://archive.org/details/archive.org_bot)",
    "CCBot/2.0 (https://commoncrawl.org/faq/)",
    "Mozilla/5.0 (compatible; BLEXBot/1.0; +http://webmeup-crawler.com/)",
    "Mozilla/5.0 (compatible; MegaIndex.ru/2.0; +http://megaindex.com/crawler)",
    "Mozilla/5.0 (compatible; serpstatbot/2.1; +https://serpstatbot.com/)",
    "Mozilla/5.0 (compatible; DataForSeoBot/1.0; +https://dataforseo.com/dataforseo-bot)",
    "Mozilla/5.0 (compatible; coccocbot-web/1.0; +http://help.coccoc.com/searchengine)",
    "Mozilla/5.0 (compatible; Linux x86_64; Mail.RU_Bot/2.0; +http://go.mail.ru/help/robots)",
    "Mozilla/5.0 (compatible; Pinterestbot/1.0; +http://www.pinterest.com/bot.html)",
    "Mozilla/5.0 (compatible; UptimeRobot/2.0; http://www.uptimerobot.com/)",
    "FeedFetcher-Google; (+http://www.google.com/feedfetcher.html)",
    "AdsBot-Google (+http://www.google.com/adsbot.html)",
    "Googlebot-Image/1.0",
    "msnbot/2.0b (+http://search.msn.com/msnbot.htm)",
    "Mozilla/5.0 (compatible; Yahoo! Slurp; http://help.yahoo.com/help/us/ysearch/slurp)",
    "Mozilla/5.0 (compatible; Bytespider; spider-feedback@bytedance.com)"};

constexpr std::array<std::string_view, 16> kTld = {"fr",  "de",  "co.uk", "it", "es", "be",
                                                   "ch",  "nl",  "ca",    "jp", "br", "pl",
                                                   "com", "net", "org",   "at"};

constexpr std::array<std::string_view, 12> kProviders = {
    "wanadoo", "telecom", "cablenet", "fibre", "dsl",     "numericable",
    "online",  "mobile",  "provider", "kabel", "netvisi", "broadband"};

void AppendChrome(std::uint64_t& bits, std::string& out) {
    const unsigned major = 70 + Take(bits, 62);
    if (major >= 101 && Take(bits, 10) < 7)
        Append(out, "Chrome/%u.0.0.0", major);
    else
        Append(out, "Chrome/%u.0.%u.%u", major, 3500 + (major - 70) * 80 + Take(bits, 60),
               Take(bits, 220));
}

// A browser's user agent from the bits of its number.
void AppendBrowserAgent(std::uint64_t bits, std::string& out) {
    const unsigned system = Take(bits, 100), browser = Take(bits, 100);
    std::string platform;
    bool mobile = false, apple = false;
    if (system < 38) {
        static constexpr std::array<std::string_view, 4> windows = {
            "Windows NT 10.0; Win64; x64", "Windows NT 10.0; Win64; x64",
            "Windows NT 6.1; Win64; x64", "Windows NT 6.3; WOW64"};
        platform = windows[Take(bits, 4)];
    } else if (system < 50) {
        Append(platform, "Macintosh; Intel Mac OS X 10_%u_%u", 13 + Take(bits, 3), Take(bits, 8));
        apple = true;
    } else if (system < 56) {
        platform = Take(bits, 2) ? "X11; Linux x86_64" : "X11; Ubuntu; Linux x86_64";
    } else if (system < 80) {
        Append(platform, "Linux; Android %u; %s", 8 + Take(bits, 7),
               std::string(kDevices[Take(bits, kDevices.size())]).c_str());
        mobile = true;
    } else {
        const bool pad = system >= 95;
        Append(
            platform,
            pad ? "iPad; CPU OS %u_%u like Mac OS X" : "iPhone; CPU iPhone OS %u_%u like Mac OS X",
            12 + Take(bits, 6), Take(bits, 8));
        mobile = apple = true;
    }
    if (system < 3) {
        out = "Mozilla/4.0 (";
        Append(out, "compatible; MSIE %u.0; Windows NT %s; Trident/%u.0)", 7 + Take(bits, 4),
               Take(bits, 2) ? "6.1" : "5.1", 4 + Take(bits, 3));
        return;
    }
    out = "Mozilla/5.0 (";
    if (apple && browser < (mobile ? 80u : 50u)) {
        const unsigned version = 12 + Take(bits, 6);
        Append(out, "%s) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/%u.%u%s",
               platform.c_str(), version, Take(bits, 5),
               mobile ? " Mobile/15E148 Safari/604.1" : " Safari/605.1.15");
        return;
    }
    if (browser >= 82 || (apple && browser >= 70)) {
        const unsigned version = 60 + Take(bits, 74);
        if (apple && mobile)
            Append(out,
                   "%s) AppleWebKit/605.1.15 (KHTML, like Gecko) FxiOS/%u.0 Mobile/15E148 "
                   "Safari/605.1.15",
                   platform.c_str(), version);
        else
            Append(out, "%s; rv:%u.0) Gecko/20100101 Firefox/%u.0", platform.c_str(), version,
                   version);
        return;
    }
    Append(out, "%s) AppleWebKit/537.36 (KHTML, like Gecko) ", platform.c_str());
    if (mobile && !apple && browser < 14)
        Append(out, "SamsungBrowser/%u.0 ", 14 + Take(bits, 10));
    if (apple) {
        out.replace(out.find("537.36"), 6, "605.1.15");
        Append(out, "CriOS/%u.0.%u.%u Mobile/15E148 Safari/604.1", 90 + Take(bits, 40),
               4400 + Take(bits, 2000), Take(bits, 200));
        return;
    }
    AppendChrome(bits, out);
    out += mobile ? " Mobile Safari/537.36" : " Safari/537.36";
    if (!mobile && browser >= 64)
        Append(out, browser >= 78 ? " OPR/%u.0.%u.%u" : " Edg/%u.0.%u.%u", 90 + Take(bits, 40),
               1000 + Take(bits, 1500), Take(bits, 120));
}

void AppendToolAgent(std::uint64_t bits, std::string& out) {
    switch (Take(bits, 10)) {
        case 0:
            Append(out, "curl/7.%u.%u", 29 + Take(bits, 60), Take(bits, 3));
            break;
        case 1:
            Append(out, "Wget/1.%u.%u", 12 + Take(bits, 10), Take(bits, 4));
            break;
        case 2:
            Append(out, "python-requests/2.%u.%u", 18 + Take(bits, 14), Take(bits, 3));
            break;
        case 3:
            out = "Go-http-client/1.1";
            break;
        case 4:
            Append(out, "Java/1.8.0_%u", 100 + Take(bits, 300));
            break;
        case 5:
            Append(out, "libwww-perl/6.%u", 30 + Take(bits, 50));
            break;
        case 6:
            Append(out, "okhttp/4.%u.%u", Take(bits, 12), Take(bits, 3));
            break;
        case 7:
            Append(out, "Python-urllib/3.%u", 6 + Take(bits, 7));
            break;
        case 8:
            Append(out, "PostmanRuntime/7.%u.%u", 20 + Take(bits, 20), Take(bits, 3));
            break;
        default:
            Append(out, "Apache-HttpClient/4.5.%u (Java/11.0.%u)", Take(bits, 14), Take(bits, 20));
    }
}

}  // namespace

VariedVisitors::VariedVisitors(std::uint64_t seed, std::int64_t lines, std::int64_t hosts)
    : seed_(Mix(seed ^ 0x5EEDull)),
      lines_(std::max<std::int64_t>(1, lines)),
      hosts_(std::max<std::int64_t>(1, hosts)) {
    host_.name.reserve(96);
    agent_.reserve(320);
    agentIis_.reserve(320);
}

const Host& VariedVisitors::NextHost(Random& random, std::int64_t line) {
    std::uint64_t number;
    if (seen_ == 0 || (seen_ < hosts_ && seen_ * lines_ <= line * hosts_))
        number = static_cast<std::uint64_t>(seen_++);
    else
        number = Skewed(random, static_cast<std::uint64_t>(seen_), 3);
    MakeHost(number);
    return host_;
}

void VariedVisitors::MakeHost(std::uint64_t number) {
    // Consecutive new hosts share their network, a few to a few dozen of them.
    const std::uint64_t network = number >> (2 + Mix(seed_ ^ (number >> 5)) % 4);
    std::uint64_t net = Mix(seed_ + network * 0x9E37ull), own = Mix(seed_ ^ (number * 0xA24Bull));
    const unsigned kind = Take(net, 100);
    host_.name.clear();
    const unsigned a = 2 + Take(net, 220), b = Take(net, 256), c = Take(net, 256);
    if (kind < 68) {
        Append(host_.name, "%u.%u.%u.%u", a, b, c, 1 + Take(own, 254));
    } else if (kind < 84) {
        std::uint64_t prefix = Mix(net);
        Append(host_.name, "2a0%u:%x:%x:%x::%x", 1 + Take(prefix, 9), Take(prefix, 0x10000),
               Take(prefix, 0x10000), Take(own, 0x10000), Take(own, 0x10000));
    } else {
        const std::string_view tld = kTld[Take(net, kTld.size())];
        const std::string_view provider = kProviders[Take(net, kProviders.size())];
        Append(host_.name, "%s%u-%u-%u.%s.%.*s", kind < 92 ? "abo" : "ppp", c, Take(own, 256),
               1 + Take(own, 254), std::string(provider).c_str(), static_cast<int>(tld.size()),
               tld.data());
    }
    own = Mix(own);
    const unsigned role = Take(own, 100);
    host_.user = "-";
    agent_.clear();
    if (role < 4) {
        host_.kind = Visitor::kRobot;
        // The big crawlers come from many addresses, the small ones from few.
        agent_ = kCrawlers[std::min<std::uint64_t>(
            kCrawlers.size() - 1, Take(own, 100) * Take(own, 100) * kCrawlers.size() / 10000)];
    } else if (role < 7) {
        host_.kind = Visitor::kTool;
        AppendToolAgent(own, agent_);
    } else {
        host_.kind = Visitor::kPerson;
        // Browsers come in a few thousand versions, a few of them very common.
        const double u = static_cast<double>(Take(own, 1u << 20)) / (1u << 20);
        AppendBrowserAgent(Mix(seed_ + static_cast<std::uint64_t>(u * u * u * 6000.0)), agent_);
        if (Take(own, 100) < 3)
            host_.user = "member" + std::to_string(number);
    }
    agentIis_ = agent_;
    std::replace(agentIis_.begin(), agentIis_.end(), ' ', '+');
}

void VariedVisitors::SearchPhrase(Random& random, std::string& out) const {
    out.clear();
    if (random.Percent(15)) {
        out = kPhrases[Skewed(random, kPhrases.size(), 2)];
        return;
    }
    const int words = 1 + static_cast<int>(Skewed(random, 4, 2));
    for (int i = 0; i < words; ++i) {
        if (i)
            out += ' ';
        out += kWords[Skewed(random, kWords.size(), 2)];
    }
    if (random.Percent(10))
        Append(out, " %d", 1990 + random.Between(0, 35));
}

void VariedVisitors::OtherSite(Random& random, std::string& out) const {
    out.clear();
    if (random.Percent(25)) {
        static constexpr std::array<std::string_view, 6> social = {
            "https://www.facebook.com/",
            "https://l.facebook.com/l.php?u=",
            "https://t.co/",
            "https://www.reddit.com/r/",
            "https://www.linkedin.com/",
            "android-app://com.google.android.gm/"};
        const std::size_t s = Skewed(random, social.size(), 2);
        out = social[s];
        if (s == 1)
            out += "https%3A%2F%2Fwww.example.org%2F";
        else if (s == 2)
            Append(out, "%08llx", static_cast<unsigned long long>(random.Next() & 0xFFFFFFFFull));
        else if (s == 3)
            out += kWords[random.Below(kWords.size())];
        return;
    }
    // Thousands of sites, each linking from a few of its pages.
    const std::uint64_t site = Skewed(random, 4000, 2);
    std::uint64_t bits = Mix(seed_ ^ (site * 0xC2B2AE3Dull));
    Append(out, "http%s://www.%s-%s%u.%s/", Take(bits, 2) ? "s" : "",
           std::string(kWords[Take(bits, kWords.size())]).c_str(),
           std::string(kWords[Take(bits, kWords.size())]).c_str(), Take(bits, 100),
           std::string(kTld[Take(bits, kTld.size())]).c_str());
    const unsigned pages = 1 + Take(bits, 12);
    Append(out, "%s/%u.html", std::string(kWords[random.Below(kWords.size())]).c_str(),
           static_cast<unsigned>(random.Below(pages)));
}

}  // namespace trafikon::batch::generator
