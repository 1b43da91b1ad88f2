#include "views/analysis/robots_tab_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/extra_texts.h"
#include "shell/text_convert_qt.h"
#include "views/analysis/month_extras.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_side_panel_qt.h"

namespace trafikon {

RobotsTab::RobotsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : AnalysisTabWidget(parent), results_(results), context_(context) {
    const TabsSidePanel side = MakeTabsSidePanel(this);
    filter_ = side.filter;
    filterButton_ = side.filterButton;
    count_ = side.count;
    list_ = side.list;

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    audience_ = new QLabel(right);
    audience_->setTextFormat(Qt::PlainText);
    audience_->setWordWrap(true);
    rightLayout->addWidget(audience_);
    header_ = new TabsDetailHeader(right);
    rightLayout->addWidget(header_);
    rightLayout->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(side.side);
    layout->addWidget(right, 1);

    connect(filterButton_, &QPushButton::clicked, this, [this] { FillRobotList(filter_->text()); });
    connect(filter_, &QLineEdit::returnPressed, this, [this] { FillRobotList(filter_->text()); });
    connect(list_, &NameCountListWidget::rowChosen, this, &RobotsTab::ShowDetail);
    connect(list_, &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (const NameCountRow* r = list_->model().RowAt(row); r && s == ListShortcut::Copy)
            context_.CopyText(r->name);
    });
}

void RobotsTab::ApplyTexts() {
    filterButton_->setText(FromCp1252(T(136)));
    list_->model().SetCaptions({FromCp1252(T(lang::kTextRobot)), FromCp1252(T(129))});
    ShowAudience();
    count_->setText(QString::number(list_->model().rows().size()) + QLatin1Char(' ') +
                    FromCp1252(T(lang::kTextRobots)));
}

void RobotsTab::ShowAudience() {
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    if (!results_.analysed)
        audience_->clear();
    else if (!present_)
        audience_->setText(FromCp1252(T(lang::kTextAnalyseAgain)));
    else
        audience_->setText(FromCp1252(tabs::AudienceLine(audienceTotals_, text)));
    // A damaged file of robots is said under the totals, as plain text.
    for (const std::string& problem : problems_)
        audience_->setText(audience_->text() + QLatin1Char('\n') +
                           QString::fromLocal8Bit(problem.c_str()));
}

void RobotsTab::Refresh() {
    MonthExtras extras = LoadMonthExtras(results_.siteDir, results_.key);
    present_ = extras.present;
    audienceTotals_ = extras.audience;
    problems_ = std::move(extras.problems);
    robots_.Load(std::move(extras.robots));
    ShowAudience();
    refresh_.Forget();
    header_->Clear();
    filter_->clear();
    FillRobotList(QString());
}

void RobotsTab::FillRobotList(const QString& filter) {
    std::vector<NameCountRow> rows = robots_.Rows(ToCp1252(filter));
    count_->setText(QString::number(rows.size()) + QLatin1Char(' ') +
                    FromCp1252(T(lang::kTextRobots)));
    list_->setUpdatesEnabled(false);
    list_->model().SetRows(std::move(rows));
    list_->setUpdatesEnabled(true);
    refresh_.Forget();
}

bool RobotsTab::SelectByKey(std::string_view name) {
    return list_->SelectByName(name);
}

void RobotsTab::ShowDetail(int listRow) {
    const NameCountRow* row = list_->model().RowAt(listRow);
    if (!row || !refresh_.Accept(static_cast<int>(row->position)))
        return;
    const RobotRecord* robot = robots_.At(row->position);
    if (!robot)
        return;
    context_.ShowLogLines(robot->lines, LineNumbering::IndexPlusOne);
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const tabs::RobotDetailTexts t = tabs::RobotDetailLabels(*robot, text);
    header_->SetTitle(FromCp1252(t.title));
    header_->SetLine(0, FromCp1252(t.hits));
    header_->SetLine(1, FromCp1252(t.kind));
    header_->SetLine(2, FromCp1252(t.volume));
    header_->SetLine(3, FromCp1252(t.last));
}

}  // namespace trafikon
