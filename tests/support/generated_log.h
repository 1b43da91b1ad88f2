// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic access logs written by `trafikon-batch generate`, so that tests
// need nothing outside the repository.
#pragma once

#include <string>
#include <vector>

namespace trafikon::testing {

// Writes the log of the generator's `options` (e.g. {"--lines", "300",
// "--format", "iis"}) to `path`; throws std::runtime_error when it fails.
void WriteGeneratedLog(const std::string& path, const std::vector<std::string>& options);

// The bytes of that log.
std::string GeneratedLog(const std::vector<std::string>& options);

}  // namespace trafikon::testing
