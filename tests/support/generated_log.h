// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic access logs written by `trafikon-batch generate`, so that tests
// need nothing outside the repository.
#pragma once

#include <string>
#include <vector>

namespace trafikon::testing {

// The tests were written against the uniform logs (a few hundred hosts
// whatever the length) and keep them unless they ask for variety.
enum class LogVariety { kUniform, kVaried };

// Writes the log of the generator's `options` (e.g. {"--lines", "300",
// "--format", "iis"}) to `path`; throws std::runtime_error when it fails.
void WriteGeneratedLog(const std::string& path, const std::vector<std::string>& options,
                       LogVariety variety = LogVariety::kUniform);

// The bytes of that log.
std::string GeneratedLog(const std::vector<std::string>& options,
                         LogVariety variety = LogVariety::kUniform);

}  // namespace trafikon::testing
