// SPDX-License-Identifier: GPL-3.0-or-later
// Splits every line of a generated access log with its default format and
// prints lines per second. Usage: split_line_bench [LINES] [combined|iis]
// The log is made once with the generator and kept in /tmp/trafikon-bench-data.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_data.h"
#include "store/line_reader.h"
#include "store/log_line_splitter.h"
#include "store/text_file.h"

using namespace trafikon;

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 500000;
    const std::string kind = argc > 2 ? argv[2] : "combined";
    const std::string path = bench::BenchLog(std::to_string(lines) + " " + kind + " 2 1");
    const std::string_view format = kind == "iis" ? kIisDefault.format : kApacheDefault.format;

    LogLineSplitter splitter{FieldFormat(format)};
    std::string key;
    long count = 0, keyChanges = 0;
    const auto start = std::chrono::steady_clock::now();
    LineReader reader(path);
    std::string_view line;
    while (reader.Next(line)) {
        if (!line.empty() && line.front() == '#')
            continue;
        splitter.Split(line);
        splitter.Complete();
        const std::string_view month = splitter['d'].substr(0, 7);
        if (month != key) {
            key.assign(month);
            ++keyChanges;
        }
        ++count;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "split_line_bench: %s, %ld lines (%.1f MB) in %.3f s: %.0f lines/s, %.1f MB/s, "
        "%ld month changes\n",
        kind.c_str(), count, reader.bytesRead() / 1e6, seconds, count / seconds,
        reader.bytesRead() / 1e6 / seconds, keyChanges);
    return 0;
}
