// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of an import that the import and watch commands share: the
// format given, the files accepted and their order, the report of the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/import_logs.h"

namespace trafikon::batch {

// Reads the blank-separated one-letter codes; returns false with `why` on a bad one.
bool ParseFormat(std::string_view text, std::string& codes, std::string& why);

// The files not refused like the dialog refuses them; one that cannot be read
// is kept, so that the run stops on it with its error.
std::vector<std::string> AcceptedFiles(const std::vector<std::string>& files);

// The accepted files oldest first, each with its format: `codes`, or with
// `detect` the one its lines show. A file whose format is not recognised or
// lacks a required field is left out and sets `refusedFile`.
std::vector<LogToImport> LogsToImport(const std::vector<std::string>& accepted,
                                      const std::string& codes, bool detect, bool& refusedFile);

// Writes what the run stored and refused; true when a file was refused.
bool ReportSummary(const ImportSummary& summary, double seconds);

}  // namespace trafikon::batch
