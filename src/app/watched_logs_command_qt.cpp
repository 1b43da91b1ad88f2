// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's watched logs: the list of their patterns, and what follows
// a round that took lines in (the synthesis refreshed, the months analysed).
#include <QFile>
#include <QInputDialog>
#include <QStringList>

#include "app/log_watch_qt.h"
#include "app/main_window.h"
#include "import/watched_logs.h"
#include "state/app_state.h"
#include "text/extra_texts.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

void TFPrincipal::WatchedLogsClick() {
    const std::string& siteDir = App().siteDir;
    QStringList patterns;
    try {
        for (const auto& pattern : ReadWatchedPatterns(siteDir))
            patterns << QFile::decodeName(pattern.c_str());
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    bool ok = false;
    const QString text =
        QInputDialog::getMultiLineText(this, Tr(lang::kWatchedLogsMenu).remove("..."),
                                       Tr(lang::kWatchedLogsPrompt), patterns.join('\n'), &ok);
    if (!ok)
        return;
    std::vector<std::string> kept;
    for (const QString& line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            kept.push_back(QFile::encodeName(line.trimmed()).toStdString());
    try {
        WriteWatchedPatterns(siteDir, kept);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    logWatch_->Watch(siteDir);
}

// New lines are analysed at once, unless an analysis runs or the window closes.
void TFPrincipal::WatchedLinesImported() {
    RefreshSynthesis();
    if (!App().analysisRunning && !closing_ && general_->rowCount() > 0)
        StartAnalysis(false);
}

}  // namespace trafikon
