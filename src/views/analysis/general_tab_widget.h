// SPDX-License-Identifier: GPL-3.0-or-later
// The general tab of the analysis window: link labels on the left choosing
// one of three panels (summary, per-day statistics with the bar graph, top
// lists with their sub-labels: pages, hosts, engines, and the entry and exit
// pages of people's visits).
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "month/general_lists.h"
#include "store/visit_file.h"

class QStackedWidget;
class QTreeWidget;

namespace trafikon {

class AnalysisContext;
class NameCountListWidget;
class HoursGraphWidget;

// A label acting as a link: red with the hand cursor under the mouse, back to
// its remembered colour on leaving; a click remembers blue.
class LinkLabel : public QLabel {
  public:
    explicit LinkLabel(QWidget* parent = nullptr);
    void SetColor(const QColor& color);
    QColor color() const;
    std::function<void()> onClick;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor remembered_;
};

class GeneralTabWidget : public QWidget {
  public:
    static constexpr int kTopListCount = 5;  // pages, hosts, engines, entry and exit pages
    enum Panel { kSummary = 0, kStatistics = 1, kTopLists = 2 };

    GeneralTabWidget(AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts();
    // Refills the summary (with the visits under it), the day list (with
    // the visits of each day), the graph and the chosen top list
    // from the month (kept as they were when the month has no analysis).
    void Refresh();

    // The link labels' actions.
    void ShowPanel(Panel panel);
    void ShowTopList(TopList which);

    Panel panel() const { return panel_; }
    QTreeWidget* summaryList() const { return summary_; }
    QTreeWidget* dayList() const { return days_; }
    NameCountListWidget* topList() const { return top_; }
    const QImage& graph() const { return graphImage_; }
    HoursGraphWidget* hoursGraph() const { return hours_; }
    LinkLabel* panelLabel(Panel panel) const { return links_[panel]; }
    LinkLabel* topListLabel(TopList which) const { return subLinks_[static_cast<int>(which)]; }

  private:
    void DrawGraph();
    std::vector<NameCountRow> Rows(TopList which) const;
    void TopListShortcut(int shortcut, int row);

    AnalysisContext& context_;
    std::array<LinkLabel*, 3> links_{};
    std::array<LinkLabel*, kTopListCount> subLinks_{};
    QStackedWidget* stack_ = nullptr;
    QTreeWidget* summary_ = nullptr;
    QTreeWidget* days_ = nullptr;
    QLabel* graphLabel_ = nullptr;
    QImage graphImage_;
    HoursGraphWidget* hours_ = nullptr;
    NameCountListWidget* top_ = nullptr;
    Panel panel_ = kSummary;
    int topList_ = -1;
    VisitSummary visits_;  // of the month shown (empty before its analysis)
};

}  // namespace trafikon
