// SPDX-License-Identifier: GPL-3.0-or-later
// The hostile or malformed lines that the generator mixes in on request: lines
// that a careless reader would trip on.
#pragma once

#include <string>

#include "batch/generated_line.h"

namespace trafikon::batch::generator {

// Appends to `line` one hostile variant of the line of `f` (which it may
// change); `junk` is scratch space that `f` may point into afterwards.
void AppendHostileLine(Fields& f, const LogGeneratorOptions& options, Random& random,
                       std::string& junk, std::string& line);

}  // namespace trafikon::batch::generator
