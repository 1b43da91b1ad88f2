// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/analysis_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "month/general_lists.h"
#include "state/app_state.h"
#include "state/page_opener.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/browsers_tab_widget.h"
#include "views/analysis/countries_tab_widget.h"
#include "views/analysis/files_tab_widget.h"
#include "views/analysis/general_tab_widget.h"
#include "views/analysis/hosts_tab_widget.h"
#include "views/analysis/list_shortcuts.h"
#include "views/analysis/log_lines_widget.h"
#include "views/analysis/month_report_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/referrer_tab_widget.h"
#include "views/analysis/robots_tab_widget.h"
#include "views/analysis/status_tab_widget.h"

namespace trafikon {

namespace {

// Id lists up to this size are read whole before they show.
constexpr std::size_t kIdListReadAtOnce = 1 << 20;

}  // namespace

TFAnalyse::TFAnalyse(const std::string& monthKey, QWidget* parent)
    : TFAnalyse(monthKey, App().siteDir, QString(), parent) {}

TFAnalyse::TFAnalyse(const std::string& monthKey, const std::string& siteDir, const QString& title,
                     QWidget* parent)
    : QWidget(parent),
      key_(monthKey),
      siteDir_(siteDir),
      title_(title),
      openedSiteDir_(App().siteDir),
      openedSettings_(App().settings) {
    setAttribute(Qt::WA_DeleteOnClose);
    openPage = [](const std::string& command, const std::string& address) {
        // One argument, no shell: the address reaches the program as it is.
        OpenPage(command, address);
    };
    results_.siteDir = siteDir_;
    results_.key = key_;

    splitter_ = new QSplitter(Qt::Vertical, this);
    tabs_ = new QTabWidget(splitter_);
    logModel_ = new LogLinesModel(this);
    logView_ = new LogLinesView(logModel_, splitter_);
    logView_->onCopy = [this](const std::string& number) { CopyText(number); };
    splitter_->addWidget(tabs_);
    splitter_->addWidget(logView_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({453, 114});
    // The handle never hides a side: the tabs keep the height their pages
    // need (so a tiled window is never shorter than that), the log-line panel
    // a few lines.
    splitter_->setChildrenCollapsible(false);
    logView_->setMinimumHeight(4 * fontMetrics().lineSpacing());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Never smaller than the tabs need: a narrower child clips instead of
    // painting the widgets of a tab over each other.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    reportBar_ = MakeReportToolBar(
        this, [this] { return key_; }, {}, siteDir_);
    layout->addWidget(reportBar_);
    layout->addWidget(splitter_);

    general_ = new GeneralTabWidget(*this, tabs_);
    tabs_->addTab(general_, QString());
    pages_[kGeneral] = nullptr;
    pages_[kFiles] = new FilesTab(results_, *this, tabs_);
    pages_[kHosts] = new HostsTab(results_, *this, tabs_);
    pages_[kStatus] = new StatusTab(results_, *this, tabs_);
    pages_[kExternal] = new ReferrerTab(results_, *this, true, tabs_);
    pages_[kInternal] = new ReferrerTab(results_, *this, false, tabs_);
    for (int t = kFiles; t <= kInternal; ++t)
        tabs_->addTab(pages_[t], QString());
    browserTab_ = new BrowsersTabWidget(tabs_);
    browsers_ = browserTab_->rawList();
    tabs_->addTab(browserTab_, QString());
    pages_[kRobots] = new RobotsTab(results_, *this, tabs_);
    tabs_->addTab(pages_[kRobots], QString());
    pages_[kCountries] = new CountriesTab(results_, *this, tabs_);
    tabs_->addTab(pages_[kCountries], QString());
    static_cast<HostsTab*>(pages_[kHosts])
        ->UseCountries(&static_cast<CountriesTab*>(pages_[kCountries])->countries());
    tabs_->setCurrentIndex(kFiles);

    ApplyTexts();
}

TFAnalyse::~TFAnalyse() = default;

void TFAnalyse::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (App().requestedMonth == key_)
        App().requestedMonth.clear();
    // A month without a stored log is not loaded, and nothing is said.
    if (FileExists(siteDir_ + LogFileName(key_)))
        LoadMonth();
}

