// SPDX-License-Identifier: GPL-3.0-or-later
// Import speed and memory on a generated combined log of 2,000,000 lines:
// MB per second against `cp` of the same file on the same disk followed by
// `sync` (the import syncs what it stores; each run starts after a `sync`
// so that earlier dirty pages do not count), peak memory
// of the import (measured in a child process), and a log whose lines
// alternate between two months every line against the same lines in date
// order. usage: import_bench [LOG]  (default: scripts/bench-data.sh 2000000 combined 3 1)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_data.h"
#include "child_run.h"
#include "import/import_logs.h"
#include "import/line_date.h"
#include "import/log_source.h"
#include "store/text_file.h"

namespace fs = std::filesystem;
using namespace trafikon;
using trafikon::bench::Best;
using trafikon::bench::InChild;
using trafikon::bench::Run;

namespace {

Run Import(const std::string& log, const std::string& work) {
    fs::remove_all(work);
    fs::create_directories(work);
    ::sync();
    return InChild([&] {
        SilentImportObserver observer;
        try {
            ImportLogs(work, {log}, "hlutrsbRU", observer);
        } catch (const IoError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    });
}

Run Copy(const std::string& log, const std::string& work) {
    fs::remove_all(work);
    fs::create_directories(work);
    const std::string target = work + "/copy.log";
    ::sync();
    return InChild([&] {
        ::execlp("sh", "sh", "-c", "cp \"$1\" \"$2\" && sync", "sh", log.c_str(), target.c_str(),
                 static_cast<char*>(nullptr));
        return 1;
    });
}

std::string DefaultLog() {
    return bench::BenchLog("2000000 combined 3 1");
}

// Writes the lines of the first two months of `log` alternating one by one,
// and the same lines in date order.
void BuildTwoMonthLogs(const std::string& log, const std::string& dir, std::string& alternating,
                       std::string& ordered) {
    const std::string a = dir + "/month-a.part", b = dir + "/month-b.part";
    {
        AppendFile outA(a), outB(b);
        LogReader reader(log);
        LineDater dater("hlutrsbRU");
        std::string first, second;
        std::string_view line;
        while (reader.Next(line)) {
            dater.Date(line);
            const std::string& key = dater.monthKey();
            if (first.empty())
                first = key;
            else if (second.empty() && key != first)
                second = key;
            std::string text(line);
            text += "\r\n";
            if (key == first)
                outA.Write(text);
            else if (key == second)
                outB.Write(text);
        }
        outA.Close();
        outB.Close();
    }
    alternating = dir + "/alternating.log";
    ordered = dir + "/ordered.log";
    fs::remove(alternating);
    fs::remove(ordered);
    AppendFile alt(alternating), ord(ordered);
    LogReader ra(a), rb(b);
    std::string_view la, lb;
    bool moreA = ra.Next(la), moreB = rb.Next(lb);
    while (moreA && moreB) {
        alt.Write(std::string(la) + "\r\n");
        alt.Write(std::string(lb) + "\r\n");
        moreA = ra.Next(la);
        moreB = rb.Next(lb);
    }
    alt.Close();
    // The same lines (as many of each month) in date order.
    LogReader ra2(a), rb2(b);
    const auto pairs = [&] {
        LogReader count(alternating);
        std::uint64_t n = 0;
        std::string_view l;
        while (count.Next(l))
            ++n;
        return n / 2;
    }();
    std::uint64_t n = 0;
    while (n < pairs && ra2.Next(la)) {
        ord.Write(std::string(la) + "\r\n");
        ++n;
    }
    n = 0;
    while (n < pairs && rb2.Next(lb)) {
        ord.Write(std::string(lb) + "\r\n");
        ++n;
    }
    ord.Close();
    fs::remove(a);
    fs::remove(b);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string log = argc > 1 ? argv[1] : DefaultLog();
    const double mb = static_cast<double>(fs::file_size(log)) / 1e6;
    const std::string dir =
        fs::path(log).parent_path().string() + "/import-bench." + std::to_string(::getpid());
    fs::create_directories(dir);
    const std::string work = dir + "/store";

    std::printf("log: %s (%.1f MB)\n", log.c_str(), mb);
    const Run cp = Best([&] { return Copy(log, work); });
    const Run imp = Best([&] { return Import(log, work); });
    std::printf("load average: %.2f (the machine is shared; CPU times are steadier)\n", [] {
        double load[1] = {0};
        ::getloadavg(load, 1);
        return load[0];
    }());
    std::printf("cp + sync: %.3f s  %.1f MB/s  cpu %.3f s\n", cp.seconds, mb / cp.seconds,
                cp.cpuSeconds);
    std::printf("import:    %.3f s  %.1f MB/s  (%.2f x cp + sync; targets >= 300 MB/s, <= 1 x)\n",
                imp.seconds, mb / imp.seconds, imp.seconds / cp.seconds);
    std::printf("import cpu: %.3f s  %.1f MB/s of cpu time\n", imp.cpuSeconds, mb / imp.cpuSeconds);
    std::printf("import peak memory: %.1f MB (target < 16 MB)\n", imp.peakKb / 1024.0);

    std::string alternating, ordered;
    BuildTwoMonthLogs(log, dir, alternating, ordered);
    const double mb2 = static_cast<double>(fs::file_size(alternating)) / 1e6;
    const Run ord = Best([&] { return Import(ordered, work); });
    const Run alt = Best([&] { return Import(alternating, work); });
    std::printf("two months, date order:  %.3f s  %.1f MB/s  cpu %.3f s  peak %.1f MB\n",
                ord.seconds, mb2 / ord.seconds, ord.cpuSeconds, ord.peakKb / 1024.0);
    std::printf(
        "two months, alternating: %.3f s  %.1f MB/s  peak %.1f MB  (%.2f of date-order "
        "speed; target >= 0.5)\n",
        alt.seconds, mb2 / alt.seconds, alt.peakKb / 1024.0, ord.seconds / alt.seconds);
    fs::remove_all(dir);
    return 0;
}
