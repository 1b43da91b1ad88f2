// SPDX-License-Identifier: GPL-3.0-or-later
// The add-log dialog's question about files the site took in before: by
// default only their new lines are imported; the user may want them whole again.
#pragma once

#include <string>
#include <vector>

#include "import/import_logs.h"

class QWidget;

namespace trafikon {

// `logs`, every one of them marked whole when some were imported before and
// the user wants them whole again.
std::vector<LogToImport> AskAboutLogsImportedBefore(QWidget* parent, const std::string& siteDir,
                                                    std::vector<LogToImport> logs);

}  // namespace trafikon
