#include <cstdio>

#include "batch/batch_commands.h"

namespace trafikon::batch {

int RunAnalyseCommand(const std::vector<std::string>&) {
    std::fputs("trafikon-batch analyse: not built yet\n", stderr);
    return 2;
}

}  // namespace trafikon::batch
