// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/log_generator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "batch/generated_line.h"
#include "batch/generated_site.h"
#include "batch/generated_visitors.h"
#include "batch/generator_calendar.h"
#include "batch/generator_random.h"
#include "batch/hostile_line.h"
#include "batch/varied_visitors.h"

namespace trafikon::batch {

namespace {

using namespace generator;

class Generator {
  public:
    Generator(const LogGeneratorOptions& options, std::FILE* out)
        : options_(options),
          out_(out),
          random_(options.seed),
          site_(random_, GeneratedPages(options)),
          pagePicker_(site_.pages.size()),
          hostPicker_(options.uniform ? GeneratedHosts(options) : 1),
          browserPicker_(kBrowsers.size()),
          visitors_(options.seed, options.lines, GeneratedHosts(options)) {
        for (auto a : kBrowsers)
            AddAgent(a);
        for (auto a : kRobots)
            AddAgent(a);
        for (auto a : kTools)
            AddAgent(a);
        if (options.uniform)
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
        const auto count = static_cast<int>(GeneratedHosts(options_));
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
        host_ = options_.uniform ? &hosts_[hostPicker_.Pick(random_)]
                                 : &visitors_.NextHost(random_, lines_);
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
        else if (referrer == kOtherSite && options_.uniform)
            otherSite_ = random_.Pick(kOtherSites);
        else if (referrer == kOtherSite)
            visitors_.OtherSite(random_, otherSiteText_), otherSite_ = otherSiteText_;
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
        if (!options_.uniform) {
            visitors_.SearchPhrase(random_, phrase_);
            searchQueryText_ = PercentEncode(phrase_, search_->encoding);
            searchQuery_ = searchQueryText_;
            return;
        }
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
        f.agent = options_.uniform ? agents_[host_->agent] : visitors_.Agent();
        f.agentIis = options_.uniform ? agentsIis_[host_->agent] : visitors_.AgentIis();
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
            AppendHostileLine(f, options_, random_, junk_, line_);
        else
            AppendLogLine(f, options_, random_, line_);
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
    VariedVisitors visitors_;

    std::vector<Request> visit_;
    std::size_t next_ = 0;
    const Host* host_ = nullptr;
    const SearchEngine* search_ = nullptr;
    std::string_view searchQuery_, otherSite_;
    std::string phrase_, searchQueryText_, otherSiteText_;

    std::int64_t lines_ = 0;
    int headerDay_ = 0, lastDay_ = -1, lastSecond_ = 0;
    std::string chunk_, line_, referrer_, query_, missing_, junk_;
};

}  // namespace

bool WriteGeneratedLog(const LogGeneratorOptions& options, std::FILE* out) {
    Generator generator(options, out);
    return generator.Run();
}

}  // namespace trafikon::batch
