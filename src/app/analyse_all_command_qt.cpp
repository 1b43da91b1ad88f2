// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's analyse-all command: the question, the run of every
// stored month on its worker with the month in hand shown, the malformed-line
// question, and what the run tells when it has ended.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

#include "app/analyse_all_qt.h"
#include "app/main_window.h"
#include "engine/visit_tally.h"
#include "state/app_state.h"
#include "state/country_database_file.h"
#include "state/settings.h"
#include "store/data_store.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

void TFPrincipal::toutanalyser1Click() {
    AppState& app = App();
    if (app.analysisRunning) {
        Messages().Inform(this, Tr(lang::mainwindow::kOneAnalysisAtATime));
        return;
    }
    if (general_->rowCount() == 0) {
        Messages().Inform(this, Tr(lang::mainwindow::kNothingToAnalyse));
        return;
    }
    const MessageService::Answer answer = Messages().AskYesNoCancel(
        this, Tr(lang::mainwindow::kAnalyseAllQuestion), Tr(lang::mainwindow::kConfirmationTitle));
    if (answer == MessageService::Answer::Cancel)
        return;
    StartAnalysis(answer == MessageService::Answer::Yes);
}

void TFPrincipal::StartAnalysis(bool all) {
    AppState& app = App();
    app.storedMonths = ListStoredMonths(app.siteDir);
    StartAnalysisOf(app.siteNumber, app.siteDir, app.storedMonths, all, app.settings);
}

void TFPrincipal::StartAnalysisOf(int site, const std::string& siteDir,
                                  std::vector<std::string> months, bool all,
                                  const Settings& settings) {
    App().analysisRunning = true;
    analysedSite_ = site;
    SetVisitGapMinutes(settings.visitGapMinutes());  // the shown site's again at the end
    worker_ = new TMyAllThread(siteDir, std::move(months), all, settings.siteUrl(), this,
                               ChosenCountryDatabase(settings.countryDatabase()));
    connect(worker_, &TMyAllThread::MonthInHand, this, &TFPrincipal::AnalysisMonthInHand);
    connect(worker_, &TMyAllThread::Progress, PBGal, &QProgressBar::setValue);
    connect(worker_, &TMyAllThread::MonthEnded, this, &TFPrincipal::RefreshSynthesis);
    // Cancelled months and failures are told once, when the run has ended, so
    // that no message box opens over another while the worker goes on.
    cancelledMonths_.clear();
    failures_.clear();
    connect(worker_, &TMyAllThread::MonthCancelled, this,
            [this](const QString& key) { cancelledMonths_ << key; });
    connect(worker_, &TMyAllThread::Failure, this,
            [this](const QString& text) { failures_ << text; });
    connect(worker_, &TMyAllThread::AskIgnoreLine, this, &TFPrincipal::AskIgnoreLine,
            Qt::BlockingQueuedConnection);
    ignoredLines_.clear();
    connect(worker_, &TMyAllThread::LinesIgnored, this, [this](const QString& key, qint64 count) {
        ignoredLines_ << key + " : " + QString::number(count);
    });
    connect(worker_, &QThread::finished, this, &TFPrincipal::AnalysisEnded);
    busy_.emplace(Qt::BusyCursor);
    PStateBar->setText(Tr(lang::kOpeningStoreText));  // another writer may hold it a moment
    worker_->start();
}

void TFPrincipal::AnalysisMonthInHand(const QString& key) {
    if (worker_ && worker_->stopRequested())
        return;  // the status panel says that the analysis is stopping
    // The month in analysis is the shown site's; another site's is named.
    QString state = Tr(lang::mainwindow::kAnalysisRunning) + "(" + key + ")";
    if (analysedSite_ == App().siteNumber)
        App().monthInAnalysis = ToCp1252(key);
    else
        state += " - " + Tr(lang::kSiteNumbered).arg(analysedSite_);
    // The panel first: whoever watches the title finds both saying the same.
    PStateBar->setText(TitleText(state));
    ShowTitle(state);
}

