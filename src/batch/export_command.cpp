// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch export [--root DIR] (--clickhouse URL [--table NAME] [--create]
//                       | --tsv FILE|-) (--month K | --all | --selection DIR)
//                       [--site N|NAME] [--countries FILE|none]
// Streams every hit of the chosen stored months as rows (report/hit_columns.h),
// or of a selection's folder (analyse --out): its lines are the month logs'
// lines the selection kept, numbered within the selection, and they go to a
// table named on the command line, never mixed with the months' rows.
// into a ClickHouse table over its HTTP interface, or as tab-separated text
// with a header line. A month is read from its stored log, never held whole.
//
// Exactly once: a month's rows go to a staging table (NAME_staging, made like
// NAME) in blocks, and only once all are there does one statement put them in
// place of the month's partition of NAME (REPLACE PARTITION). An export
// interrupted at any point leaves NAME as it was; the next one starts the
// staging partition again. One export at a time for a table.
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/clickhouse_http.h"
#include "batch/command_options.h"
#include "batch/site_option.h"
#include "engine/select_lines.h"
#include "engine/visit_tally.h"
#include "report/hit_columns.h"
#include "report/month_hit_rows.h"
#include "state/country_database_file.h"
#include "state/program_folder.h"
#include "state/settings.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch export [--root DIR] (--clickhouse URL [--table NAME] [--create]\n"
    "                             [--block-rows N] [--compress gzip|none]\n"
    "                             | --tsv FILE|-) (--month YYYY-MM | --all | --selection DIR)\n"
    "                             [--site N|NAME] [--countries FILE|none]\n";

constexpr std::size_t kPieceBytes = 1 << 20;

struct ExportMonth {
    std::string siteDir;
    int site = 1;
    std::string key;
};

// The months an export takes: those of the site, or the one of a selection's
// folder (the site's settings still decide masking and countries).
std::vector<ExportMonth> ChosenMonths(const std::string& siteDir, int site,
                                      const std::string& month, bool all) {
    std::vector<ExportMonth> months;
    for (const std::string& key : ListStoredMonths(siteDir))
        if (all || key == month)
            months.push_back({siteDir, site, key});
    return months;
}

report::HitExportSource SourceOf(const ExportMonth& m, const Settings& settings,
                                 const std::string& countries) {
    return {m.siteDir, m.key, m.site, settings.maskAddresses(), countries};
}

// The rows of one month, in pieces of about a megabyte: calls piece(text) and
// returns the month's rows.
template <typename F>
std::uint64_t ForEachPiece(report::MonthHitRows& rows, F&& piece) {
    std::string text;
    text.reserve(kPieceBytes + 64 * 1024);
    std::uint64_t total = 0;
    while (rows.Next(text)) {
        ++total;
        if (text.size() >= kPieceBytes) {
            piece(text);
            text.clear();
        }
    }
    piece(text);
    return total;
}

int ExportTsv(const std::vector<ExportMonth>& months, const Settings& settings,
              const std::string& countries, const std::string& path) {
    std::string header;
    for (const report::HitColumn& c : report::kHitColumns) {
        header += header.empty() ? "" : "\t";
        header += c.name;
    }
    header += '\n';
    const bool toStdout = path == "-";
    std::unique_ptr<AtomicFileWriter> file;
    if (!toStdout)
        file = std::make_unique<AtomicFileWriter>(path);
    auto write = [&](std::string_view text) {
        if (file)
            file->Write(text);
        else if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
            throw IoError("(standard output)", "write error");
    };
    write(header);
    std::uint64_t total = 0;
    for (const ExportMonth& m : months) {
        report::MonthHitRows rows(SourceOf(m, settings, countries));
        total += ForEachPiece(rows, [&](std::string& text) { write(text); });
    }
    if (file)
        file->Commit();
    else if (std::fflush(stdout) != 0)
        throw IoError("(standard output)", "write error");
    std::fprintf(toStdout ? stderr : stdout, "%llu rows of %zu month(s) written: %s\n",
                 static_cast<unsigned long long>(total), months.size(), path.c_str());
    return 0;
}

// One month into `table` by way of `staging`.
std::uint64_t ExportMonthTo(ClickHouseHttp& server, const std::string& table,
                            const std::string& staging, const ExportMonth& m,
                            const Settings& settings, const std::string& countries,
                            std::size_t blockRows, bool gzip) {
    const std::string partition = report::HitPartition(m.site, m.key);
    server.Run("ALTER TABLE " + staging + " DROP PARTITION " + partition);
    report::MonthHitRows rows(SourceOf(m, settings, countries));
    // One request streams the month while the server stores its blocks.
    bool open = false;
    const std::uint64_t total = ForEachPiece(rows, [&](std::string& text) {
        if (!open && !text.empty()) {
            server.BeginInsert(staging, blockRows, gzip);
            open = true;
        }
        if (open)
            server.Write(text);
    });
    if (open)
        server.EndInsert();
    // The one step that changes the table: its month becomes the staged one
    // (no rows: none).
    if (total == 0)
        server.Run("ALTER TABLE " + table + " DROP PARTITION " + partition);
    else
        server.Run("ALTER TABLE " + table + " REPLACE PARTITION " + partition + " FROM " + staging);
    server.Run("ALTER TABLE " + staging + " DROP PARTITION " + partition);
    if (rows.skippedLines() > 0)
        std::fprintf(stderr, "trafikon-batch export: %s: %llu lines too short for the format\n",
                     m.key.c_str(), static_cast<unsigned long long>(rows.skippedLines()));
    return total;
}

