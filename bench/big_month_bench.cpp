// SPDX-License-Identifier: GPL-3.0-or-later
// One big month, imported then analysed: peak memory and processor time of
// each, against `cp` and `wc -l` of the same log. Opt-in, as it takes minutes
// and several GB of disk: the log is generated first (trafikon-batch
// generate), everything is made in a fresh folder and deleted at the end.
//
// usage: big_month_bench [LINES [HOSTS]]  (default 20,000,000 lines, the
// generator's default hosts; more hosts make more records of fewer hits)
// The work folder is made in $TMPDIR, else /tmp.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "child_run.h"
#include "engine/analyse_log.h"
#include "import/import_logs.h"
#include "import/import_observer.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace fs = std::filesystem;
using namespace trafikon;
using trafikon::bench::InChild;
using trafikon::bench::Run;

namespace {

class QuietObserver : public AnalysisObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::IgnoreAll;
    }
};

Run Shell(const std::string& command) {
    return InChild([&] { return std::system(command.c_str()) == 0 ? 0 : 1; });
}

void Print(const char* what, const Run& r, double lines) {
    std::printf("%-8s wall %7.2f s  processor %7.2f s (%.0f ns a line)  peak %7.1f MB\n", what,
                r.seconds, r.cpuSeconds, r.cpuSeconds * 1e9 / lines,
                static_cast<double>(r.peakKb) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_TIME, "");
    const long long lines = argc > 1 ? std::atoll(argv[1]) : 20000000;
    const std::string hosts = argc > 2 ? std::string(" --hosts ") + argv[2] : std::string();
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work =
        fs::path(tmp && *tmp ? tmp : "/tmp") / ("trafikon-big-month." + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string log = (work / "month.log").string();
    const std::string root = (work / "root").string() + "/";
    const std::string siteDir = SiteDir(root);
    fs::create_directories(siteDir);

    std::printf("generating %lld lines of one month...\n", lines);
    std::fflush(stdout);
    Shell("'" TRAFIKON_BATCH_EXE "' generate --months 1 --seed 7 --lines " + std::to_string(lines) +
          hosts + " --out '" + log + "'");
    const double n = static_cast<double>(lines);
    std::printf("log: %.1f MB\n", static_cast<double>(fs::file_size(log)) / 1e6);

    const Run cp = Shell("cp '" + log + "' '" + (work / "copy.log").string() + "'");
    fs::remove(work / "copy.log");
    const Run wc = Shell("wc -l < '" + log + "' > /dev/null");
    const Run import = InChild([&] {
        SilentImportObserver observer;
        ImportLogs(siteDir, {log}, "hlutrsbRU", observer);
        return 0;
    });
    fs::remove(log);  // the stored month is what the analysis reads
    const Run analysis = InChild([&] {
        QuietObserver observer;
        PrepareAnalysisRun(siteDir);
        for (const std::string& key : ListStoredMonths(siteDir))
            if (!AnalyseLog(siteDir, key, "http://www.example.org", observer).completed)
                return 1;
        return 0;
    });
    Print("cp", cp, n);
    Print("wc -l", wc, n);
    Print("import", import, n);
    Print("analyse", analysis, n);
    std::printf("import / cp: %.1fx wall, %.1fx processor\n", import.seconds / cp.seconds,
                import.cpuSeconds / cp.cpuSeconds);
    std::printf("analysis / wc -l: %.1fx wall; %.0f lines/s\n", analysis.seconds / wc.seconds,
                n / analysis.seconds);
    std::printf("targets: analysis peak < 250 MB, import peak < 16 MB\n");
    fs::remove_all(work);
    return 0;
}
