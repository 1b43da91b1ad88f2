// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch report [--root DIR] [--site N|NAME] (--month YYYY-MM | --selection FOLDER)
//                       (--html FILE | --csv DIR | --json FILE|-) [--lang CODE]
// Writes the report of an analysed month of the site (site 1 unless given): one standalone HTML
// page (FILE "-": standard output; a link or a device is written through), one CSV file for each
// list, or one JSON document (to standard output for "-"). The language of the page and the files
// is CODE, else the store's setting, else French; its file in DIR is used when there is one. The
// JSON keys do not depend on the language. Visitors' addresses are cut to their networks unless the
// store's settings leave them whole. Exit 1 when a result file of the month
// is missing or damaged (the report is written as far as it goes).
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/site_option.h"
#include "engine/select_lines.h"
#include "report/month_json.h"
#include "report/month_report_files.h"
#include "report/report_csv.h"
#include "report/report_date.h"
#include "state/program_folder.h"
#include "state/settings.h"
#include "store/data_store.h"
#include "store/month_file_names.h"
#include "store/text_file.h"
#include "text/language_table.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch report [--root DIR] [--site N|NAME] "
    "(--month YYYY-MM | --selection FOLDER)\n"
    "                             (--html FILE | --csv DIR | --json FILE|-) [--lang CODE]\n";

bool IsMonthKey(const std::string& k) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return k.size() == 7 && digit(k[0]) && digit(k[1]) && digit(k[2]) && digit(k[3]) &&
           k[4] == '-' && digit(k[5]) && digit(k[6]);
}

void LoadLanguage(const std::string& root, const std::string& code, LanguageTable& table) {
    const std::string path = LanguageFilePath(root, code);
    if (code.find('/') == std::string::npos && FileExists(path)) {
        LoadLanguageFile(path, table);
        return;
    }
    table.Assign(code == "en" ? BuiltInEnglish() : BuiltInFrench());
}

// Writes the JSON document to standard output, or to `path` through a
// temporary file renamed into place once complete.
void WriteJson(const std::string& siteDir, const std::string& month, const Settings& settings,
               const std::string& path) {
    const std::string site = settings.siteUrl();
    const bool mask = settings.maskAddresses();
    std::vector<std::string> problems;
    if (path == "-") {
        report::WriteMonthJson(
            siteDir, month, site, mask,
            [](std::string_view piece) {
                if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
                    throw IoError("(standard output)", "write error");
            },
            problems);
        if (std::fflush(stdout) != 0)
            throw IoError("(standard output)", "write error");
    } else {
        AtomicFileWriter out(path);
        report::WriteMonthJson(
            siteDir, month, site, mask, [&out](std::string_view piece) { out.Write(piece); },
            problems);
        out.Commit();
    }
    for (const std::string& problem : problems)
        std::fprintf(stderr, "trafikon-batch report: %s\n", problem.c_str());
    if (path != "-")
        std::printf("report of %s written: %s\n", month.c_str(), path.c_str());
}

}  // namespace

int RunReportCommand(const std::vector<std::string>& args) {
    std::string root, month, html, csv, json, code, selection;
    bool haveRoot = false;
    SiteOption site;
    const CommandLine line{"report",
                           kUsage,
                           {{"--root", true, StoreIn(root, &haveRoot)},
                            site.option(),
                            {"--month", true, StoreIn(month)},
                            {"--selection", true, StoreIn(selection)},
                            {"--html", true, StoreIn(html)},
                            {"--csv", true, StoreIn(csv)},
                            {"--json", true, StoreIn(json)},
                            {"--lang", true, StoreIn(code)}}};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (!haveRoot)
        root = ProgramFolder();
    // A selection is read from its own folder, with the settings of the store.
    std::string resultsDir;
    if (!selection.empty()) {
        if (!month.empty())
            return UsageError(line, "give --month or --selection, not both");
        resultsDir = SiteFolderPrefix(selection);
        month = SelectionKey(resultsDir);
        if (month.empty()) {
            std::fprintf(stderr, "trafikon-batch report: %s: no selection was analysed here\n",
                         selection.c_str());
            return 1;
        }
    }
    if (!IsMonthKey(month))
        return UsageError(line, "--month takes a month as YYYY-MM");
    if (html.empty() + csv.empty() + json.empty() != 2)
        return UsageError(line, "give one of --html FILE, --csv DIR and --json FILE|-");
    if (root.back() != '/')
        root.push_back('/');
    if (const std::string problem = site.Resolve(root); !problem.empty())
        return UsageError(line, problem);
    const std::string siteDir = site.Dir(root);
    if (resultsDir.empty())
        resultsDir = siteDir;
    try {
        Settings settings;
        if (FileExists(siteDir + std::string(kSettingsFileName)))
            LoadSettings(siteDir, settings);
        if (!json.empty()) {
            WriteJson(resultsDir, month, settings, json);
            return 0;
        }
        if (code.empty())
            code = settings.languageCode();
        if (code.empty())
            code = "fr";  // the program's first language
        LanguageTable texts;
        LoadLanguage(root, code, texts);
        std::vector<std::string> problems;
        const report::MonthReport report = report::LoadMonthReport(
            {resultsDir, month, report::ReportDateToday(texts), settings.maskAddresses()}, texts,
            problems);
        for (const std::string& problem : problems)
            std::fprintf(stderr, "trafikon-batch report: %s\n", problem.c_str());
        // With result files missing or damaged the report is written as far
        // as it goes, and the run says so and fails.
        const char* how = problems.empty() ? "written" : "written INCOMPLETE";
        if (!html.empty()) {
            report::WriteReportHtml(report, code, html);
            std::fprintf(html == "-" ? stderr : stdout, "report of %s %s: %s\n", month.c_str(), how,
                         html.c_str());
        } else {
            const int files = report::WriteReportCsv(report, csv);
            std::printf("report of %s %s: %d CSV files in %s\n", month.c_str(), how, files,
                        csv.c_str());
        }
        if (!problems.empty())
            return 1;
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch report: %s: %s\n", e.path().c_str(),
                     e.reason().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trafikon-batch report: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace trafikon::batch
