// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/robots_tab_widget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "month/month_extras.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"

namespace trafikon {

RobotsTab::RobotsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : ListDetailTab(results, context, 0, {}, parent) {
    audience_ = new QLabel(detail_);
    audience_->setTextFormat(Qt::PlainText);
    audience_->setWordWrap(true);
    detail_->AddAbove(audience_);
    connect(list(), &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (const std::optional<NameCountView> r = list()->model().RowAt(row);
            r && s == ListShortcut::Copy)
            context_.CopyText(r->name);
    });
}

QString RobotsTab::CountText(std::size_t robots) const {
    return QString::number(robots) + QLatin1Char(' ') + FromCp1252(T(lang::kTextRobots));
}

void RobotsTab::ApplyTexts() {
    ShowSideTexts(lang::kTextRobot, lang::analysis::kHitsColumn);
    ShowAudience();
    countLabel()->setText(CountText(list()->model().rows().size()));
}

void RobotsTab::ShowAudience() {
    if (!results_.analysed)
        audience_->clear();
    else if (!present_)
        audience_->setText(FromCp1252(T(lang::kTextAnalyseAgain)));
    else
        audience_->setText(FromCp1252(tabs::AudienceLine(audienceTotals_, context_.Texts())));
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
    detail_->Clear();
    side_.filter->clear();
    FillList(QString());
}

void RobotsTab::FillList(const QString& filter) {
    std::vector<NameCountRow> rows = robots_.Rows(ToCp1252(filter), context_.Texts());
    const QString count = CountText(rows.size());
    ShowRows(std::move(rows), count);
}

bool RobotsTab::SelectByKey(std::string_view name) {
    return list()->SelectByName(name);
}

void RobotsTab::ShowDetail(int listRow) {
    const std::optional<NameCountView> row = RowToShow(listRow);
    if (!row)
        return;
    const RobotRecord* robot = robots_.At(row->position);
    if (!robot)
        return;
    detail_->ShowLogLines(robot->lines, LineNumbering::IndexPlusOne);
    const tabs::RobotDetailTexts t = tabs::RobotDetailLabels(*robot, context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(FromCp1252(t.title));
    header->SetLine(0, FromCp1252(t.hits));
    header->SetLine(1, FromCp1252(t.kind));
    header->SetLine(2, FromCp1252(t.volume));
    header->SetLine(3, FromCp1252(t.last));
}

}  // namespace trafikon
