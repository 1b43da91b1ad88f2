#include "batch/log_generator.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <vector>

namespace trafikon::batch {

namespace {

// xoshiro256** seeded through splitmix64: small, fast and the same on every
// platform (the standard distributions are not).
class Random {
  public:
    explicit Random(std::uint64_t seed) {
        for (auto& s : state_) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }
    // 0 <= result < n (n > 0).
    std::uint64_t Below(std::uint64_t n) { return (Next() >> 11) % n; }
    int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
    // True with probability `percent` / 100.
    bool Percent(double percent) { return Real() * 100.0 < percent; }
    double Real() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

  private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

// Picks index k of n with a weight proportional to 1/(k+1): a few items take
// most of the picks and a long tail shares the rest. Integer weights keep the
// picks identical on every machine.
class LongTail {
  public:
    explicit LongTail(std::size_t n) {
        std::uint64_t total = 0;
        for (std::size_t k = 0; k < n; ++k) {
            total += 1000000000ull / (k + 1);
            cumulative_.push_back(total);
        }
    }
    std::size_t Pick(Random& random) const {
        const std::uint64_t u = random.Below(cumulative_.back());
        return std::upper_bound(cumulative_.begin(), cumulative_.end(), u) - cumulative_.begin();
    }

  private:
    std::vector<std::uint64_t> cumulative_;
};

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// 0 = Sunday.
int WeekDay(int y, int m, int d) {
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        --y;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

struct Moment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// --- What the site holds ---

constexpr std::array<std::string_view, 56> kWords = {
    "news",    "contact",    "products", "download", "support",  "forum",    "faq",      "photos",
    "travel",  "recipes",    "garden",   "history",  "music",    "video",    "linux",    "windows",
    "install", "guide",      "prices",   "team",     "events",   "club",     "weather",  "maps",
    "sport",   "cinema",     "books",    "jobs",     "press",    "partners", "holiday",  "shop",
    "help",    "links",      "archive",  "tools",    "code",     "manual",   "report",   "agenda",
    "accueil", "actualites", "recettes", "jardin",   "vacances", "ecole",    "musique",  "plan",
    "tarifs",  "equipe",     "horaires", "galerie",  "annuaire", "livre",    "chantier", "mairie"};

constexpr std::array<std::string_view, 10> kFolders = {
    "/",    "/news/", "/docs/",     "/forum/", "/blog/",
    "/fr/", "/en/",   "/products/", "/about/", "/photos/2003/"};

constexpr std::array<std::string_view, 8> kPageEndings = {".html", ".html", ".html",  ".htm",
                                                          ".php",  ".asp",  ".shtml", "/"};

constexpr std::array<std::string_view, 6> kImageEndings = {".jpg",  ".gif", ".png",
                                                           ".jpeg", ".JPG", ".gif"};

struct Resource {
    std::string path;
    int bytes = 0;
};

struct Page {
    std::string path;
    std::string url;  // the page's full address, the referrer of what it loads
    int bytes = 0;
    bool dynamic = false;  // takes a query string
    std::size_t firstImage = 0, imageCount = 0;
};

const std::array<Resource, 6> kAssets = {{{"/css/site.css", 1516},
                                          {"/js/site.js", 3932},
                                          {"/images/logo.gif", 912},
                                          {"/favicon.ico", 4175},
                                          {"/images/bg.jpg", 1560},
                                          {"/css/print.css", 640}}};

const std::array<Resource, 8> kDownloads = {{{"/download/tools-1.2.zip", 1843220},
                                             {"/download/manual.pdf", 734003},
                                             {"/download/photos-2003.tar.gz", 15204352},
                                             {"/download/setup.exe", 4718592},
                                             {"/download/update-2.msi", 2202009},
                                             {"/files/sources-2.4.tgz", 912384},
                                             {"/files/plans.rar", 3355443},
                                             {"/download/player.exe", 1048576}}};

constexpr std::string_view kSite = "http://www.example.org";

struct Site {
    std::vector<Page> pages;
    std::vector<Resource> images;

    Site(Random& random, int pageCount) {
        std::set<std::string> seen;
        pages.push_back(MakePage("/", random));
        seen.insert("/");
        while (static_cast<int>(pages.size()) < pageCount) {
            std::string path(random.Pick(kFolders));
            path += random.Pick(kWords);
            if (random.Percent(60)) {
                path += '-';
                path += random.Pick(kWords);
            }
            const std::string_view ending = random.Pick(kPageEndings);
            path += ending;
            if (!seen.insert(path).second)
                path.insert(path.size() - ending.size(), std::to_string(pages.size()));
            pages.push_back(MakePage(path, random));
            Page& page = pages.back();
            page.dynamic = ending == ".php" || ending == ".asp";
            page.firstImage = images.size();
            page.imageCount = random.Below(5);
            const std::string folder = path.substr(0, path.rfind('/') + 1);
            for (std::size_t i = 0; i < page.imageCount; ++i) {
                std::string image = folder + "images/";
                image += random.Pick(kWords);
                image += std::to_string(i);
                image += random.Pick(kImageEndings);
                images.push_back({image, random.Between(900, 80000)});
            }
        }
    }

    static Page MakePage(const std::string& path, Random& random) {
        Page page;
        page.path = path;
        page.url = std::string(kSite) + path;
        page.bytes = random.Between(1200, 24000);
        return page;
    }
};

// --- Who visits ---

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
    std::size_t agent = 0;  // index in Generator::agents_
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

std::string PercentEncode(std::string_view text, Encoding encoding) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (encoding == Encoding::kLatin1Plus && (c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((c & 0x03) << 6) | (text[++i] & 0x3F));
        } else {
            bytes += static_cast<char>(c);
        }
    }
    const char* hex = encoding == Encoding::kUtf8Lower ? "0123456789abcdef" : "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~') {
            out += ch;
        } else if (c == ' ' && encoding != Encoding::kUtf8Percent20) {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// --- Lines ---

// The fields of one line. Views point into tables or the generator's scratch strings.
struct Fields {
    std::string_view host, user, method = "GET", path, query, protocol = "HTTP/1.1", referrer = "-",
                                 agent, agentIis;
    int status = 200;
    std::int64_t bytes = 0;  // < 0 writes "-"
    Moment when;
    // Hostile replacements of whole fields, used when not empty.
    std::string_view dateText, statusText, bytesText;
};

void AppendNumber(std::string& out, std::int64_t n) {
    char digits[24];
    int i = 0;
    const bool negative = n < 0;
    std::uint64_t u = negative ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    do {
        digits[i++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (negative)
        out += '-';
    while (i)
        out += digits[--i];
}

void AppendTwo(std::string& out, int n) {
    out += static_cast<char>('0' + n / 10);
    out += static_cast<char>('0' + n % 10);
}

// HH:MM:SS
void AppendClock(std::string& out, const Moment& m) {
    AppendTwo(out, m.hour);
    out += ':';
    AppendTwo(out, m.minute);
    out += ':';
    AppendTwo(out, m.second);
}

// YYYY-MM-DD HH:MM:SS
void AppendIisDate(std::string& out, const Moment& m) {
    AppendNumber(out, m.year);
    out += '-';
    AppendTwo(out, m.month);
    out += '-';
    AppendTwo(out, m.day);
    out += ' ';
    AppendClock(out, m);
}

// DD/Mon/YYYY:HH:MM:SS
void AppendApacheDate(std::string& out, const Moment& m) {
    AppendTwo(out, m.day);
    out += '/';
    out += kMonthNames[m.month - 1];
    out += '/';
    AppendNumber(out, m.year);
    out += ':';
    AppendClock(out, m);
}

class Generator {
  public:
    Generator(const LogGeneratorOptions& options, std::FILE* out)
        : options_(options),
          out_(out),
          random_(options.seed),
          site_(random_, std::max(1, options.pages)),
          pagePicker_(site_.pages.size()),
          hostPicker_(static_cast<std::size_t>(std::max(1, options.hosts))),
          browserPicker_(kBrowsers.size()) {
        for (auto a : kBrowsers)
            AddAgent(a);
        for (auto a : kRobots)
            AddAgent(a);
        for (auto a : kTools)
            AddAgent(a);
        MakeHosts();
        for (const auto phrase : kPhrases)
            for (int e = 0; e < kEncodings; ++e)
                encodedPhrases_.push_back(PercentEncode(phrase, static_cast<Encoding>(e)));
        chunk_.reserve(kChunk + 4096);
        line_.reserve(4096);
        referrer_.reserve(1024);
        query_.reserve(256);
        junk_.reserve(80000);
    }

    bool Run() {
        const int months = std::max(1, options_.months);
        const std::int64_t total = std::max<std::int64_t>(0, options_.lines);
        int year = options_.startYear, month = options_.startMonth;
        for (int m = 0; m < months; ++m) {
            const std::int64_t count = total / months + (m < total % months ? 1 : 0);
            WriteMonth(year, month, count);
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        Flush();
        return ok_ && std::fflush(out_) == 0;
    }

  private:
    static constexpr std::size_t kChunk = 1 << 20;

    struct Request {
        enum Kind { kPage, kAsset, kImage, kDownload, kRobotsTxt, kMissing, kRedirect, kForm };
        Kind kind;
        std::size_t index;      // in the table of its kind
        std::int64_t referrer;  // page index, or kNone / kSearch / kOtherSite
        int status = 200;
        std::string_view method = "GET";
    };
    static constexpr std::int64_t kNone = -1, kSearch = -2, kOtherSite = -3;

    void AddAgent(std::string_view agent) {
        agents_.push_back(agent);
        std::string iis(agent);
        std::replace(iis.begin(), iis.end(), ' ', '+');
        agentsIis_.push_back(std::move(iis));
    }

    void MakeHosts() {
        const int count = std::max(1, options_.hosts);
        for (int i = 0; i < count; ++i) {
            Host host;
            const int kind = random_.Between(0, 99);
            const int a = random_.Between(11, 223), b = random_.Between(0, 255),
                      c = random_.Between(0, 255), d = random_.Between(1, 254);
            char name[96];
            if (kind < 8) {
                host.kind = Visitor::kRobot;
                host.agent = kBrowsers.size() + random_.Below(kRobots.size());
                if (random_.Percent(50))
                    std::snprintf(name, sizeof name, "crawl-%d-%d-%d-%d.search.example.com", a, b,
                                  c, d);
                else
                    std::snprintf(name, sizeof name, "66.249.%d.%d", c, d);
            } else if (kind < 10) {
                host.kind = Visitor::kTool;
                host.agent = kBrowsers.size() + kRobots.size() + random_.Below(kTools.size());
                std::snprintf(name, sizeof name, "%d.%d.%d.%d", a, b, c, d);
            } else {
                host.agent = browserPicker_.Pick(random_);
                if (kind < 62)
                    std::snprintf(name, sizeof name, "%d.%d.%d.%d", a, b, c, d);
                else if (kind < 67)
                    std::snprintf(name, sizeof name, "10.%d.%d.%d", b, c, d);
                else if (kind < 70)
                    std::snprintf(name, sizeof name, "2001:db8:%x:%x::%x", b, c, d);
                else if (kind < 80)
                    std::snprintf(name, sizeof name, "cable-%d-%d-%d.dsl.example.net", a, b, c);
                else if (kind < 90)
                    std::snprintf(name, sizeof name, "ppp%d.fibre.example.fr", b * 256 + c);
                else
                    std::snprintf(name, sizeof name, "host%d.corp.example.com", c);
                if (random_.Percent(5))
                    host.user = (random_.Percent(50) ? "member" : "jdupont") + std::to_string(i);
            }
            host.name = name;
            hosts_.push_back(std::move(host));
        }
    }

    // --- Months, days and times ---

    void WriteMonth(int year, int month, std::int64_t count) {
        if (count <= 0)
            return;
        // Each day gets its own share: some busier, weekends quieter.
        const int days = DaysInMonth(year, month);
        std::vector<double> end(days);
        double sum = 0;
        for (int d = 0; d < days; ++d) {
            int weight = random_.Between(60, 140);
            const int wd = WeekDay(year, month, d + 1);
            if (wd == 0 || wd == 6)
                weight = weight * 7 / 10;
            sum += weight;
            end[d] = sum;
        }
        for (std::int64_t j = 0; j < count; ++j) {
            const double at = (static_cast<double>(j) + 0.5) / static_cast<double>(count) * sum;
            const int day = std::min<int>(
                days - 1,
                static_cast<int>(std::upper_bound(end.begin(), end.end(), at) - end.begin()));
            const double from = day == 0 ? 0.0 : end[day - 1];
            double g = (at - from) / (end[day] - from);
            // Fewer hits at night than in the afternoon: a monotone warp of the day.
            const double c = 2 * g - 1;
            g = g + 1.5 * (c * c * c / 6 - g / 3 + 1.0 / 6);
            int second = static_cast<int>(g * 86400.0);
            second = std::clamp(second, 0, 86399);
            if (second < lastSecond_ && day == lastDay_)
                second = lastSecond_;
            lastSecond_ = second;
            lastDay_ = day;
            const Moment when{year, month, day + 1, second / 3600, second / 60 % 60, second % 60};
            WriteLine(when);
        }
        lastDay_ = -1;
        lastSecond_ = 0;
    }

    // --- Visits ---

    void StartVisit() {
        visit_.clear();
        next_ = 0;
        host_ = &hosts_[hostPicker_.Pick(random_)];
        if (host_->kind == Visitor::kRobot) {
            if (random_.Percent(50))
                visit_.push_back({Request::kRobotsTxt, 0, kNone, random_.Percent(80) ? 200 : 404});
            const int pages = random_.Between(1, 6);
            for (int i = 0; i < pages; ++i) {
                if (random_.Percent(8)) {
                    visit_.push_back({Request::kMissing, random_.Below(kWords.size()), kNone, 404});
                    continue;
                }
                Request r{Request::kPage, random_.Below(site_.pages.size()), kNone};
                if (random_.Percent(10))
                    r.method = "HEAD";
                visit_.push_back(r);
            }
            return;
        }
        if (host_->kind == Visitor::kTool) {
            if (random_.Percent(50))
                visit_.push_back({Request::kDownload, random_.Below(kDownloads.size()), kNone});
            else
                visit_.push_back({Request::kPage, pagePicker_.Pick(random_), kNone});
            return;
        }
        const int from = random_.Between(0, 99);
        std::int64_t referrer = from < 30   ? kNone
                                : from < 62 ? kSearch
                                : from < 80 ? kOtherSite
                                            : static_cast<std::int64_t>(pagePicker_.Pick(random_));
        if (referrer == kSearch)
            PickSearch();
        else if (referrer == kOtherSite)
            otherSite_ = random_.Pick(kOtherSites);
        int pages = 1;
        while (pages < 6 && random_.Percent(45))
            ++pages;
        const bool loadsAssets = random_.Percent(85);
        for (int p = 0; p < pages && visit_.size() < 48; ++p) {
            if (p > 0 && random_.Percent(3)) {
                visit_.push_back({Request::kMissing, random_.Below(kWords.size()), referrer, 404});
                continue;
            }
            const std::size_t page = p == 0 || random_.Percent(50)
                                         ? pagePicker_.Pick(random_)
                                         : random_.Below(site_.pages.size());
            const Page& pg = site_.pages[page];
            if (pg.path.size() > 1 && pg.path.back() == '/' && random_.Percent(5))
                visit_.push_back({Request::kRedirect, page, referrer, 301});
            int status = 200;
            if (random_.Percent(5))
                status = 304;
            else if (pg.dynamic && random_.Percent(2))
                status = 500;
            else if (random_.Percent(0.5))
                status = 403;
            visit_.push_back({Request::kPage, page, referrer, status});
            const auto here = static_cast<std::int64_t>(page);
            if (loadsAssets && status != 500) {
                for (std::size_t a = 0; a < 3; ++a)
                    visit_.push_back({Request::kAsset, a, here, random_.Percent(30) ? 304 : 200});
                if (p == 0 && random_.Percent(50))
                    visit_.push_back({Request::kAsset, 3, here, random_.Percent(20) ? 404 : 200});
                for (std::size_t i = 0; i < pg.imageCount; ++i)
                    visit_.push_back({Request::kImage, pg.firstImage + i, here,
                                      random_.Percent(20) ? 304 : 200});
            }
            if (random_.Percent(4))
                visit_.push_back({Request::kDownload, random_.Below(kDownloads.size()), here,
                                  random_.Percent(25) ? 206 : 200});
            if (random_.Percent(3)) {
                Request form{Request::kForm, 0, here, random_.Percent(50) ? 302 : 200};
                form.method = "POST";
                visit_.push_back(form);
            }
            referrer = here;
        }
    }

    void PickSearch() {
        const std::size_t engine = random_.Below(kEngines.size());
        const std::size_t phrase = random_.Below(kPhrases.size());
        search_ = &kEngines[engine];
        searchQuery_ =
            encodedPhrases_[phrase * kEncodings + static_cast<int>(kEngines[engine].encoding)];
    }

    // Fills `f` with the next request of the current visit.
    void NextRequest(Fields& f) {
        if (next_ >= visit_.size())
            StartVisit();
        const Request& r = visit_[next_++];
        f.host = host_->name;
        f.user = host_->user;
        f.agent = agents_[host_->agent];
        f.agentIis = agentsIis_[host_->agent];
        f.method = r.method;
        f.status = r.status;
        f.query = {};
        f.protocol = random_.Percent(10) ? "HTTP/1.0" : "HTTP/1.1";
        switch (r.kind) {
            case Request::kPage: {
                const Page& page = site_.pages[r.index];
                f.path = page.path;
                f.bytes = page.bytes;
                if (page.dynamic && random_.Percent(70)) {
                    query_.assign(random_.Percent(50) ? "id=" : "page=");
                    AppendNumber(query_, random_.Between(1, 400));
                    if (random_.Percent(20))
                        query_ += "&lang=fr&sort=date";
                    f.query = query_;
                }
                break;
            }
            case Request::kAsset:
                f.path = kAssets[r.index].path;
                f.bytes = kAssets[r.index].bytes;
                break;
            case Request::kImage:
                f.path = site_.images[r.index].path;
                f.bytes = site_.images[r.index].bytes;
                break;
            case Request::kDownload:
                f.path = kDownloads[r.index].path;
                f.bytes = r.status == 206 ? random_.Between(1, kDownloads[r.index].bytes)
                                          : kDownloads[r.index].bytes;
                break;
            case Request::kRobotsTxt:
                f.path = "/robots.txt";
                f.bytes = 68;
                break;
            case Request::kMissing:
                missing_.assign("/old/");
                missing_ += kWords[r.index];
                missing_ += ".html";
                f.path = missing_;
                f.bytes = 289;
                break;
            case Request::kRedirect: {
                const std::string& path = site_.pages[r.index].path;
                f.path = std::string_view(path).substr(0, path.size() - 1);
                f.bytes = 233;
                break;
            }
            case Request::kForm:
                f.path = "/contact.php";
                f.bytes = r.status == 302 ? 0 : 2048;
                break;
        }
        if (f.status == 304)
            f.bytes = -1;
        else if (f.status >= 400 && r.kind != Request::kMissing)
            f.bytes = f.status == 500 ? 612 : 289;
        if (r.referrer >= 0) {
            f.referrer = site_.pages[static_cast<std::size_t>(r.referrer)].url;
        } else if (r.referrer == kSearch) {
            referrer_.assign(search_->before);
            referrer_ += searchQuery_;
            referrer_ += search_->after;
            f.referrer = referrer_;
        } else if (r.referrer == kOtherSite) {
            f.referrer = otherSite_;
        } else {
            f.referrer = "-";
        }
    }

    // --- Writing ---

    void WriteLine(const Moment& when) {
        Fields f;
        NextRequest(f);
        f.when = when;
        const bool iis = options_.format == GeneratedFormat::kIis;
        if (iis && (lines_ == 0 || (options_.iisDailyHeader && when.day != headerDay_)))
            WriteIisHeader(when);
        ++lines_;
        line_.clear();
        if (options_.junk > 0 && random_.Real() < options_.junk)
            Hostile(f);
        else
            Format(f, line_);
        line_ += '\n';
        Put(line_);
    }

    void WriteIisHeader(const Moment& when) {
        headerDay_ = when.day;
        line_.assign(
            "#Software: Microsoft Internet Information Services 6.0\n#Version: 1.0\n#Date: ");
        AppendIisDate(line_, when);
        line_ +=
            "\n#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
            "cs(User-Agent) cs(Referer) sc-status sc-substatus sc-win32-status sc-bytes cs-bytes "
            "time-taken\n";
        Put(line_);
    }

    void Format(const Fields& f, std::string& out) {
        if (options_.format == GeneratedFormat::kIis) {
            if (f.dateText.empty())
                AppendIisDate(out, f.when);
            else
                out += f.dateText;
            out += " 192.0.2.10 ";
            out += f.method;
            out += ' ';
            out += f.path;
            out += ' ';
            out += f.query.empty() ? "-" : f.query;
            out += f.status == 206 ? " 443 " : " 80 ";
            out += f.user;
            out += ' ';
            out += f.host;
            out += ' ';
            out += f.agentIis;
            out += ' ';
            out += f.referrer;
            out += ' ';
            AppendStatus(f, out);
            out += f.status == 404 ? " 0 2 " : " 0 0 ";
            if (!f.bytesText.empty())
                out += f.bytesText;
            else
                AppendNumber(out, f.bytes < 0 ? 180 : f.bytes);
            out += ' ';
            AppendNumber(out, random_.Between(180, 650));
            out += ' ';
            AppendNumber(out, random_.Between(0, 900));
            return;
        }
        out += f.host;
        out += " - ";
        out += f.user;
        out += " [";
        if (f.dateText.empty()) {
            AppendApacheDate(out, f.when);
            out += ' ';
            out += options_.timeZone;
        } else {
            out += f.dateText;
        }
        out += "] \"";
        out += f.method;
        out += ' ';
        out += f.path;
        if (!f.query.empty()) {
            out += '?';
            out += f.query;
        }
        out += ' ';
        out += f.protocol;
        out += "\" ";
        AppendStatus(f, out);
        out += ' ';
        if (!f.bytesText.empty())
            out += f.bytesText;
        else if (f.bytes < 0)
            out += '-';
        else
            AppendNumber(out, f.bytes);
        if (options_.format == GeneratedFormat::kCombined) {
            out += " \"";
            out += f.referrer;
            out += "\" \"";
            out += f.agent;
            out += '"';
        }
    }

    static void AppendStatus(const Fields& f, std::string& out) {
        if (f.statusText.empty())
            AppendNumber(out, f.status);
        else
            out += f.statusText;
    }

    // A line that a careless reader would trip on, written to line_.
    void Hostile(Fields& f) {
        const bool iis = options_.format == GeneratedFormat::kIis;
        switch (random_.Below(14)) {
            case 0: {  // quotes that do not close, or one too many
                Format(f, line_);
                if (const auto q = line_.rfind('"'); !iis && q != std::string::npos)
                    line_.erase(q, 1);
                else
                    line_.insert(line_.size() / 2, 1, '"');
                if (random_.Percent(50))
                    line_.insert(line_.find('/') + 1, "say \"hello");
                break;
            }
            case 1: {  // fields missing at the end
                Format(f, line_);
                std::size_t cut = 0;
                const int keep = random_.Between(1, iis ? 10 : 7);
                for (int i = 0; i < keep && cut != std::string::npos; ++i)
                    cut = line_.find(' ', cut + 1);
                if (cut != std::string::npos)
                    line_.resize(cut);
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
                f.dateText = iis ? random_.Pick(kIis) : random_.Pick(kApache);
                Format(f, line_);
                break;
            }
            case 3: {  // a very long path
                junk_.assign(f.path);
                const int repeat = random_.Between(200, 6000);
                for (int i = 0; i < repeat; ++i)
                    junk_ += "/aaaaaaaaa";
                f.path = junk_;
                Format(f, line_);
                break;
            }
            case 4: {  // a very long user agent or referrer
                junk_.assign("Mozilla/5.0 (");
                const int repeat = random_.Between(500, 5000);
                for (int i = 0; i < repeat; ++i)
                    junk_ += iis ? "X11;+" : "X11; ";
                junk_ += ')';
                (random_.Percent(50) ? f.agent : f.referrer) = junk_;
                f.agentIis = f.agent;
                Format(f, line_);
                break;
            }
            case 5: {  // NUL bytes in a field, or a line of nothing else
                if (random_.Percent(30)) {
                    line_.assign(static_cast<std::size_t>(random_.Between(1, 40)), '\0');
                    break;
                }
                junk_.assign(f.path);
                junk_ += '\0';
                junk_ += "x.html";
                f.path = junk_;
                Format(f, line_);
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
                const std::string_view markup = random_.Pick(kMarkup);
                if (random_.Percent(50)) {
                    f.agent = f.agentIis = markup;
                } else {
                    junk_.assign("http://www.example.net/");
                    junk_ += markup;
                    f.referrer = junk_;
                }
                Format(f, line_);
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
                line_.assign(random_.Pick(kGarbage));
                break;
            }
            case 9: {  // bytes that are not text in any encoding, and terminal escapes
                junk_.assign(f.path);
                junk_ += "\xff\xfe\xc3\x28\x80\x1b[31m\x01\x7f";
                f.path = junk_;
                f.agent = f.agentIis = "Mozilla\xc0\xaf\xed\xa0\x80\x1b[2J";
                Format(f, line_);
                break;
            }
            case 10: {  // numbers out of range or not numbers
                static constexpr std::array<std::string_view, 6> kStatus = {
                    "abc", "0", "99999", "-200", "2OO", "9999999999999999999999"};
                static constexpr std::array<std::string_view, 6> kBytes = {
                    "-12", "99999999999999999999999", "1e9", "0x1F", "12abc", "--"};
                f.statusText = random_.Pick(kStatus);
                f.bytesText = random_.Pick(kBytes);
                Format(f, line_);
                break;
            }
            case 11: {  // a carriage return or tabs inside the line
                Format(f, line_);
                line_.insert(line_.size() / 3, random_.Percent(50) ? "\r" : "\t\t");
                break;
            }
            case 12: {  // broken percent escapes in a search referrer
                static constexpr std::array<std::string_view, 5> kEscapes = {
                    "%", "%G1%%%", "caf%C3", "%00nul%0D%0Aline", "%E9t%C3%A9%FF%FE+%2"};
                junk_.assign("http://www.google.fr/search?hl=fr&q=");
                junk_ += random_.Pick(kEscapes);
                junk_ += random_.Percent(50) ? "&ie=UTF-8" : "";
                f.referrer = junk_;
                Format(f, line_);
                break;
            }
            default: {  // cut off anywhere
                Format(f, line_);
                line_.resize(random_.Below(line_.size()));
                break;
            }
        }
    }

    void Put(const std::string& text) {
        chunk_ += text;
        if (chunk_.size() >= kChunk)
            Flush();
    }

    void Flush() {
        if (!chunk_.empty() && std::fwrite(chunk_.data(), 1, chunk_.size(), out_) != chunk_.size())
            ok_ = false;
        chunk_.clear();
    }

    const LogGeneratorOptions& options_;
    std::FILE* out_;
    bool ok_ = true;
    Random random_;
    Site site_;
    LongTail pagePicker_, hostPicker_, browserPicker_;
    std::vector<std::string_view> agents_;
    std::vector<std::string> agentsIis_;
    std::vector<Host> hosts_;
    std::vector<std::string> encodedPhrases_;

    std::vector<Request> visit_;
    std::size_t next_ = 0;
    const Host* host_ = nullptr;
    const SearchEngine* search_ = nullptr;
    std::string_view searchQuery_, otherSite_;

    std::int64_t lines_ = 0;
    int headerDay_ = 0, lastDay_ = -1, lastSecond_ = 0;
    std::string chunk_, line_, referrer_, query_, missing_, junk_;
};

}  // namespace

bool ParseGeneratedFormat(std::string_view text, GeneratedFormat& format) {
    if (text == "combined")
        format = GeneratedFormat::kCombined;
    else if (text == "common")
        format = GeneratedFormat::kCommon;
    else if (text == "iis")
        format = GeneratedFormat::kIis;
    else
        return false;
    return true;
}

bool ParseYearMonth(std::string_view text, int& year, int& month) {
    if (text.size() != 7 || text[4] != '-')
        return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6})
        if (text[i] < '0' || text[i] > '9')
            return false;
    year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    month = (text[5] - '0') * 10 + (text[6] - '0');
    return year >= 1 && month >= 1 && month <= 12;
}

bool IsTimeZoneOffset(std::string_view text) {
    if (text.size() != 5 || (text[0] != '+' && text[0] != '-'))
        return false;
    for (std::size_t i = 1; i < 5; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool WriteGeneratedLog(const LogGeneratorOptions& options, std::FILE* out) {
    Generator generator(options, out);
    return generator.Run();
}

}  // namespace trafikon::batch
