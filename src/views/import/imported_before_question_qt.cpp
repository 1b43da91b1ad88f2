// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/imported_before_question_qt.h"

#include <QFile>
#include <QStringList>

#include "import/imported_log_book.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

std::vector<LogToImport> AskAboutLogsImportedBefore(QWidget* parent, const std::string& siteDir,
                                                    std::vector<LogToImport> logs) {
    QStringList known;
    try {
        ImportedLogBook book(siteDir);
        for (const auto& log : logs)
            if (book.KnownBefore(log.path))
                known << QFile::decodeName(log.path.c_str());
    } catch (const IoError&) {  // the import itself tells what cannot be read
    }
    if (!known.isEmpty() &&
        Messages().AskYesNo(parent, Tr(lang::kImportedBeforeText) + "\n" + known.join("\n")))
        for (auto& log : logs)
            log.whole = true;
    return logs;
}

}  // namespace trafikon
