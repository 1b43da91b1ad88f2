// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch import [--root DIR] [--site N|NAME] --format "h l u t r s b R U"|auto
//                       [--max-expansion N] [--again]
//                       [--vhost-fold port,www|port|www|none] [--] FILE...
//
// Imports log files into the site folder DIR/data/N/ (site 1 unless given;
// created when missing, but a site that does not exist is refused: `sites
// --add` makes it; DIR is the program folder unless given) as the
// add-log dialog does: the format must hold the required fields (else the
// message goes to stderr, exit 2, nothing is written), it is saved as
// format.log, files that are empty or hold only "#" lines are refused by name
// and the others imported oldest first by the date of their first log line.
// With --format auto each file is imported with the format its own lines show;
// a file whose format is not recognised, or lacks a required field, is refused
// by name. Compressed files (gzip, bzip2, xz, zstd) are read decompressed; one
// that expands beyond N times its size is refused by name (by default the
// limit of the store's settings, as the desktop uses it, else 250).
// A file whose lines would enter a month stored under another format is
// refused whole. A file imported before (by its content, whatever its name)
// stores only its lines after what was imported, or nothing, and stdout says
// so; --again imports every file whole. The last line on stdout sums the run up. Exit 1 on an I/O
// error, with the file and the reason on stderr, or when a file was refused
// (after the other files were imported) or left lines without a readable date
// unstored. Messages are in English, as in the other commands.
// A file whose format holds the virtual host v (given, or detected in the
// usual virtual-host layouts) is filed line by line into the site of its
// host, sites being made for new hosts (stdout names them); --vhost-fold
// tells which differences of host names make no other site, besides case: a
// ":port" suffix, a leading "www." (both by default), or none.
// "--" ends the options. When a file fails, stderr names the files stored
// before it and the one that was not.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/import_files.h"
#include "batch/site_option.h"
#include "import/format_detection.h"
#include "import/import_logs.h"
#include "import/log_file_check.h"
#include "import/log_file_order.h"
#include "import/log_source.h"
#include "import/vhost_sites.h"
#include "state/program_folder.h"
#include "state/settings.h"
#include "state/site_settings.h"
#include "store/data_store.h"
#include "store/log_format.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch import [--root DIR] [--site N|NAME] --format \"h l u t r s b R U\"|auto "
    "[--max-expansion N] [--again] [--vhost-fold port,www|port|www|none] [--] FILE...\n";

}  // namespace

bool ParseFormat(std::string_view text, std::string& codes, std::string& why) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::size_t end = text.find_first_of(" \t", i);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view token = text.substr(i, end - i);
        if (token.size() != 1 || !IsFieldCode(token[0])) {
            why = "unknown field code \"" + std::string(token) + "\"";
            return false;
        }
        codes.push_back(token[0]);
        if (RepeatedFieldCode(codes) != '\0') {
            why = "field code \"" + std::string(token) + "\" given twice";
            return false;
        }
        i = end;
    }
    if (codes.empty()) {
        why = "empty format";
        return false;
    }
    return true;
}

namespace {

// Remembers the file in hand, to name what was stored when one fails.
struct FileTracker : SilentImportObserver {
    void FileStarted(std::size_t index, const std::string&) override {
        started = static_cast<long long>(index);
    }
    long long started = -1;
};

// What the command line asks for.
struct ImportOptions {
    std::string root, formatText;
    std::uint64_t maxExpansion = 0;  // 0: not given
    bool again = false;
    VhostFold fold;
    std::vector<std::string> files;
    SiteOption site;
};

// Reads the options into `o`; returns the exit code when the command ends
// there (usage error, --help), else -1.
int ReadOptions(const std::vector<std::string>& args, ImportOptions& o) {
    bool haveRoot = false, haveFormat = false;
    const CommandLine line{
        "import",
        kUsage,
        {{"--root", true, StoreIn(o.root, &haveRoot)},
         {"--format", true, StoreIn(o.formatText, &haveFormat)},
         {"--again", false, SetFlag(o.again)},
         o.site.option(),
         {"--vhost-fold", true,
          [&o](const std::string& v) {
              const std::optional<VhostFold> fold = ParseVhostFold(v);
              if (!fold)
                  return std::string("--vhost-fold takes port,www, port, www or none");
              o.fold = *fold;
              return std::string();
          }},
         {"--max-expansion", true,
          [&o](const std::string& v) {
              if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != v.npos ||
                  std::stoul(v) < 1)
                  return std::string("--max-expansion takes a number of times from 1");
              o.maxExpansion = std::stoul(v);
              return std::string();
          }}},
        &o.files};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && o.root.empty())
        return UsageError(line, "--root needs a folder");
    if (!haveRoot)
        o.root = ProgramFolder();
    while (o.root.size() > 1 && o.root.back() == '/')
        o.root.pop_back();
    if (const std::string problem = o.site.Resolve(o.root); !problem.empty())
        return UsageError(line, problem);
    if (!haveFormat)
        return UsageError(line, "--format is required");
    if (o.files.empty())
        return UsageError(line, "no log file given");
    return -1;
}

