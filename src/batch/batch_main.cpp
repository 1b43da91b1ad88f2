// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch: the headless driver of import and analysis, used by
// benchmarks, acceptance tests and scripts, and the generator of sample logs.
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "store/text_file.h"

#ifndef TRAFIKON_VERSION
#define TRAFIKON_VERSION "(unknown version)"
#endif

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch import [--root DIR] [--site N|NAME]\n"
    "                             --format \"h l u t r s b R U\"|auto [--again]\n"
    "                             [--vhost-fold port,www|port|www|none] [--] FILE...\n"
    "       trafikon-batch analyse [--root DIR] [--site N|NAME] [--site-url URL] [--all]\n"
    "                              [--on-malformed ignore|cancel] [--jobs N]\n"
    "                              [--countries FILE|none]\n"
    "       trafikon-batch analyse [--root DIR] [--site N|NAME] --from DATE[THH:MM]\n"
    "                              --to DATE[THH:MM] [--where EXPR]... --out FOLDER\n"
    "       trafikon-batch report [--root DIR] [--site N|NAME]\n"
    "                             (--month YYYY-MM | --selection FOLDER)\n"
    "                             (--html FILE | --csv DIR | --json FILE|-) [--lang CODE]\n"
    "       trafikon-batch export [--root DIR] (--clickhouse URL [--table NAME] [--create]\n"
    "                             [--block-rows N] [--compress gzip|none]\n"
    "                             | --tsv FILE|-) (--month YYYY-MM | --all | --selection DIR)\n"
    "                             [--site N|NAME] [--countries FILE|none]\n"
    "       trafikon-batch generate [--out FILE] [--lines N] [--format combined|common|iis]\n"
    "                               [--months N] [--start YYYY-MM] [--seed N] [--tz +HHMM]\n"
    "                               [--hosts N] [--pages N] [--junk FRACTION]\n"
    "                               [--no-iis-daily-header] [--uniform]\n"
    "       trafikon-batch watch [--root DIR] [--site N|NAME] [--format CODES|auto] [--once]\n"
    "                            [--interval SECONDS] [--vhost-fold port,www|port|www|none]\n"
    "                            [--] [PATTERN...]\n"
    "       trafikon-batch sites [--root DIR] [--add NAME [--host HOST]...\n"
    "                            | --rename N|NAME NEWNAME | --delete N|NAME [--yes]]\n"
    "       trafikon-batch --help | --version\n";

