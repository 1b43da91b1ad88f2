// SPDX-License-Identifier: GPL-3.0-or-later
// Import of a gzip-compressed log against `zcat FILE > /dev/null` on the same
// file: the import, which decompresses on a second thread while it files the
// lines, should take at most 1.5 times as long. The log is a combined log of
// LINES lines (default 1,000,000, about 190 MB) written here, one or more a
// second from 1 March 2024 on, and compressed with `gzip -6`. KEEP_BENCH_LOG
// set in the environment keeps the log and the store.
// usage: compressed_import_bench [LINES [DIR]]   (DIR defaults to the system's temporary folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "child_run.h"
#include "import/import_logs.h"
#include "store/text_file.h"

namespace fs = std::filesystem;
using namespace trafikon;
using trafikon::bench::Best;
using trafikon::bench::InChild;
using trafikon::bench::Run;

namespace {

// A combined log of `lines` lines from 1 March 2024 on.
void WriteLog(const std::string& gz, long lines) {
    FILE* out = ::popen(("gzip -6 > '" + gz + "'").c_str(), "w");
    if (!out) {
        std::perror("gzip");
        std::exit(1);
    }
    static const char* const kPages[] = {"/index.html", "/images/logo.png", "/docs/guide.pdf",
                                         "/search?q=trafic+web", "/css/site.css"};
    static const char* const kAgents[] = {
        "Mozilla/5.0 (X11; Linux x86_64; rv:120.0) Gecko/20100101 Firefox/120.0",
        "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/119.0 Safari/537.36",
        "Wget/1.21.3"};
    const long perSecond = lines / (45L * 86400) + 1;
    for (long i = 0; i < lines; ++i) {
        const long t = i / perSecond;
        const long day = t / 86400 + 1;
        const char* month = day > 31 ? "Apr" : "Mar";
        const long dom = day > 31 ? day - 31 : day;
        std::fprintf(out,
                     "10.%ld.%ld.%ld - - [%02ld/%s/2024:%02ld:%02ld:%02ld +0100] \"GET %s "
                     "HTTP/1.1\" %d %ld \"https://www.example.org/page%ld.html\" \"%s\"\n",
                     i % 7, (i / 7) % 250, (i * 13) % 251, dom, month, (t / 3600) % 24,
                     (t / 60) % 60, t % 60, kPages[i % 5], i % 11 == 0 ? 404 : 200,
                     1000 + (i * 37) % 50000, i % 97, kAgents[i % 3]);
    }
    if (::pclose(out) != 0) {
        std::fprintf(stderr, "gzip failed\n");
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::string dir = (argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path()) /
                            ("compressed-import-bench." + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string gz = dir + "/access.log.gz";
    const std::string work = dir + "/store";
    WriteLog(gz, lines);
    std::printf("log: %ld lines, %.1f MB compressed\n", lines,
                static_cast<double>(fs::file_size(gz)) / 1e6);

    const Run zcat = Best([&] {
        return InChild([&] {
            const std::string command = "zcat '" + gz + "' > /dev/null";
            return std::system(command.c_str()) == 0 ? 0 : 1;
        });
    });
    const Run imp = Best([&] {
        fs::remove_all(work);
        fs::create_directories(work);
        return InChild([&] {
            SilentImportObserver observer;
            try {
                ImportLogs(work, {gz}, "hlutrsbRU", observer);
            } catch (const IoError& e) {
                std::fprintf(stderr, "%s\n", e.what());
                return 1;
            }
            return 0;
        });
    });
    std::printf("zcat > /dev/null: %.3f s wall, %.3f s CPU\n", zcat.seconds, zcat.cpuSeconds);
    std::printf("import of the .gz: %.3f s wall, %.3f s CPU\n", imp.seconds, imp.cpuSeconds);
    std::printf("import / zcat (wall): %.2f (target at most 1.5)\n", imp.seconds / zcat.seconds);
    std::printf("import / zcat (CPU, both threads of the import): %.2f\n",
                imp.cpuSeconds / zcat.cpuSeconds);
    if (!std::getenv("KEEP_BENCH_LOG"))
        fs::remove_all(dir);
    return 0;
}
