// SPDX-License-Identifier: GPL-3.0-or-later
// TFAnalyse: the analysis window of one month, an MDI child of the main window.
//
// How the tab pages plug in
// -------------------------
// Tabs 1-5 (files, hosts, status codes, external and internal referrers) are
// widgets derived from AnalysisTabWidget (analysis_tab_widget.h), constructed
// by this window as
//     FilesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
//     HostsTab(...same...), StatusTab(...same...),
//     ReferrerTab(const MonthResults&, AnalysisContext&, bool external, QWidget* parent)
// `results` (month_results.h) holds the tables of the month on screen;
// `context` (analysis_context.h) gives the log-line panel, the jumps, the
// clipboard, page opening, settings and texts. The window calls ApplyTexts()
// once after construction, Refresh() after every load in the order files,
// external referrers, internal referrers, hosts, (browsers), status codes,
// and SelectByKey(name) for the jumps. Shared pieces for the lists:
// name_count_list_widget.h (model/view list with sorting, shortcuts and
// selection notices), list_sorter.h, list_shortcuts.h (DetailRefresh).
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "month/month_results.h"
#include "state/settings.h"
#include "views/analysis/analysis_context.h"
#include "views/analysis/log_line_index.h"

class QTabWidget;
class QSplitter;
class QToolBar;

namespace trafikon {

class AnalysisTabWidget;
class BrowsersTabWidget;
class GeneralTabWidget;
class NameCountListWidget;
class LogLinesModel;
class LogLinesView;

class TFAnalyse : public QWidget, public AnalysisContext {
    Q_OBJECT
  public:
    enum Tab {
        kGeneral = 0,
        kFiles,
        kHosts,
        kStatus,
        kExternal,
        kInternal,
        kBrowsers,
        kRobots,
        kCountries
    };

    // The size the window opens at when its content fits in it.
    static constexpr QSize kOpeningSize{882, 567};

    explicit TFAnalyse(const std::string& monthKey, QWidget* parent = nullptr);
    // The analysis in another folder with the month layout (a selection's),
    // titled with `title` instead of the month.
    TFAnalyse(const std::string& monthKey, const std::string& siteDir, const QString& title,
              QWidget* parent = nullptr);
    ~TFAnalyse() override;

    const std::string& monthKey() const { return key_; }
    // Loads the current month and refills every tab.
    void LoadMonth();
    void FillTabs();
    void ApplyTexts();

    QTabWidget* tabs() const { return tabs_; }
    AnalysisTabWidget* tabPage(Tab tab) const;
    GeneralTabWidget* generalTab() const { return general_; }
    NameCountListWidget* browserList() const { return browsers_; }
    BrowsersTabWidget* browserTab() const { return browserTab_; }
    LogLinesView* logLinesView() const { return logView_; }
    LogLinesModel* logLines() const { return logModel_; }
    // The stored log's line index (waits for its first build when it is under way).
    const LogLineIndex& logIndex();

    // Starts the page opener with one address (tests replace it).
    std::function<void(const std::string& command, const std::string& address)> openPage;

    // AnalysisContext
    const MonthResults& results() const override { return results_; }
    std::size_t ShowLogLines(std::string_view idList, LineNumbering numbering) override;
    void ClearLogLines() override;
    bool JumpToFile(std::string_view name) override;
    bool JumpToHost(std::string_view name) override;
    void CopyText(std::string_view text) override;
    void OpenSitePage(std::string_view page) override;
    void OpenAddress(std::string_view address) override;
    std::string siteUrl() const override;
    const Settings& settings() const override;
    const std::string& Text(int entry) const override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillBrowserList();
    bool Jump(Tab tab, std::string_view name, int missingEntry);
    void ReportProblems(const std::vector<std::string>& problems);

    std::string key_;
    std::string siteDir_;  // the folder of the results and the log
    QString title_;        // shown instead of the month when not empty
    // The site shown when the window opened, and its settings then: kept
    // once the main window shows another site.
    std::string openedSiteDir_;
    Settings openedSettings_;
    MonthResults results_;
    LogLineIndex& ReadyLogIndex();

    // The line offsets of the stored log, built on a worker thread when the
    // month loads so that the first detail does not wait for a big log.
    std::unique_ptr<LogLineIndex> logIndex_;
    std::future<std::unique_ptr<LogLineIndex>> pendingIndex_;
    bool shown_ = false;

    QTabWidget* tabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    GeneralTabWidget* general_ = nullptr;
    std::array<AnalysisTabWidget*, 9> pages_{};
    NameCountListWidget* browsers_ = nullptr;
    BrowsersTabWidget* browserTab_ = nullptr;
    QToolBar* reportBar_ = nullptr;
    LogLinesModel* logModel_ = nullptr;
    LogLinesView* logView_ = nullptr;
};

}  // namespace trafikon
