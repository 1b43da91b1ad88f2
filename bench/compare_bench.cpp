// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the month comparisons over twelve analysed months of 1,000,000
// generated log lines each: the base directory comparison, a two-letter file
// search and the top pages comparison, each timed alone (best of 3 runs).
//
// usage: compare_bench [PROGRAM_DIR]
// Without an argument the data is made by the real pipeline and cached: the
// generated log of scripts/bench-data.sh 12000000 combined 12 1 is imported
// and analysed by trafikon-batch into a program folder beside the log.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_data.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "views/compare/month_comparison.h"

namespace {

using namespace trafikon;
using Clock = std::chrono::steady_clock;

// Imports and analyses the generated year once; later runs reuse it.
std::string PrepareProgramDir() {
    const std::string log = bench::BenchLog("12000000 combined 12 1");
    const std::string root = log + ".compare";
    if (FileExists(root + "/complete"))
        return root;
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    const std::string batch = TRAFIKON_BATCH_EXE;
    std::printf("importing and analysing %s (once)...\n", log.c_str());
    std::fflush(stdout);
    const std::string import = "'" + batch + "' import --root '" + root +
                               "' --format 'h l u t r s b R U' '" + log + "' >/dev/null";
    const std::string analyse = "'" + batch + "' analyse --root '" + root + "' --all >/dev/null";
    if (std::system(import.c_str()) != 0 || std::system(analyse.c_str()) != 0) {
        std::fprintf(stderr, "compare_bench: import or analysis failed\n");
        std::exit(1);
    }
    WriteWholeFile(root + "/complete", "");
    return root;
}

template <typename F>
double BestSeconds(F&& f, std::size_t& rows) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        rows = f().size();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string programDir = argc > 1 ? argv[1] : PrepareProgramDir();
    const std::string siteDir = SiteDir(programDir + "/");
    std::vector<std::string> months = ListStoredMonths(siteDir);
    std::reverse(months.begin(), months.end());
    std::uintmax_t listBytes = 0;
    for (const std::string& key : months) {
        const std::string path = siteDir + ResultFileName(kFilesResult, key);
        if (FileExists(path))
            listBytes += std::filesystem::file_size(path);
    }
    std::printf("%zu months, file lists %.1f MB in all\n", months.size(), listBytes / 1e6);

    const MonthComparison compare(siteDir, months);
    std::size_t rows = 0;
    const double dirs = BestSeconds([&] { return compare.BaseDirectories(); }, rows);
    std::printf("base directories   %7.3f s  %6zu rows\n", dirs, rows);
    const double search = BestSeconds([&] { return compare.SearchFiles("in"); }, rows);
    std::printf("search \"in\"        %7.3f s  %6zu rows\n", search, rows);
    const double top = BestSeconds([&] { return compare.TopPages(); }, rows);
    std::printf("top pages          %7.3f s  %6zu rows\n", top, rows);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory        %7.1f MB\n", usage.ru_maxrss / 1024.0);
    const bool ok = dirs < 1.0 && search < 1.0 && top < 1.0;
    std::printf("%s: each command under 1 second\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
