// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/general_tab_widget.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "month/month_extras.h"
#include "month/visit_figures.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/list_columns_qt.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/analysis_context.h"
#include "views/analysis/daily_bars.h"
#include "views/analysis/daily_graph_qt.h"
#include "views/analysis/hours_graph_widget.h"
#include "views/analysis/name_count_list_widget.h"

namespace trafikon {

namespace {

// A scroll area that tells the width of its viewport whenever it changes.
class ViewportScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    std::function<void(int)> onViewportWidth;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        if (onViewportWidth)
            onViewportWidth(viewport()->width());
    }
};

}  // namespace

namespace {
// Rows after the monthly statistics: people beside robots, then the visits.
constexpr int kAudienceEntries[] = {
    lang::kTextPeopleHits,    lang::kTextPeopleVisitors, lang::kTextRobotHits,
    lang::kTextRobotVisitors, lang::kTextPeopleVisits,   lang::kTextPeopleUniqueVisitors,
    lang::kTextPagesPerVisit, lang::kTextAverageVisit,   lang::kTextMedianVisit,
    lang::kTextBounceRate,    lang::kTextRobotVisits,    lang::kTextRobotUniqueVisitors};
constexpr std::size_t kAudienceRows = 4;
// The visit figures' decimal separator in the language of the texts.
char DecimalPoint() {
    return Tr(trafikon::lang::kTextCountryNamesLanguage) == QLatin1String("fr") ? ',' : '.';
}
// The visits of each day, beside the columns of the monthly file.
constexpr int kDayColumns = 7;
}  // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    remembered_ = palette().color(QPalette::WindowText);
}

void LinkLabel::SetColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QColor LinkLabel::color() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    remembered_ = color();
    SetColor(Qt::red);
    setCursor(Qt::PointingHandCursor);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    SetColor(remembered_);
    unsetCursor();
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->pos())) {
        remembered_ = Qt::blue;
        if (onClick)
            onClick();
        // While the mouse is still over the label it stays red until it leaves.
        if (!underMouse())
            SetColor(remembered_);
    }
    QLabel::mouseReleaseEvent(event);
}

namespace {

QTreeWidget* MakeFixedList(int columns, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setSectionsClickable(false);
    return list;
}

QColor WindowTextColor() {
    return QApplication::palette().color(QPalette::WindowText);
}

}  // namespace

