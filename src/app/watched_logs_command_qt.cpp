// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's watched logs: the list of their patterns, and what follows
// a round that took lines in (the synthesis refreshed, the months analysed).
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <utility>

#include "app/log_watch_qt.h"
#include "app/main_window.h"
#include "import/watched_logs.h"
#include "state/app_state.h"
#include "text/extra_texts.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/site_title_qt.h"
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
    patternsDialog.setWindowTitle(WithSiteName(Tr(lang::kWatchedLogsMenu).remove("...")));
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
    static constexpr int kMinutes[] = {0, 15, 60, kAnalyseAtTimeOfDay, kAnalyseByHand};
    const int savedTime = ReadWatchAnalysisTime(siteDir);
    const QString shownTime =
        QString::fromLatin1(savedTime >= 0 ? TimeOfDayText(savedTime).c_str() : "HH:MM");
    const QStringList choices{
        Tr(lang::kWatchAnalysisAtOnce), Tr(lang::kWatchAnalysisEvery).arg(kMinutes[1]),
        Tr(lang::kWatchAnalysisEvery).arg(kMinutes[2]),
        Tr(lang::kWatchAnalysisAtTime).arg(shownTime), Tr(lang::kWatchAnalysisByHand)};
    const int now = ReadWatchAnalysisMinutes(siteDir);
    int current = 0;
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
        if (kMinutes[i] == now)
            current = i;
    const QString chosen =
        QInputDialog::getItem(this, Tr(lang::kWatchedLogsMenu).remove("..."),
                              Tr(lang::kWatchAnalysisPrompt), choices, current, false, &ok);
    if (!ok)
        return;
    const int minutes = kMinutes[std::max<qsizetype>(0, choices.indexOf(chosen))];
    int dayMinute = -1;
    // The time is asked again until it is one, or the question is cancelled.
    QString typed = savedTime >= 0 ? shownTime : QStringLiteral("03:00");
    while (minutes == kAnalyseAtTimeOfDay && dayMinute < 0) {
        typed =
            QInputDialog::getText(this, Tr(lang::kWatchedLogsMenu).remove("..."),
                                  Tr(lang::kWatchAnalysisTimePrompt), QLineEdit::Normal, typed, &ok)
                .trimmed();
        if (!ok)
            return;
        dayMinute = ParseTimeOfDay(typed.toStdString());
    }
    try {
        WriteWatchedPatterns(siteDir, kept);
        if (dayMinute >= 0)
            WriteWatchAnalysisTime(siteDir, dayMinute);
        else
            WriteWatchAnalysisMinutes(siteDir, minutes);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    logWatch_->Watch(siteDir);
}

// New lines are analysed when the user chose: at once, a while later, at the
// next time of day, or by hand.
void TFPrincipal::WatchedLinesImported() {
    if (logWatch_->sitesMade())
        FillSites();
    RefreshSynthesis();
    const int minutes = ReadWatchAnalysisMinutes(App().siteDir);
    // The other sites of a virtual-host log follow the watched site's choice.
    if (minutes != kAnalyseByHand)
        for (const int site : logWatch_->otherSites())
            if (std::find(watchedSitesDue_.begin(), watchedSitesDue_.end(), site) ==
                watchedSitesDue_.end())
                watchedSitesDue_.push_back(site);
    if (minutes == 0) {
        AnalyseWatchedMonths();
    } else if ((minutes > 0 || minutes == kAnalyseAtTimeOfDay) && !watchAnalysisDue_) {
        watchAnalysisDue_ = true;
        std::chrono::seconds wait = std::chrono::minutes(minutes);
        if (minutes == kAnalyseAtTimeOfDay) {
            const int dayMinute = std::max(0, ReadWatchAnalysisTime(App().siteDir));
            wait = std::chrono::seconds(SecondsUntilTimeOfDay(
                QTime::currentTime().msecsSinceStartOfDay() / 1000, dayMinute));
        }
        QTimer::singleShot(wait, this, [this] {
            watchAnalysisDue_ = false;
            AnalyseWatchedMonths();
        });
    }
}

// The months out of date, unless an analysis runs already or the window
// closes; then those of the other sites that received lines.
void TFPrincipal::AnalyseWatchedMonths() {
    if (closing_)
        return;
    if (!App().analysisRunning && general_->rowCount() > 0)
        StartAnalysis(false);
    AnalyseSites(std::exchange(watchedSitesDue_, {}));
}

}  // namespace trafikon