void TFAnalyse::ApplyTexts() {
    QString caption = Tr(lang::analysis::kAnalysisCaption);
    if (caption.isEmpty())
        caption = QStringLiteral("Analyse");
    setWindowTitle(caption + QLatin1Char(' ') +
                   (title_.isEmpty() ? QString::fromLatin1(key_.c_str()) : title_));
    const int tabEntries[7] = {lang::analysis::kGeneralTab,
                               lang::analysis::kFilesTab,
                               lang::analysis::kHostsTab,
                               lang::analysis::kStatusTab,
                               lang::analysis::kExternalReferrersTab,
                               lang::analysis::kInternalReferrersTab,
                               lang::analysis::kBrowsersTab};
    for (int t = 0; t < 7; ++t)
        tabs_->setTabText(t, Tr(tabEntries[t]));
    tabs_->setTabText(kRobots, Tr(lang::kTextRobots));
    tabs_->setTabText(kCountries, Tr(lang::kTextCountries));
    browserTab_->ApplyTexts();
    ApplyReportToolBarTexts(reportBar_);
    logModel_->SetCaptions(Tr(lang::analysis::kLineNumberColumn), Tr(lang::analysis::kLineColumn));
    logModel_->SetMissingTexts(Tr(lang::kLineBeyondLogEnd), Tr(lang::kStoredLogMissing));
    logView_->setToolTip(Tr(lang::kLogLinesHint));
    browsers_->model().SetCaptions(
        {Tr(lang::analysis::kBrowserColumn), Tr(lang::analysis::kConnectionsColumn)});
    general_->ApplyTexts();
    for (AnalysisTabWidget* page : pages_)
        if (page)
            page->ApplyTexts();
}

AnalysisTabWidget* TFAnalyse::tabPage(Tab tab) const {
    return pages_[tab];
}

void TFAnalyse::LoadMonth() {
    const WaitCursor wait;
    ApplyTexts();
    ClearLogLines();
    if (pendingIndex_.valid())
        pendingIndex_.wait();
    logIndex_ = std::make_unique<LogLineIndex>(siteDir_ + LogFileName(key_));
    pendingIndex_ = std::async(std::launch::async, [path = logIndex_->path()] {
        auto index = std::make_unique<LogLineIndex>(path);
        index->Update();  // a failure is reported by the first detail, which tries again
        return index;
    });
    LoadMonthResults(siteDir_, key_, results_);
    if (!results_.analysed) {
        // The lists are emptied before the message: its event loop may repaint
        // them, and they must not point into the tables of the previous load.
        FillTabs();
        Messages().Inform(this, Tr(lang::analysis::kNoAnalysis));
        return;
    }
    FillTabs();
    if (!results_.problems.empty())
        ReportProblems(results_.problems);
}

void TFAnalyse::FillTabs() {
    pages_[kCountries]->Refresh();  // the hosts list shows the hosts' countries
    for (Tab t : {kFiles, kExternal, kInternal, kHosts})
        pages_[t]->Refresh();
    FillBrowserList();
    pages_[kStatus]->Refresh();
    pages_[kRobots]->Refresh();
    general_->Refresh();
}

void TFAnalyse::FillBrowserList() {
    browserTab_->Refresh(results_.browsers, siteDir_, key_);
}

void TFAnalyse::ReportProblems(const std::vector<std::string>& problems) {
    QString text = Tr(lang::kResultFilesDamaged);
    for (const std::string& p : problems)
        text += QLatin1Char('\n') + QString::fromLocal8Bit(p.c_str());
    Messages().Inform(this, text);
}