void TFPrincipal::AskIgnoreLine(qint64 lineNumber, const QString& line,
                                MalformedLineAnswer* answer) {
    // The question names the line by its index in the stored log, as the
    // log-line panel does; the line itself is shown below it, cut when long.
    QString text = Tr(lang::other::kIgnoreLineQuestion);
    if (!line.isEmpty())
        text += QStringLiteral("\n\n") + (line.size() > 300 ? line.left(300) + "..." : line);
    switch (Messages().AskYesAllNo(this, text,
                                   Tr(lang::other::kLineErrorWarning) + QString::number(lineNumber),
                                   Tr(lang::kYesToAll))) {
        case MessageService::Answer::Yes:
            *answer = MalformedLineAnswer::Ignore;
            break;
        case MessageService::Answer::YesToAll:
            *answer = MalformedLineAnswer::IgnoreAll;
            break;
        default:
            *answer = MalformedLineAnswer::Cancel;
            break;
    }
}

// The end of a run that dropped malformed lines says how many, month by month.
void TFPrincipal::ShowIgnoredLines() {
    if (ignoredLines_.isEmpty())
        return;
    const QString text = Tr(lang::other::kAnalysisEnded) + "\n\n" +
                         Tr(lang::kIgnoredLinesPerMonth) + "\n" + ignoredLines_.join("\n");
    ignoredLines_.clear();
    Messages().Inform(this, text);
}

void TFPrincipal::AnalysisEnded() {
    PBGal->setValue(0);
    ShowTitle();
    busy_.reset();
    if (worker_) {
        worker_->wait();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    RefreshSynthesis();
    App().analysisRunning = false;
    App().monthInAnalysis.clear();
    // The site shown may have changed during the run, which kept its own gap.
    SetVisitGapMinutes(App().settings.visitGapMinutes());
    // A run refused or failed does not say it ended well.
    PStateBar->setText(failures_.isEmpty() ? Tr(lang::other::kAnalysisEnded)
                                           : failures_.constLast().section('\n', 0, 0));
    if (closing_) {
        CloseWhenNoDialog();
        return;
    }
    if (!cancelledMonths_.isEmpty())
        Messages().Inform(this, Tr(lang::other::kAnalysisCancelled) + QStringLiteral(" : ") +
                                    cancelledMonths_.join(", "));
    if (!failures_.isEmpty())
        Messages().Inform(this, failures_.join(QStringLiteral("\n\n")));
    ShowIgnoredLines();
    if (!sitesToAnalyse_.empty())
        QMetaObject::invokeMethod(this, &TFPrincipal::AnalyseNextSite, Qt::QueuedConnection);
}

void TFPrincipal::AnalyseSites(const std::vector<int>& sites) {
    for (const int site : sites)
        if (site != App().siteNumber && std::find(sitesToAnalyse_.begin(), sitesToAnalyse_.end(),
                                                  site) == sitesToAnalyse_.end())
            sitesToAnalyse_.push_back(site);
    AnalyseNextSite();
}

void TFPrincipal::AnalyseNextSite() {
    while (!App().analysisRunning && !closing_ && !sitesToAnalyse_.empty()) {
        const int site = sitesToAnalyse_.front();
        sitesToAnalyse_.pop_front();
        const std::string siteDir = SiteDir(programDir_, site);
        Settings settings;
        std::vector<std::string> months;
        try {
            LoadSettings(siteDir, settings);
            months = ListStoredMonths(siteDir);
        } catch (const IoError& error) {  // a site deleted since, or unreadable
            PStateBar->setText(IoErrorText(error).section('\n', 0, 0));
            continue;
        }
        if (!months.empty())
            StartAnalysisOf(site, siteDir, std::move(months), false, settings);
    }
}

void TFPrincipal::CloseWhenNoDialog() {
    // A dialog opened while the analysis was stopping is let close first.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, &TFPrincipal::CloseWhenNoDialog);
        return;
    }
    close();
}

}  // namespace trafikon
