// trafikon-batch: the headless driver of import and analysis, used by
// benchmarks, acceptance tests and scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"

int main(int argc, char** argv) {
    const char* usage =
        "usage: trafikon-batch import --root DIR --format \"h l u t r s b R U\" FILE...\n"
        "       trafikon-batch analyse --root DIR [--site-url URL] [--all] "
        "[--on-malformed ignore|cancel]\n"
        "       trafikon-batch report --root DIR --month YYYY-MM (--html FILE | --csv DIR) "
        "[--lang CODE]\n";
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "import")
        return trafikon::batch::RunImportCommand(args);
    if (command == "analyse")
        return trafikon::batch::RunAnalyseCommand(args);
    if (command == "report")
        return trafikon::batch::RunReportCommand(args);
    std::fputs(usage, stderr);
    return 2;
}
