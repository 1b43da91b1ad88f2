// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the analysis of every month of a generated combined log:
// lines per second, the time against `wc -l` on the same log, and peak memory.
//
// usage: analyse_bench [LOG [MONTHS_AT_ONCE]]  (default: the cached 2,000,000-line
// combined log of scripts/bench-data.sh 2000000 combined 3 1; as many
// months at once as analyse-all takes)
// The log is first filed by month into a store of its own (cached beside the
// log), the way the import does, outside the measured time.
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bench_data.h"
#include "engine/analyse_log.h"
#include "engine/analyse_months.h"
#include "import/line_date.h"
#include "store/data_store.h"
#include "store/line_reader.h"
#include "store/log_format.h"
#include "store/text_file.h"

namespace {

using namespace trafikon;
using Clock = std::chrono::steady_clock;

std::string RunForLine(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        ::pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string DefaultLog() {
    return bench::BenchLog("2000000 combined 3 1");
}

// Files the lines of `log` by month key into siteDir, with the Apache format.
void BuildStore(const std::string& log, const std::string& siteDir) {
    std::filesystem::create_directories(siteDir);
    const FieldFormat format = "hlutrsbRU";
    LineDater dater(format);
    std::map<std::string, std::unique_ptr<AppendFile>> outs;
    LineReader reader(log);
    std::string_view line;
    std::string key;
    while (reader.Next(line)) {
        dater.Date(line);
        key = dater.monthKey();
        auto& out = outs[key];
        if (!out) {
            out = std::make_unique<AppendFile>(siteDir + LogFileName(key));
            WriteFormatFile(siteDir + FormatFileName(key), format);
        }
        out->Write(line);
        out->Write("\r\n");
    }
    for (auto& [k, out] : outs)
        out->Close();
}

double CpuSeconds(int who = RUSAGE_SELF) {
    struct rusage usage;
    ::getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class QuietObserver : public MonthsObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::Ignore;
    }
    void MonthEnded(const std::string&, const AnalysisResult& r) override { lines += r.linesRead; }
    bool MonthFailed(const std::string&, std::exception_ptr error) override {
        std::rethrow_exception(error);
    }
    std::uint64_t lines = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_TIME, "");
    const std::string log = argc > 1 ? argv[1] : DefaultLog();
    if (log.empty() || !FileExists(log)) {
        std::fprintf(stderr, "no log to measure (%s)\n", log.c_str());
        return 1;
    }
    const std::string root = log + ".store/";
    const std::string siteDir = SiteDir(root);
    if (!FileExists(root + "complete")) {
        std::filesystem::remove_all(root);
        std::printf("filing %s by month...\n", log.c_str());
        BuildStore(log, siteDir);
        WriteWholeFile(root + "complete", "");
    }

    auto t0 = Clock::now();
    const std::string wc = RunForLine("wc -l < '" + log + "'");
    const double wcSeconds = std::chrono::duration<double>(Clock::now() - t0).count();

    QuietObserver observer;
    const int monthsAtOnce = argc > 2 ? std::atoi(argv[2]) : MonthsAtOnce();
    const double cpu0 = CpuSeconds();
    t0 = Clock::now();
    try {
        AnalyseMonths(
            siteDir, ListStoredMonths(siteDir), "http://www.example.org",
            [](const std::string&) { return true; }, observer, monthsAtOnce);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const std::uint64_t lines = observer.lines;
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = CpuSeconds() - cpu0;
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);

    std::printf("log: %s (%s lines by wc -l)\n", log.c_str(), wc.c_str());
    std::printf("analysed %llu lines in %.3f s: %.0f lines/s\n",
                static_cast<unsigned long long>(lines), seconds,
                static_cast<double>(lines) / seconds);
    std::printf("processor time (all threads): %.3f s: %.0f lines per processor second\n", cpu,
                static_cast<double>(lines) / cpu);
    std::printf("months at once: %d\n", monthsAtOnce);
    std::printf("wc -l: %.3f s; analysis / wc -l = %.1fx\n", wcSeconds, seconds / wcSeconds);
    std::printf("peak memory (ru_maxrss): %.1f MB\n",
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
