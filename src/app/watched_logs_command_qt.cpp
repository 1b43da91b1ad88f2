// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's watched logs: the list of their patterns, and what follows
// a round that took lines in (the synthesis refreshed, the months analysed).
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <chrono>

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
    QInputDialog patternsDialog(this);
    patternsDialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    patternsDialog.setWindowTitle(Tr(lang::kWatchedLogsMenu).remove("..."));
    patternsDialog.setLabelText(Tr(lang::kWatchedLogsPrompt));
    patternsDialog.setTextValue(patterns.join('\n'));
    // The long prompt wraps instead of widening the dialog past small screens.
    if (auto* prompt = patternsDialog.findChild<QLabel*>())
        prompt->setWordWrap(true);
    patternsDialog.resize(patternsDialog.fontMetrics().averageCharWidth() * 72,
                          patternsDialog.sizeHint().height());
    if (patternsDialog.exec() != QDialog::Accepted)
        return;
    const QString text = patternsDialog.textValue();
    bool ok = false;
    std::vector<std::string> kept;
    for (const QString& line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            kept.push_back(QFile::encodeName(line.trimmed()).toStdString());
    // When the months that receive lines are analysed.
    static constexpr int kMinutes[] = {0, 15, 60, kAnalyseByHand};
    const QStringList choices{
        Tr(lang::kWatchAnalysisAtOnce), Tr(lang::kWatchAnalysisEvery).arg(kMinutes[1]),
        Tr(lang::kWatchAnalysisEvery).arg(kMinutes[2]), Tr(lang::kWatchAnalysisByHand)};
    const int now = ReadWatchAnalysisMinutes(siteDir);
    int current = 0;
    for (int i = 0; i < 4; ++i)
        if (kMinutes[i] == now)
            current = i;
    const QString chosen =
        QInputDialog::getItem(this, Tr(lang::kWatchedLogsMenu).remove("..."),
                              Tr(lang::kWatchAnalysisPrompt), choices, current, false, &ok);
    if (!ok)
        return;
    try {
        WriteWatchedPatterns(siteDir, kept);
        WriteWatchAnalysisMinutes(siteDir,
                                  kMinutes[std::max<qsizetype>(0, choices.indexOf(chosen))]);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    logWatch_->Watch(siteDir);
}

// New lines are analysed when the user chose: at once, a while later, or by hand.
void TFPrincipal::WatchedLinesImported() {
    RefreshSynthesis();
    const int minutes = ReadWatchAnalysisMinutes(App().siteDir);
    if (minutes == 0) {
        AnalyseWatchedMonths();
    } else if (minutes > 0 && !watchAnalysisDue_) {
        watchAnalysisDue_ = true;
        QTimer::singleShot(std::chrono::minutes(minutes), this, [this] {
            watchAnalysisDue_ = false;
            AnalyseWatchedMonths();
        });
    }
}

// The months out of date, unless an analysis runs already or the window closes.
void TFPrincipal::AnalyseWatchedMonths() {
    if (!App().analysisRunning && !closing_ && general_->rowCount() > 0)
        StartAnalysis(false);
}

}  // namespace trafikon
