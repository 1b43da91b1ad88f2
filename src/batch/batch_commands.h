// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of trafikon-batch. Each takes the arguments after its name
// and returns the process exit code (0 success, 1 I/O error, 2 usage error).
#pragma once

#include <string>
#include <vector>

namespace trafikon::batch {

int RunImportCommand(const std::vector<std::string>& args);
int RunAnalyseCommand(const std::vector<std::string>& args);
int RunGenerateCommand(const std::vector<std::string>& args);
int RunReportCommand(const std::vector<std::string>& args);
int RunExportCommand(const std::vector<std::string>& args);

// analyse with a period or conditions: the analysis of a selection.
bool IsSelectionRun(const std::vector<std::string>& args);
int RunSelectCommand(const std::vector<std::string>& args);
int RunWatchCommand(const std::vector<std::string>& args);
int RunSitesCommand(const std::vector<std::string>& args);

}  // namespace trafikon::batch
