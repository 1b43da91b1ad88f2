// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the add-log dialog built from the language table, and the folder
// its file dialog opens in.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_logs.h"
#include "store/log_format.h"

namespace trafikon {

class TMyThread;

// What the import tells of each file it left out, by name.
QStringList FileRefusalTexts(const std::vector<RefusedFile>& refused,
                             const std::vector<DamagedFile>& damaged);
// The import's count of lines without a readable date, then each file that
// held some with its count; empty when there were none.
QString DamagedLinesText(const std::vector<FileImportResult>& files);
// What an import of virtual-host logs tells at its end: the sites made for
// new hosts, the lines past the limit of sites one import makes, and that
// the other sites that received lines are being analysed; empty when none.
QString VhostSitesText(const std::vector<NewSite>& made, long long pastLimit, bool othersFiled);
// The damaged lines and the virtual-host sites of an import that ended.
QString ImportNotesText(const TMyThread& worker);
// A format as the dialog's lists show it: the names of its fields in order.
QString FieldNames(std::string_view codes);
// What the tooltip of a listed file and the misfit warning say of the format
// detected in its lines.
QString DetectedFormatText(const FieldFormat& detected);
// A picked file's name as the system's file functions take it.
std::string LocalPath(const QString& path);

// The folder of the last log file picked, kept in the settings; the home
// folder before the first pick or when it is gone.
QString LogPickFolder();
// Keeps `folder` in the settings (a store that cannot be written only forgets it).
void KeepLogPickFolder(const QString& folder);

}  // namespace trafikon