std::size_t TFAnalyse::ShowLogLines(std::string_view idList, LineNumbering numbering) {
    // A big list the load counted shows at once and is read on from the event loop.
    auto reader = std::make_unique<IdListReader>(results_, idList);
    const bool progressive = reader->knownEntries() >= 0 && reader->bytes() > kIdListReadAtOnce;
    LogLineIndex& index = ReadyLogIndex();
    std::string error;
    const bool readable = index.Update(&error);
    // A log deleted since the analysis: its lines are missing, not beyond its end.
    const bool logMissing = !readable && !FileExists(index.path());
    std::size_t rows = 0;
    std::size_t notNumbers = 0;
    std::string listError;
    if (progressive) {
        rows = static_cast<std::size_t>(reader->knownEntries());
        logModel_->StartLines(std::move(reader), rows, numbering, readable ? &index : nullptr,
                              logMissing, [this](const std::string& error) {
                                  const std::size_t beyondEnd = logModel_->rows().BeyondEnd();
                                  if (!error.empty())
                                      ReportProblems(std::vector<std::string>{error});
                                  else if (beyondEnd > 0)
                                      Messages().Inform(this,
                                                        Tr(lang::kStoredLogChanged).arg(beyondEnd));
                              });
    } else {
        DetailIds detail = ReadDetailIds(results_, idList);
        rows = detail.ids.size();
        notNumbers = detail.notNumbers;
        listError = detail.error;
        logModel_->SetLines(std::move(detail.ids), numbering, readable ? &index : nullptr,
                            logMissing);
    }
    const std::size_t beyondEnd = logModel_->reading() ? 0 : logModel_->rows().BeyondEnd();
    logView_->ShowFromTopLeft();
    if (!listError.empty()) {
        ReportProblems(std::vector<std::string>{listError});
    } else if (!readable) {
        Messages().Inform(this, Tr(lang::kStoredLogUnreadable) + QLatin1Char('\n') +
                                    QString::fromLocal8Bit(error.c_str()));
    } else if (beyondEnd > 0) {
        Messages().Inform(this, Tr(lang::kStoredLogChanged).arg(beyondEnd));
    } else if (notNumbers > 0) {
        Messages().Inform(this, Tr(lang::kLineNumbersDamaged).arg(notNumbers));
    }
    return rows;
}

LogLineIndex& TFAnalyse::ReadyLogIndex() {
    if (pendingIndex_.valid()) {
        const WaitCursor wait;
        logIndex_ = pendingIndex_.get();
    }
    if (!logIndex_)
        logIndex_ = std::make_unique<LogLineIndex>(siteDir_ + LogFileName(key_));
    return *logIndex_;
}

const LogLineIndex& TFAnalyse::logIndex() {
    return ReadyLogIndex();
}

void TFAnalyse::ClearLogLines() {
    logModel_->Clear();
}

bool TFAnalyse::Jump(Tab tab, std::string_view name, int missingEntry) {
    AnalysisTabWidget* page = pages_[tab];
    if (!page || !page->SelectByKey(name)) {
        Messages().Inform(this, Tr(missingEntry));
        return false;
    }
    tabs_->setCurrentIndex(tab);
    return true;
}

bool TFAnalyse::JumpToFile(std::string_view name) {
    return Jump(kFiles, name, 106);
}
bool TFAnalyse::JumpToHost(std::string_view name) {
    return Jump(kHosts, name, 104);
}

void TFAnalyse::CopyText(std::string_view text) {
    QGuiApplication::clipboard()->setText(FromCp1252(text));
}

void TFAnalyse::OpenSitePage(std::string_view page) {
    const std::string address = SitePageAddress(siteUrl(), page);
    if (IsOpenableAddress(address) && !LeadsToSite(address, siteUrl())) {
        Messages().Inform(this, Tr(lang::kForeignAddressText));
        return;
    }
    OpenAddress(address);
}

void TFAnalyse::OpenAddress(std::string_view address) {
    const std::string& command = App().browserCommand;
    if (command.empty() || !IsOpenableAddress(address) || !openPage)
        return;
    openPage(command, AddressForOpener(address));
}

std::string TFAnalyse::siteUrl() const {
    return settings().siteUrl();
}
const Settings& TFAnalyse::settings() const {
    // The settings dialog changes those of the site shown, at once.
    return App().siteDir == openedSiteDir_ ? App().settings : openedSettings_;
}
const std::string& TFAnalyse::Text(int entry) const {
    return App().Text(entry);
}

}  // namespace trafikon
