// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch watch [--root DIR] [--site N|NAME] [--format CODES|auto] [--once]
//                      [--interval SECONDS] [--vhost-fold port,www|port|www|none]
//                      [--] [PATTERN...]
//
// Takes in the new lines of the site's watched logs. The patterns given are
// added to the site's watched logs first (watched_logs.h). Each round imports
// what the logs hold that the store does not (complete lines only: a line
// still being written waits for its end; a log imported before, renamed,
// copied, truncated or compressed since, gives only its new lines), then
// analyses the months that received lines. With --once one round, then the
// exit; without it a round every SECONDS (60 by default) until SIGTERM or
// SIGINT, which stop the round in hand cleanly (the log in hand is put back).
// A second watcher of the same site is refused (exit 1). Exit 0 once done,
// 1 on an I/O error or a log left out, 2 on a usage error.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/import_files.h"
#include "batch/site_option.h"
#include "import/import_logs.h"
#include "import/log_source.h"
#include "import/vhost_sites.h"
#include "import/watched_logs.h"
#include "state/program_folder.h"
#include "state/settings.h"
#include "state/site_settings.h"
#include "store/data_store.h"
#include "store/log_format.h"
#include "store/stop_flag.h"
#include "store/store_lock.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch watch [--root DIR] [--site N|NAME] [--format CODES|auto] [--once] "
    "[--interval SECONDS] [--vhost-fold port,www|port|www|none] [--] [PATTERN...]\n";

volatile std::sig_atomic_t gStop = 0;

extern "C" void AskToStop(int) {
    gStop = 1;
}

struct StopOnSignal : SilentImportObserver {
    bool StopRequested() override { return gStop != 0; }
};

// The watched logs that hold log lines, oldest first, each with its format.
std::vector<LogToImport> LogsOfRound(const std::string& siteDir, const std::string& codes,
                                     bool detect, bool& refusedFile) {
    std::vector<LogToImport> logs =
        LogsToImport(ReadyWatchedLogs(siteDir), codes, detect, refusedFile);
    for (auto& log : logs)
        log.completeLinesOnly = true;
    return logs;
}

// What every round takes in and how.
struct RoundPlan {
    std::string root;
    int site = 1;
    std::string codes;
    bool detect = false;
    VhostFold fold;
};

// Analyses the months of `site` out of date; false when that failed.
bool Analyse(const std::string& root, int site) {
    return RunAnalyseCommand({"--root", root, "--site", std::to_string(site)}) == 0;
}

// One round: 0 done, 1 a failure or a log left out, -1 stopped by a signal.
int Round(const RoundPlan& plan) {
    const std::string siteDir = SiteDir(plan.root, plan.site);
    bool refusedFile = false;
    const std::vector<LogToImport> logs =
        LogsOfRound(siteDir, plan.codes, plan.detect, refusedFile);
    if (logs.empty())
        return refusedFile ? 1 : 0;
    StopOnSignal observer;
    ImportSummary summary;
    const auto start = std::chrono::steady_clock::now();
    try {
        VhostRouting routing{plan.root, plan.site, plan.fold, {}};
        routing.siteMade = [&plan](const std::string& made, const std::string& host) {
            SaveNewSiteSettings(plan.root, made, host);
        };
        summary = ImportLogs(siteDir, logs, observer, &routing);
    } catch (const RunStopped&) {
        return -1;
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch watch: %s\n", e.what());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    refusedFile = ReportSummary(summary, seconds) || refusedFile;
    int exit = refusedFile ? 1 : 0;
    // Each site that received lines, the watched one first.
    if (!summary.months.empty() && !Analyse(plan.root, plan.site))
        exit = 1;
    for (const auto& [site, keys] : summary.otherSiteMonths)
        if (!keys.empty() && site != plan.site && !Analyse(plan.root, site))
            exit = 1;
    std::fflush(stdout);
    return exit;
}

}  // namespace

int RunWatchCommand(const std::vector<std::string>& args) {
    std::string root, formatText = "auto", interval = "60";
    SiteOption site;
    VhostFold fold;
    bool haveRoot = false, once = false;
    std::vector<std::string> patterns;
    const CommandLine line{
        "watch",
        kUsage,
        {{"--root", true, StoreIn(root, &haveRoot)},
         site.option(),
         {"--format", true, StoreIn(formatText)},
         {"--once", false, SetFlag(once)},
         {"--interval", true, StoreIn(interval)},
         {"--vhost-fold", true,
          [&fold](const std::string& v) {
              const std::optional<VhostFold> chosen = ParseVhostFold(v);
              if (!chosen)
                  return std::string("--vhost-fold takes port,www, port, www or none");
              fold = *chosen;
              return std::string();
          }}},
        &patterns};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (interval.empty() || interval.size() > 6 ||
        interval.find_first_not_of("0123456789") != std::string::npos || std::stoi(interval) < 1)
        return UsageError(line, "--interval takes a number of seconds from 1");
    const bool detect = formatText == "auto";
    std::string codes, why;
    if (!detect && !ParseFormat(formatText, codes, why))
        return UsageError(line, why);
    if (const std::string missing = CheckRequiredFields(codes); !detect && !missing.empty())
        return UsageError(line, "the format lacks these required fields: " + missing);
    for (auto& pattern : patterns)  // kept whatever the folder of later runs
        if (!pattern.empty() && pattern.front() != '/')
            pattern = (std::filesystem::current_path() / pattern).string();
    if (!haveRoot)
        root = ProgramFolder();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    if (const std::string problem = site.Resolve(root); !problem.empty())
        return UsageError(line, problem);
    const std::string siteDir = site.Dir(root);

    try {
        std::error_code ec;
        std::filesystem::create_directories(siteDir, ec);
        if (ec)
            throw IoError(siteDir, ec.message());
        const WatchLock watching(siteDir);
        // Compressed logs expand no further than the store's settings allow.
        Settings settings;
        try {
            LoadSettings(siteDir, settings);
        } catch (const IoError&) {
        }
        SetExpansionLimit(settings.expansionLimit());
        AddWatchedPatterns(siteDir, patterns);
        if (ReadWatchedPatterns(siteDir).empty()) {
            std::fputs("trafikon-batch watch: no watched logs: give a PATTERN\n", stderr);
            return 2;
        }
        if (!detect)
            WriteFormatFile(siteDir + std::string(kLastFormatFileName), codes);
        std::signal(SIGTERM, AskToStop);
        std::signal(SIGINT, AskToStop);
        const RoundPlan plan{root, site.number(), codes, detect, fold};
        if (once) {
            const int exit = Round(plan);
            return exit < 0 ? 0 : exit;
        }
        const auto pause = std::chrono::seconds(std::stoi(interval));
        while (gStop == 0) {
            if (Round(plan) < 0)
                break;
            const auto next = std::chrono::steady_clock::now() + pause;
            while (gStop == 0 && std::chrono::steady_clock::now() < next)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::fputs("trafikon-batch watch: stopped\n", stderr);
        return 0;
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch watch: %s\n", e.what());
        return 1;
    }
}

}  // namespace trafikon::batch
