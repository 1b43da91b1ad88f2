// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch analyse [--root DIR] [--site N|NAME] --from DATE[THH:MM] --to DATE[THH:MM]
//                        [--where EXPR]... --out FOLDER [--site-url URL]
//                        [--countries FILE|none]
// Analyses the lines of the site's stored months that lie in the period and meet
// every condition (docs/selections.md) into FOLDER, with the month layout, for
// `report --selection FOLDER`. Exit 1 when no line matches (FOLDER then holds
// no analysis), on an input/output error, or when the months of the period
// have different formats; 2 on a usage error, a malformed expression included.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/site_option.h"
#include "batch/store_settings_options.h"
#include "engine/robot_signatures.h"
#include "engine/select_lines.h"
#include "state/program_folder.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch analyse [--root DIR] [--site N|NAME] --from DATE[THH:MM] "
    "--to DATE[THH:MM]\n"
    "                              [--where EXPR]... --out FOLDER [--site-url URL]\n"
    "                              [--countries FILE|none]\n";

class QuietObserver : public AnalysisObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::IgnoreAll;
    }
};

}  // namespace

bool IsSelectionRun(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--from" || a == "--to" || a == "--where" || a == "--out")
            return true;
    return false;
}

int RunSelectCommand(const std::vector<std::string>& args) {
    std::string root, siteUrl, countries, from, to, out;
    bool haveRoot = false, haveSiteUrl = false, haveCountries = false;
    Selection selection;
    SiteOption site;
    const CommandLine line{"analyse",
                           kUsage,
                           {{"--root", true, StoreIn(root, &haveRoot)},
                            site.option(),
                            {"--site-url", true, StoreIn(siteUrl, &haveSiteUrl)},
                            {"--countries", true, StoreIn(countries, &haveCountries)},
                            {"--from", true, StoreIn(from)},
                            {"--to", true, StoreIn(to)},
                            {"--out", true, StoreIn(out)},
                            {"--where", true, [&selection](const std::string& v) {
                                 ConditionError error;
                                 if (ParseConditions(v, selection.conditions, error))
                                     return std::string();
                                 return "--where \"" + v + "\": " + error.message;
                             }}}};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (!ParsePeriodBound(from, false, selection.period.from))
        return UsageError(line, "--from takes a day YYYY-MM-DD or a minute YYYY-MM-DDTHH:MM");
    if (!ParsePeriodBound(to, true, selection.period.to))
        return UsageError(line, "--to takes a day YYYY-MM-DD or a minute YYYY-MM-DDTHH:MM");
    if (selection.period.to < selection.period.from)
        return UsageError(line, "--to comes before --from");
    if (out.empty())
        return UsageError(line, "--out needs the selection's folder");
    if (!haveRoot)
        root = ProgramFolder();
    if (root.back() != '/')
        root.push_back('/');
    if (const std::string problem = site.Resolve(root); !problem.empty())
        return UsageError(line, problem);
    std::setlocale(LC_TIME, "");  // the monthly file's date text follows the locale
    const std::string siteDir = site.Dir(root);
    try {
        if (!DirectoryExists(siteDir))
            throw IoError(siteDir, "No such file or directory");
        TakeStoreSettings(siteDir, haveSiteUrl, siteUrl, haveCountries, countries);
        WriteRobotSignatureFileIfMissing(root);
        QuietObserver observer;
        const SelectionResult r =
            RunSelection(siteDir, selection, out, siteUrl, observer, countries);
        std::printf("selection: %llu lines read, %llu lines match\n",
                    static_cast<unsigned long long>(r.linesRead),
                    static_cast<unsigned long long>(r.linesKept));
        if (r.linesKept == 0) {
            std::fprintf(stderr, "trafikon-batch analyse: no line matches the selection\n");
            return 1;
        }
        if (!r.analysis.completed) {
            std::fprintf(stderr, "trafikon-batch analyse: %s: the analysis did not complete\n",
                         out.c_str());
            return 1;
        }
        std::printf("%s: %llu hits analysed in %s\n", r.key.c_str(),
                    static_cast<unsigned long long>(r.analysis.hits), out.c_str());
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch analyse: %s: %s\n", e.path().c_str(),
                     e.reason().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trafikon-batch analyse: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace trafikon::batch
