// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch analyse [--root DIR] [--site N|NAME] [--site-url URL] [--all]
//                        [--on-malformed ignore|cancel] [--jobs N] [--countries FILE|none]
// Analyses the stored months of the site folder DIR/data/N/ (site 1 unless
// given) in ascending order: all of them
// with --all, otherwise those whose analysis is missing or out of date; N
// months at once (by default two for each three cores, fewer when a quarter
// of the memory cannot hold them; MonthsAtOnce), reported in order. The
// last line printed is the summary: months analysed, lines read, seconds,
// lines per second. Countries come from FILE, by default from the database
// of the settings or the one shipped; "none" goes without (host names still
// find theirs by their domain). Exit 1 when a month's results could not be
// written (its log changed during the run), named on stderr.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/site_option.h"
#include "batch/store_settings_options.h"
#include "engine/analyse_log.h"
#include "engine/analyse_months.h"
#include "engine/analysed_check.h"
#include "engine/line_exclusions.h"
#include "engine/robot_signatures.h"
#include "geo/country_database.h"
#include "state/program_folder.h"
#include "store/data_store.h"
#include "store/import_journal.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch analyse [--root DIR] [--site N|NAME] [--site-url URL] [--all] "
    "[--on-malformed ignore|cancel] [--jobs N] [--countries FILE|none]\n";

class BatchObserver : public MonthsObserver {
  public:
    explicit BatchObserver(MalformedLineAnswer answer) : answer_(answer) {}
    void MonthInHand(const std::string& key) override { month_ = key; }
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view) override {
        if (answer_ == MalformedLineAnswer::Cancel)
            std::fprintf(stderr, "%s: line %lld has too few fields; analysis cancelled\n",
                         month_.c_str(), static_cast<long long>(lineNumber));
        return answer_;
    }
    void MonthEnded(const std::string& key, const AnalysisResult& r) override {
        linesRead += r.linesRead;
        if (r.cancelled)
            std::fprintf(stderr, "%s: Analyse canceled\n", key.c_str());
        if (r.logChanged) {
            std::fprintf(stderr,
                         "%s: the stored log changed during the analysis; "
                         "results not written\n",
                         key.c_str());
            ++monthsNotWritten;
        }
        if (r.completed) {
            ++monthsAnalysed;
            std::printf("%s: %llu lines, %llu hits, %llu malformed lines ignored\n", key.c_str(),
                        static_cast<unsigned long long>(r.linesRead),
                        static_cast<unsigned long long>(r.hits),
                        static_cast<unsigned long long>(r.ignoredLines));
        }
    }
    bool MonthFailed(const std::string&, std::exception_ptr error) override {
        failure = error;
        return false;
    }

    int monthsAnalysed = 0;
    int monthsNotWritten = 0;  // their log changed meanwhile: the run did not do them
    std::uint64_t linesRead = 0;
    std::exception_ptr failure;

  private:
    MalformedLineAnswer answer_;
    std::string month_;
};

}  // namespace

int RunAnalyseCommand(const std::vector<std::string>& args) {
    if (IsSelectionRun(args))
        return RunSelectCommand(args);
    std::string root, siteUrl, countries;
    bool haveRoot = false, haveSiteUrl = false, haveCountries = false, all = false;
    int monthsAtOnce = MonthsAtOnce();
    MalformedLineAnswer onMalformed = MalformedLineAnswer::Ignore;
    SiteOption site;
    const CommandLine line{"analyse",
                           kUsage,
                           {{"--root", true, StoreIn(root, &haveRoot)},
                            site.option(),
                            {"--site-url", true, StoreIn(siteUrl, &haveSiteUrl)},
                            {"--countries", true, StoreIn(countries, &haveCountries)},
                            {"--all", false, SetFlag(all)},
                            {"--on-malformed", true,
                             [&onMalformed](const std::string& v) {
                                 if (v != "ignore" && v != "cancel")
                                     return std::string("--on-malformed takes ignore or cancel");
                                 onMalformed = v == "ignore" ? MalformedLineAnswer::Ignore
                                                             : MalformedLineAnswer::Cancel;
                                 return std::string();
                             }},
                            {"--jobs", true, [&monthsAtOnce](const std::string& v) {
                                 if (v.empty() || v.size() > 3 ||
                                     v.find_first_not_of("0123456789") != std::string::npos ||
                                     std::stoi(v) < 1)
                                     return std::string("--jobs takes a number of months from 1");
                                 monthsAtOnce = std::stoi(v);
                                 return std::string();
                             }}}};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (!haveRoot)
        root = ProgramFolder();

    // The date-time text of the monthly files follows the user's locale.
    std::setlocale(LC_TIME, "");
    if (root.back() != '/')
        root.push_back('/');
    if (const std::string problem = site.Resolve(root); !problem.empty())
        return UsageError(line, problem);
    const std::string siteDir = site.Dir(root);

    const auto start = std::chrono::steady_clock::now();
    BatchObserver observer(onMalformed);
    try {
        if (!DirectoryExists(siteDir))
            throw IoError(siteDir, "No such file or directory");
        TakeStoreSettings(siteDir, haveSiteUrl, siteUrl, haveCountries, countries);
        if (const CountryDatabase check(countries); !check.error().empty())
            std::fprintf(stderr, "trafikon-batch analyse: %s: %s; countries left unknown\n",
                         countries.c_str(), check.error().c_str());
        WriteRobotSignatureFileIfMissing(root);
        if (const std::size_t ignored = LoadRobotSignatures(root).ignoredLines(); ignored > 0)
            std::fprintf(stderr,
                         "%s%s: %zu lines are not signatures (Name;text of 3 characters or "
                         "more), ignored\n",
                         root.c_str(), std::string(kRobotSignatureFileName).c_str(), ignored);
        const LineExclusions exclusions(siteDir, root, "", true);
        for (const std::string& problem : exclusions.problems())
            std::fprintf(stderr, "%s%s, left out\n", siteDir.c_str(), problem.c_str());
        PrepareAnalysisRun(siteDir);
        AnalyseMonths(
            siteDir, MonthsToAnalyse(siteDir, ListStoredMonths(siteDir), all), siteUrl,
            [](const std::string&) { return true; }, observer, monthsAtOnce, countries);
        if (observer.failure)
            std::rethrow_exception(observer.failure);
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch analyse: %s: %s\n", e.path().c_str(),
                     e.reason().c_str());
        return 1;
    } catch (const std::exception& e) {  // out of memory, for one
        std::fprintf(stderr, "trafikon-batch analyse: %s\n", e.what());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double perSecond = seconds > 0 ? static_cast<double>(observer.linesRead) / seconds : 0.0;
    std::printf("months analysed: %d, lines read: %llu, seconds: %.3f, lines per second: %.0f\n",
                observer.monthsAnalysed, static_cast<unsigned long long>(observer.linesRead),
                seconds, perSecond);
    return observer.monthsNotWritten > 0 ? 1 : 0;
}

}  // namespace trafikon::batch