int ExportToServer(const std::vector<ExportMonth>& months, const Settings& settings,
                   const std::string& countries, const std::string& url, const std::string& table,
                   bool create, std::size_t blockRows, const std::string& compress) {
    ClickHouseHttp server(url);
    // Rows to a server on this machine go as they are: compressing them would
    // only cost both ends processor time.
    const bool gzip = compress == "gzip" || (compress.empty() && !server.Loopback());
    if (create) {
        const std::string ddl = report::HitTableDdl(table, true);
        std::fputs(ddl.c_str(), stdout);
        server.Run(ddl);
    }
    const std::string staging = table + "_staging";
    server.Run("CREATE TABLE IF NOT EXISTS " + staging + " AS " + table);
    for (const ExportMonth& m : months) {
        const std::uint64_t total =
            ExportMonthTo(server, table, staging, m, settings, countries, blockRows, gzip);
        std::printf("%s: %llu rows exported to %s\n", m.key.c_str(),
                    static_cast<unsigned long long>(total), table.c_str());
        std::fflush(stdout);
    }
    return 0;
}

bool IsMonthKey(const std::string& k) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return k.size() == 7 && digit(k[0]) && digit(k[1]) && digit(k[2]) && digit(k[3]) &&
           k[4] == '-' && digit(k[5]) && digit(k[6]);
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args) {
    std::string root, url, table = "hits", tsv, month, countries, selection;
    std::string blockText = "100000";  // rows of the server's blocks
    std::string compress;              // empty: gzip unless the server is this machine
    bool haveRoot = false, haveUrl = false, haveTsv = false, haveCountries = false;
    bool haveTable = false, haveSelection = false;
    bool create = false, all = false;
    SiteOption siteOption;
    const CommandLine line{"export",
                           kUsage,
                           {{"--root", true, StoreIn(root, &haveRoot)},
                            {"--clickhouse", true, StoreIn(url, &haveUrl)},
                            {"--table", true, StoreIn(table, &haveTable)},
                            {"--create", false, SetFlag(create)},
                            {"--block-rows", true, StoreIn(blockText)},
                            {"--compress", true, StoreIn(compress)},
                            {"--tsv", true, StoreIn(tsv, &haveTsv)},
                            {"--month", true, StoreIn(month)},
                            {"--all", false, SetFlag(all)},
                            {"--selection", true, StoreIn(selection, &haveSelection)},
                            siteOption.option(),
                            {"--countries", true, StoreIn(countries, &haveCountries)}}};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (haveUrl == haveTsv)
        return UsageError(line, "give one of --clickhouse URL and --tsv FILE|-");
    if (haveTsv && tsv.empty())
        return UsageError(line, "--tsv needs a file, or - for standard output");
    if (haveSelection) {
        if (all || !month.empty() || selection.empty())
            return UsageError(line, "give one of --month YYYY-MM, --all and --selection DIR");
        if (haveUrl && !haveTable)
            return UsageError(line, "a selection goes to a table of its own: give --table NAME");
    } else if (all == !month.empty() || (!all && !IsMonthKey(month))) {
        return UsageError(line, "give --month YYYY-MM or --all");
    }
    if (!compress.empty() && compress != "gzip" && compress != "none")
        return UsageError(line, "--compress takes gzip or none");
    if (!report::IsPlainTableName(table))
        return UsageError(line, "--table takes letters, digits and _ (and one . after a database)");
    if (blockText.empty() || blockText.size() > 9 ||
        blockText.find_first_not_of("0123456789") != std::string::npos || std::stoi(blockText) < 1)
        return UsageError(line, "--block-rows takes a number of rows from 1");
    if (!haveRoot)
        root = ProgramFolder();
    if (root.back() != '/')
        root.push_back('/');
    if (const std::string problem = siteOption.Resolve(root); !problem.empty())
        return UsageError(line, problem);
    const int site = siteOption.number();
    const std::string siteDir = siteOption.Dir(root);
    try {
        if (!DirectoryExists(siteDir))
            throw IoError(siteDir, "No such file or directory");
        Settings settings;
        LoadSettings(siteDir, settings);
        SetVisitGapMinutes(settings.visitGapMinutes());
        if (!haveCountries)
            countries = ChosenCountryDatabase(settings.countryDatabase());
        else if (countries == "none")
            countries.clear();
        std::vector<ExportMonth> months;
        if (haveSelection) {
            if (selection.back() != '/')
                selection.push_back('/');
            if (!FileExists(selection + std::string(kSelectionMarkerFileName)))
                throw IoError(selection, "not a selection folder (analyse --out makes one)");
            months = ChosenMonths(selection, site, month, true);
            if (months.empty())
                throw IoError(selection, "the selection holds no line");
        } else {
            months = ChosenMonths(siteDir, site, month, all);
            if (months.empty())
                throw IoError(siteDir, all ? "no stored month" : "no stored month " + month);
        }
        if (haveTsv)
            return ExportTsv(months, settings, countries, tsv);
        return ExportToServer(months, settings, countries, url, table, create,
                              static_cast<std::size_t>(std::stoi(blockText)), compress);
    } catch (const IoError& e) {
        std::fprintf(stderr, "trafikon-batch export: %s: %s\n", e.path().c_str(),
                     e.reason().c_str());
    } catch (const ServerError& e) {
        std::fprintf(stderr, "trafikon-batch export: %s\n", e.what());
    }
    return 1;
}

}  // namespace trafikon::batch
