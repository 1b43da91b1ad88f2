// trafikon-batch report [--root DIR] --month YYYY-MM (--html FILE | --csv DIR)
//                       [--lang CODE]
// Writes the report of an analysed month: one standalone HTML page, or one CSV
// file for each list. The language is CODE, else the store's setting, else
// French; its file in DIR is used when there is one.
#include <clocale>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "report/month_report_files.h"
#include "report/report_csv.h"
#include "shell/language_table.h"
#include "shell/program_folder.h"
#include "shell/settings.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch report [--root DIR] --month YYYY-MM (--html FILE | --csv DIR) "
    "[--lang CODE]\n";

int Usage(const char* problem) {
    std::fprintf(stderr, "trafikon-batch report: %s\n%s", problem, kUsage);
    return 2;
}

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

std::string Today() {
    char buf[64] = "";
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (localtime_r(&now, &tm))
        std::strftime(buf, sizeof buf, "%x", &tm);
    return buf;
}

}  // namespace

int RunReportCommand(const std::vector<std::string>& args) {
    std::string root, month, html, csv, code;
    bool haveRoot = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--root" && hasValue) {
            root = args[++i];
            haveRoot = true;
        } else if (a == "--month" && hasValue) {
            month = args[++i];
        } else if (a == "--html" && hasValue) {
            html = args[++i];
        } else if (a == "--csv" && hasValue) {
            csv = args[++i];
        } else if (a == "--lang" && hasValue) {
            code = args[++i];
        } else {
            return Usage(("unexpected argument: " + a).c_str());
        }
    }
    if (haveRoot && root.empty())
        return Usage("--root needs a folder");
    if (!haveRoot)
        root = ProgramFolder();
    if (!IsMonthKey(month))
        return Usage("--month takes a month as YYYY-MM");
    if (html.empty() == csv.empty())
        return Usage("give one of --html FILE and --csv DIR");
    std::setlocale(LC_TIME, "");
    if (root.back() != '/')
        root.push_back('/');
    const std::string siteDir = SiteDir(root);
    try {
        if (code.empty()) {
            Settings settings;
            if (FileExists(siteDir + std::string(kSettingsFileName)))
                LoadSettings(siteDir, settings);
            code = settings.languageCode();
        }
        if (code.empty())
            code = "fr";  // the program's first language
        LanguageTable texts;
        LoadLanguage(root, code, texts);
        std::vector<std::string> problems;
        const report::MonthReport report =
            report::LoadMonthReport({siteDir, month, Today()}, texts, problems);
        for (const std::string& problem : problems)
            std::fprintf(stderr, "trafikon-batch report: %s\n", problem.c_str());
        if (!html.empty()) {
            report::WriteReportHtml(report, code, html);
            std::printf("report of %s written: %s\n", month.c_str(), html.c_str());
        } else {
            const int files = report::WriteReportCsv(report, csv);
            std::printf("report of %s written: %d CSV files in %s\n", month.c_str(), files,
                        csv.c_str());
        }
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
