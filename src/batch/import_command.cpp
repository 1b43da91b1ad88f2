#include <cstdio>

#include "batch/batch_commands.h"

namespace trafikon::batch {

int RunImportCommand(const std::vector<std::string>&) {
    std::fputs("trafikon-batch import: not built yet\n", stderr);
    return 2;
}

}  // namespace trafikon::batch