// The expansion limit asked for, else the one of the store's settings.
void UseExpansionLimit(const ImportOptions& o) {
    std::uint64_t limit = o.maxExpansion;
    if (limit == 0) {
        Settings settings;
        try {
            LoadSettings(o.site.Dir(o.root), settings);
        } catch (const IoError&) {
        }
        limit = settings.expansionLimit();
    }
    SetExpansionLimit(limit);
}

}  // namespace

// The files not refused like the dialog refuses them; one that cannot be read
// is kept, so that the run stops on it with its error.
std::vector<std::string> AcceptedFiles(const std::vector<std::string>& files) {
    std::vector<std::string> accepted;
    for (const auto& file : files) {
        LogFileCheck check = LogFileCheck::kAccepted;
        try {
            check = CheckLogFile(file);
        } catch (const IoError&) {
        }
        if (check == LogFileCheck::kEmpty)
            std::fprintf(stderr, "%s: the file is empty, file not imported\n", file.c_str());
        else if (check == LogFileCheck::kNoLogLines)
            std::fprintf(stderr, "%s: the file holds no log lines, file not imported\n",
                         file.c_str());
        else
            accepted.push_back(file);
    }
    return accepted;
}

std::vector<LogToImport> LogsToImport(const std::vector<std::string>& accepted,
                                      const std::string& codes, bool detect, bool& refusedFile) {
    std::vector<LogToImport> logs;
    for (std::size_t i : OldestFirstOrder(accepted, codes)) {
        LogToImport log{accepted[i], codes};
        if (detect) {
            try {
                log.codes = DetectFileFormat(log.path);
            } catch (const IoError& e) {
                std::fprintf(stderr, "trafikon-batch import: %s\n", e.what());
                refusedFile = true;
                continue;
            }
            if (log.codes.empty()) {
                std::fprintf(stderr, "%s: format not recognised, file not imported\n",
                             log.path.c_str());
                refusedFile = true;
                continue;
            }
            if (const char twice = RepeatedFieldCode(log.codes); twice != '\0') {
                std::fprintf(stderr,
                             "%s: detected format \"%s\" holds field code \"%c\" twice, "
                             "file not imported\n",
                             log.path.c_str(), SpacedCodes(log.codes).c_str(), twice);
                refusedFile = true;
                continue;
            }
            if (const std::string missing = CheckRequiredFields(log.codes); !missing.empty()) {
                std::fprintf(stderr, "%s: detected format \"%s\" lacks %s, file not imported\n",
                             log.path.c_str(), SpacedCodes(log.codes).c_str(), missing.c_str());
                refusedFile = true;
                continue;
            }
        }
        logs.push_back(std::move(log));
    }
    return logs;
}