GeneralTabWidget::GeneralTabWidget(AnalysisContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    outer->addLayout(left);
    for (int i = 0; i < 3; ++i) {
        links_[i] = new LinkLabel(this);
        left->addWidget(links_[i]);
        links_[i]->onClick = [this, i] { ShowPanel(static_cast<Panel>(i)); };
    }
    for (int i = 0; i < kTopListCount; ++i) {
        subLinks_[i] = new LinkLabel(this);
        subLinks_[i]->setIndent(14);
        subLinks_[i]->hide();
        left->addWidget(subLinks_[i]);
        subLinks_[i]->onClick = [this, i] { ShowTopList(static_cast<TopList>(i)); };
    }
    left->addStretch();
    QFont bold = links_[0]->font();
    bold.setBold(true);
    links_[0]->setFont(bold);
    links_[0]->SetColor(Qt::blue);
    for (LinkLabel* l : links_)
        l->setMinimumWidth(80);

    stack_ = new QStackedWidget(this);
    outer->addWidget(stack_, 1);

    summary_ = MakeFixedList(2, stack_);
    UseFittedColumns(summary_, -1);
    stack_->addWidget(summary_);

    // The statistics panel: the day list scrolls through its 31 days, the graph
    // scrolls when the window is smaller than it.
    auto* stats = new QWidget(stack_);
    auto* statsLayout = new QHBoxLayout(stats);
    statsLayout->setContentsMargins(0, 0, 0, 0);
    days_ = MakeFixedList(kDayColumns, stats);
    UseFittedColumns(days_, -1);
    days_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    days_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    days_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    days_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    statsLayout->addWidget(days_);
    auto* graphScroll = new ViewportScrollArea(stats);
    graphScroll->setFrameShape(QFrame::NoFrame);
    graphLabel_ = new QLabel(graphScroll);
    graphLabel_->setFixedSize(kGraphWidth, kGraphHeight);
    graphLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The hours of the day under the days, in the same scrolled column.
    auto* graphs = new QWidget(graphScroll);
    auto* graphsLayout = new QVBoxLayout(graphs);
    graphsLayout->setContentsMargins(0, 0, 0, 0);
    graphsLayout->addWidget(graphLabel_);
    hours_ = new HoursGraphWidget(graphs);
    graphsLayout->addWidget(hours_, 0, Qt::AlignLeft);
    // The hours fit the visible width, whatever the width of the day graph.
    graphScroll->onViewportWidth = [this](int width) { hours_->setFixedWidth(width); };
    graphsLayout->addStretch(1);
    graphScroll->setWidgetResizable(true);
    graphScroll->setWidget(graphs);
    statsLayout->addWidget(graphScroll, 1);
    stack_->addWidget(stats);

    top_ = new NameCountListWidget(stack_);

    stack_->addWidget(top_);
    connect(top_, &NameCountListWidget::shortcutUsed, this,
            [this](ListShortcut s, int row) { TopListShortcut(static_cast<int>(s), row); });

    // An empty graph until a month is drawn.
    graphImage_ = QImage(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
    graphImage_.fill(QColor(192, 192, 192));
    graphLabel_->setPixmap(QPixmap::fromImage(graphImage_));
}

void GeneralTabWidget::ApplyTexts() {
    links_[kSummary]->setText(Tr(lang::analysis::kSummary));
    links_[kStatistics]->setText(Tr(lang::analysis::kStatistics));
    links_[kTopLists]->setText(Tr(lang::analysis::kTopTen));
    subLinks_[0]->setText(Tr(lang::analysis::kPagesColumn));
    subLinks_[1]->setText(Tr(lang::analysis::kTopHosts));
    subLinks_[2]->setText(Tr(lang::analysis::kTopEngines));
    subLinks_[3]->setText(Tr(lang::kTextEntryPages));
    subLinks_[4]->setText(Tr(lang::kTextExitPages));
    hours_->SetTexts(Tr(lang::kTextHoursOfDay), Tr(lang::analysis::kHitsColumn),
                     Tr(lang::analysis::kPagesColumn), Tr(lang::kTextAnalyseAgain));
    top_->model().SetCaptions({Tr(lang::kTopListInfo), Tr(lang::analysis::kNumberColumn)});
    summary_->setHeaderLabels({Tr(lang::analysis::kInfoColumn), Tr(lang::analysis::kValueColumn)});
    summary_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    days_->setHeaderLabels({Tr(lang::analysis::kDayColumn), Tr(lang::analysis::kVisitorsColumn),
                            Tr(lang::analysis::kKilobytesColumn), Tr(lang::analysis::kPagesColumn),
                            Tr(lang::analysis::kHitsColumn), Tr(lang::kTextVisits),
                            Tr(lang::kTextUniqueVisitors)});
    // The short captions keep the day graph beside the list in view; the whole
    // caption, which says these count people only, is the header's tip.
    days_->headerItem()->setToolTip(kDayColumns - 2, Tr(lang::kTextPeopleVisits));
    days_->headerItem()->setToolTip(kDayColumns - 1, Tr(lang::kTextPeopleUniqueVisitors));
    for (int r = 0; r < summary_->topLevelItemCount() && r < int(kSummaryEntries.size()); ++r)
        summary_->topLevelItem(r)->setText(0, Tr(kSummaryEntries[std::size_t(r)]));
    for (int r = int(kSummaryEntries.size()); r < summary_->topLevelItemCount(); ++r)
        summary_->topLevelItem(r)->setText(
            0, Tr(kAudienceEntries[std::size_t(r) - kSummaryEntries.size()]));
}

void GeneralTabWidget::ShowPanel(Panel panel) {
    panel_ = panel;
    stack_->setCurrentIndex(panel);
    for (int i = 0; i < 3; ++i)
        links_[i]->SetColor(i == panel ? QColor(Qt::blue) : WindowTextColor());
    for (LinkLabel* l : subLinks_)
        l->setVisible(panel == kTopLists);
}

void GeneralTabWidget::ShowTopList(TopList which) {
    topList_ = static_cast<int>(which);
    for (int i = 0; i < kTopListCount; ++i)
        subLinks_[i]->SetColor(i == topList_ ? QColor(Qt::blue) : WindowTextColor());
    top_->model().SetRows(Rows(which));
}

void GeneralTabWidget::Refresh() {
    const MonthResults& month = context_.results();
    if (!month.analysed)
        return;  // the summary, day list and graph keep what they showed
    const MonthExtras extras = LoadMonthExtras(month.siteDir, month.key);
    visits_ = extras.present && extras.visitsPresent ? extras.visits : VisitSummary{};
    hours_->Show(extras, true);
    summary_->clear();
    days_->clear();
    const MonthSummary& s = month.summary;
    if (s.present) {
        for (std::size_t r = 0; r < kSummaryEntries.size(); ++r) {
            auto* item = new QTreeWidgetItem(summary_);
            item->setText(0, Tr(kSummaryEntries[r]));
            item->setText(1, DisplayText(s.rows[r]));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        // People beside robots, for a month analysed with them.
        const Audience& a = extras.audience;
        const std::int64_t values[] = {a.people.hits, a.people.visitors, a.robots.hits,
                                       a.robots.visitors};
        const VisitTotals& p = visits_.people;
        const std::string texts[] = {std::to_string(values[0]),
                                     std::to_string(values[1]),
                                     std::to_string(values[2]),
                                     std::to_string(values[3]),
                                     std::to_string(p.visits),
                                     std::to_string(p.visitors),
                                     PagesPerVisitText(p, DecimalPoint()),
                                     AverageVisitText(p),
                                     MedianVisitText(p),
                                     BounceRateText(p, DecimalPoint()),
                                     std::to_string(visits_.robots.visits),
                                     std::to_string(visits_.robots.visitors)};
        const std::size_t rows = !extras.present        ? 0
                                 : extras.visitsPresent ? std::size(texts)
                                                        : kAudienceRows;
        for (std::size_t i = 0; i < rows; ++i) {
            auto* item = new QTreeWidgetItem(summary_);
            item->setText(0, Tr(kAudienceEntries[i]));
            item->setText(1, QString::fromStdString(texts[i]));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        std::size_t day = 0;
        for (const auto& row : DayRows(s)) {
            auto* item = new QTreeWidgetItem(days_);
            for (int c = 0; c < 5; ++c)
                item->setText(c, DisplayText(row[std::size_t(c)]));
            if (extras.visitsPresent && day < visits_.peopleVisits.size()) {
                item->setText(5, QString::number(visits_.peopleVisits[day]));
                item->setText(6, QString::number(visits_.peopleVisitors[day]));
            }
            for (int c = 1; c < kDayColumns; ++c)
                item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
            ++day;
        }
        DrawGraph();
    }
    if (topList_ >= 0)
        top_->model().SetRows(Rows(static_cast<TopList>(topList_)));
    else
        top_->model().Clear();
}

std::vector<NameCountRow> GeneralTabWidget::Rows(TopList which) const {
    if (which == TopList::EntryPages)
        return VisitPageRows(visits_.entries);
    if (which == TopList::ExitPages)
        return VisitPageRows(visits_.exits);
    return TopListRows(context_.results(), which);
}

void GeneralTabWidget::DrawGraph() {
    const MonthResults& month = context_.results();
    std::vector<DrawOp> ops;
    BarSeries visitors;
    visitors.first = true;
    visitors.values = ThirtyOneValues(month.summary.dayValues[0]);
    visitors.largest = LargestOf(visitors.values);
    visitors.color = kBlue;
    visitors.offset = 0;
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, month.key, visitors);
    BarSeries kilobytes;
    kilobytes.values = ThirtyOneValues(month.summary.dayValues[1]);
    kilobytes.largest = LargestOf(kilobytes.values);
    kilobytes.color = kGraphGreen;
    kilobytes.offset = 3;
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, month.key, kilobytes);
    graphImage_ = PaintDailyGraph(ops, kGraphWidth, kGraphHeight);
    graphLabel_->setPixmap(QPixmap::fromImage(graphImage_));
}

void GeneralTabWidget::TopListShortcut(int shortcut, int row) {
    const std::optional<NameCountView> r = top_->model().RowAt(row);
    if (!r || topList_ < 0)
        return;
    const auto s = static_cast<ListShortcut>(shortcut);
    if (s == ListShortcut::Copy) {
        context_.CopyText(r->name);
    } else if (s == ListShortcut::Open) {
        // Page names are stored without the site part; engine addresses are
        // complete; a host is no address and opens nothing.
        if (topList_ == static_cast<int>(TopList::Pages) ||
            topList_ == static_cast<int>(TopList::EntryPages) ||
            topList_ == static_cast<int>(TopList::ExitPages))
            context_.OpenSitePage(r->name);
        else if (topList_ == static_cast<int>(TopList::Engines))
            context_.OpenAddress(r->name);
    }
}

}  // namespace trafikon