constexpr const char* kHelp =
    "\n"
    "import    files the lines of access logs month by month into the site's folder,\n"
    "          read with the given field codes (one letter per field, blank-separated),\n"
    "          or with each file's own detected format (--format auto). Compressed\n"
    "          logs (gzip, bzip2, xz, zstd) are read as they are; files are imported\n"
    "          oldest first. A file imported before stores only its new lines, or\n"
    "          none (--again: the whole file again). The lines of a format with the\n"
    "          virtual host v go to the sites of their hosts, made when new.\n"
    "analyse   analyses the stored months whose analysis is missing or out of date\n"
    "          (all of them with --all); lines with too few fields are skipped, or\n"
    "          cancel their month with --on-malformed cancel. --jobs N analyses N\n"
    "          months at once (by default two for each three cores, fewer when a\n"
    "          quarter of the memory cannot hold them), reported in order.\n"
    "          --countries FILE reads the hosts' countries from that database (none:\n"
    "          by host names only) instead of the settings' or the shipped one.\n"
    "          With --from and --to, analyses only the stored lines of that period\n"
    "          (both ends included) that meet every --where condition (status=5xx,\n"
    "          host=203.0.113.0/24, path~/blog/*, !robot, ua~curl, country=FR ...)\n"
    "          into FOLDER, a selection with the month layout; exit 1 when no line\n"
    "          matches.\n"
    "report    writes the report of an analysed month: one standalone HTML page, or\n"
    "          one CSV file for each list in the folder given, in the language CODE\n"
    "          (else the store's, else French); or the month as one JSON document\n"
    "          for scripts (- for standard output). --selection reports the\n"
    "          selection analysed into FOLDER instead of a month.\n"
    "export    streams every hit of the stored months, one row each (site, time,\n"
    "          host, request, status, bytes, referrer, search query, user agent,\n"
    "          browser, system, robot, country, month, line), into the ClickHouse\n"
    "          table NAME (by default hits; --create makes it and prints its DDL)\n"
    "          at URL (http://HOST:PORT/?SETTINGS), a month exported again\n"
    "          replacing its rows; or as tab-separated text with a header (- for\n"
    "          standard output); a selection's rows go to the table --table names.\n"
    "          See docs/clickhouse.md.\n"
    "watch     imports the new complete lines of the site's watched logs (the\n"
    "          PATTERNs given are added to them: files, or folders, with shell\n"
    "          patterns) and analyses the months that received lines; each log\n"
    "          is known by its content, so rotation by renaming, copying and\n"
    "          truncating or compressing stores nothing twice. --once: one round;\n"
    "          else a round every SECONDS (60) until SIGTERM or SIGINT. One\n"
    "          watcher a site: a second one stops with exit status 1.\n"
    "sites     lists the sites of the store, one line each, tab-separated: number,\n"
    "          name, host names (blank-separated), stored months. --add makes a site\n"
    "          (its settings those of a new site, its address http://HOST for the\n"
    "          first --host) and prints its number; --rename names a site anew;\n"
    "          --delete prints the folder and months that would go and exits 1,\n"
    "          with --yes deletes them. Site 1 is never deleted.\n"
    "generate  writes a synthetic access log (to standard output unless --out), the\n"
    "          same for the same options and seed, with the variety of a busy site's\n"
    "          traffic (about one host for 16 lines, thousands of user agents and\n"
    "          referrers) or, with --uniform, a few hundred hosts whatever its length;\n"
    "          --junk mixes in that share of hostile or malformed lines.\n"
    "\n"
    "Field codes of --format, one letter a field in the order of the log's fields:\n"
    "  h  client host (address or name)     v  virtual host (site name)\n"
    "  l  remote logname (identd)           d  date, IIS form (2026-12-08)\n"
    "  u  authenticated user                H  time, IIS form (14:05:09)\n"
    "  t  date and time, Apache form        M  method, IIS form (GET)\n"
    "     ([08/Dec/2026:14:05:09 +0100])    I  requested path, IIS form (/index.html)\n"
    "  r  request line, Apache form         N  a field that is not analysed\n"
    "     (\"GET /index.html HTTP/1.1\")\n"
    "  s  status code                       b  bytes sent\n"
    "  R  referrer                          U  user agent\n"
    "Apache common is \"h l u t r s b\", combined \"h l u t r s b R U\". A format needs\n"
    "the request (r, or I with M), the status (s) and the host (h).\n"
    "\n"
    "DIR is the program folder of the desktop program unless --root gives it: the\n"
    "executable's folder when it may be written to and is not a bin or system\n"
    "folder, else $XDG_DATA_HOME/trafikon (by default ~/.local/share/trafikon).\n"
    "Each site of the store has its folder DIR/data/N/. --site names the site a\n"
    "command works on, by its number, its name (any case) or one of its host\n"
    "names; without it, site 1. A site that does not exist is a usage error\n"
    "(sites --add makes one).\n"
    "\n"
    "One process writes a site at a time: a command that finds another import,\n"
    "analysis or deletion of that site at work waits two seconds, then stops with\n"
    "exit status 1; different sites may be written at the same time.\n"
    "\n"
    "Exit status: 0 success, 1 input/output error (the file and the reason on\n"
    "standard error), a file left out (format not recognised, month stored under\n"
    "another format, damaged or refused compressed data, an archive), lines without\n"
    "a readable date, a month whose log changed during its analysis or a report\n"
    "missing result files, 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {  // no program folder (no home), for one
        if (command == "import")
            return trafikon::batch::RunImportCommand(args);
        if (command == "analyse")
            return trafikon::batch::RunAnalyseCommand(args);
        if (command == "report")
            return trafikon::batch::RunReportCommand(args);
        if (command == "export")
            return trafikon::batch::RunExportCommand(args);
        if (command == "watch")
            return trafikon::batch::RunWatchCommand(args);
        if (command == "sites")
            return trafikon::batch::RunSitesCommand(args);
        if (command == "generate")
            return trafikon::batch::RunGenerateCommand(args);
    } catch (const trafikon::IoError& e) {
        std::fprintf(stderr, "trafikon-batch %s: %s\n", command.c_str(), e.what());
        return 1;
    }
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts("trafikon-batch " TRAFIKON_VERSION);
        return 0;
    }
    std::fprintf(stderr, "trafikon-batch: unknown command \"%s\"\n", command.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}