bool ReportSummary(const ImportSummary& summary, double seconds) {
    bool refusedFile = false;
    for (const auto& file : summary.files) {
        if (file.nothingNew)
            std::printf("%s: imported before, nothing new\n", file.path.c_str());
        else if (file.knownBefore)
            std::printf("%s: imported before up to byte %llu, the lines after it imported\n",
                        file.path.c_str(), static_cast<unsigned long long>(file.bytesKnown));
        if (file.unfiledLines > 0) {
            std::fprintf(stderr, "%s: no line with a readable date, %llu lines not stored\n",
                         file.path.c_str(), static_cast<unsigned long long>(file.unfiledLines));
            refusedFile = true;
        }
    }
    for (const auto& refused : summary.refused) {
        std::fprintf(stderr, "%s: not imported: month %s is stored as \"%s\", the file is \"%s\"\n",
                     refused.path.c_str(), refused.month.c_str(),
                     SpacedCodes(refused.monthCodes).c_str(),
                     SpacedCodes(refused.fileCodes).c_str());
        refusedFile = true;
    }
    for (const auto& damaged : summary.damaged) {
        std::fprintf(stderr, "%s: not imported: %s\n", damaged.path.c_str(),
                     damaged.reason.c_str());
        refusedFile = true;
    }
    for (const auto& site : summary.newSites)
        std::printf("site %d made for virtual host %s\n", site.number, site.host.c_str());
    if (summary.linesPastSiteLimit > 0) {
        std::fprintf(stderr,
                     "%llu lines of further new virtual hosts filed into the aimed site: one "
                     "import makes at most %zu sites\n",
                     static_cast<unsigned long long>(summary.linesPastSiteLimit),
                     VhostSites::kMaxNewSites);
        refusedFile = true;
    }
    std::size_t months = summary.months.size();  // of every site
    for (const auto& [site, keys] : summary.otherSiteMonths)
        months += keys.size();
    const double mb = static_cast<double>(summary.bytes) / 1e6;
    std::printf(
        "%zu files, %llu lines stored, %zu months touched, %.3f seconds, %.1f MB/s, "
        "%llu damaged lines\n",
        summary.files.size(), static_cast<unsigned long long>(summary.linesStored), months, seconds,
        seconds > 0 ? mb / seconds : 0.0, static_cast<unsigned long long>(summary.damagedLines));
    return refusedFile;
}

namespace {

// Names the files stored before the one that failed (`started`, -1 when none
// had started) and that one, which was put back.
void ReportFailure(long long started, const std::vector<LogToImport>& logs) {
    if (started < 0)
        return;
    const auto failed = static_cast<std::size_t>(started);
    std::string stored;
    for (std::size_t k = 0; k < failed; ++k)
        stored += (k ? ", " : "") + logs[k].path;
    std::fprintf(stderr, "files stored: %s\nfile not stored: %s\n",
                 stored.empty() ? "none" : stored.c_str(), logs[failed].path.c_str());
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args) {
    ImportOptions options;
    if (const int exit = ReadOptions(args, options); exit >= 0)
        return exit;
    UseExpansionLimit(options);
    const bool detect = options.formatText == "auto";
    std::string codes, why;
    if (!detect && !ParseFormat(options.formatText, codes, why))
        return UsageError("import", kUsage, why);
    if (const std::string missing = CheckRequiredFields(codes); !detect && !missing.empty()) {
        std::fprintf(stderr, "the format lacks these required fields: %s\n", missing.c_str());
        return 2;
    }
    bool refusedFile = false;
    std::vector<LogToImport> logs =
        LogsToImport(AcceptedFiles(options.files), codes, detect, refusedFile);
    for (auto& log : logs)
        log.whole = options.again;
    if (detect && !logs.empty())
        codes = logs.front().codes;
    if (logs.empty() && refusedFile)
        return 1;
    if (logs.empty()) {
        std::fputs("no file to import\n", stderr);
        return 2;
    }

    const std::string siteDir = options.site.Dir(options.root);
    FileTracker observer;
    try {
        std::error_code ec;
        std::filesystem::create_directories(siteDir, ec);
        if (ec)
            throw IoError(siteDir, ec.message());
        WriteFormatFile(siteDir + std::string(kLastFormatFileName), codes);
        const auto start = std::chrono::steady_clock::now();
        VhostRouting routing{options.root, options.site.number(), options.fold, {}};
        routing.siteMade = [&options](const std::string& made, const std::string& host) {
            SaveNewSiteSettings(options.root, made, host);
        };
        const ImportSummary summary = ImportLogs(siteDir, logs, observer, &routing);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return ReportSummary(summary, seconds) || refusedFile ? 1 : 0;
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch import: %s\n", e.what());
        ReportFailure(observer.started, logs);
        return 1;
    }
}

}  // namespace trafikon::batch
