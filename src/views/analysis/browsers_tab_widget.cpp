// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/browsers_tab_widget.h"

#include <QComboBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "engine/robot_signatures.h"
#include "month/general_lists.h"
#include "month/month_extras.h"
#include "state/app_state.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"

namespace trafikon {

BrowsersTabWidget::BrowsersTabWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    switch_ = new QComboBox(this);
    switch_->addItems({QString(), QString(), QString()});
    switch_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    layout->addWidget(switch_, 0, Qt::AlignLeft);
    stack_ = new QStackedWidget(this);
    raw_ = new NameCountListWidget(stack_);
    groups_ = new NameCountListWidget(stack_);
    stack_->addWidget(raw_);
    stack_->addWidget(groups_);
    layout->addWidget(stack_, 1);
    connect(switch_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowView(static_cast<View>(index)); });
}

void BrowsersTabWidget::ApplyTexts() {
    switch_->setItemText(kFullList, Tr(lang::kTextFullList));
    switch_->setItemText(kFamilies, Tr(lang::kTextFamilies));
    switch_->setItemText(kSystems, Tr(lang::kTextSystem));
    FillGroups();
}

void BrowsersTabWidget::Refresh(const LineTable& browserRecords, const std::string& siteDir,
                                const std::string& key) {
    raw_->model().SetRows(RecordRows(browserRecords));
    FamilyGroups g;
    familiesKnown_ = browserRecords.empty() || LoadMonthFamilies(siteDir, key, g);
    browsers_.clear();
    systems_.clear();
    for (const FamilyCount& f : g.browsers)
        browsers_.emplace_back(f.name, f.hits);
    for (const FamilyCount& f : g.systems)
        systems_.emplace_back(f.name, f.hits);
    FillGroups();
}

void BrowsersTabWidget::ShowView(View view) {
    if (switch_->currentIndex() != view)
        switch_->setCurrentIndex(view);
    stack_->setCurrentIndex(view == kFullList ? 0 : 1);
    FillGroups();
}

void BrowsersTabWidget::FillGroups() {
    const bool systems = switch_->currentIndex() == kSystems;
    groups_->model().SetCaptions(
        {Tr(systems ? static_cast<int>(lang::kTextSystem) : lang::analysis::kBrowserColumn),
         Tr(lang::analysis::kHitsColumn)});
    std::vector<NameCountRow> rows;
    const auto& list = systems ? systems_ : browsers_;
    if (!familiesKnown_)  // a month of an earlier version
        rows.push_back({App().Text(lang::kTextAnalyseAgain), std::string(), 0, -1});
    for (std::size_t i = 0; i < list.size(); ++i)
        rows.push_back({list[i].first, std::to_string(list[i].second), list[i].second,
                        static_cast<long long>(i)});
    groups_->model().SetRows(std::move(rows));
}

}  // namespace trafikon
