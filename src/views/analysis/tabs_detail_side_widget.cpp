// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_detail_side_widget.h"

#include <QStackedWidget>
#include <QVBoxLayout>

#include "views/analysis/analysis_context.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

TabsDetailSide::TabsDetailSide(AnalysisContext& context, int lists,
                               const std::vector<int>& switchRows, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    header_ = new TabsDetailHeader(this);
    layout->addWidget(header_);
    if (lists <= 0) {
        layout->addStretch(1);
        return;
    }
    QWidget* owner = this;
    QStackedWidget* stack = nullptr;
    if (lists > 1) {
        switches_ = new TabsSwitchBar(switchRows, this);
        layout->addWidget(switches_);
        stack = new QStackedWidget(this);
        owner = stack;
        connect(switches_, &TabsSwitchBar::switched, stack, &QStackedWidget::setCurrentIndex);
    }
    for (int i = 0; i < lists; ++i) {
        auto* list = new NameCountListWidget(owner);
        list->SetCountColumnShown(false);
        list->SetSortable(false);
        lists_.push_back(list);
        if (stack)
            stack->addWidget(list);
    }
    layout->addWidget(stack ? static_cast<QWidget*>(stack) : lists_.front(), 1);
}

void TabsDetailSide::AddAbove(QWidget* widget) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, widget);
}

void TabsDetailSide::Clear() {
    header_->Clear();
    for (NameCountListWidget* list : lists_)
        list->model().Clear();
}

void TabsDetailSide::UseAsSitePages(int which, bool jumps) {
    NameCountListWidget* pages = list(which);
    connect(pages, &NameCountListWidget::shortcutUsed, this,
            [this, pages](ListShortcut s, int row) {
                const std::optional<NameCountView> r = pages->model().RowAt(row);
                if (!r)
                    return;
                if (s == ListShortcut::Copy)
                    context_.CopyText(r->name);
                else if (s == ListShortcut::Open)
                    context_.OpenSitePage(r->name);
            });
    if (!jumps)
        return;
    connect(pages, &NameCountListWidget::rowDoubleClicked, this, [this, pages](int row) {
        if (const std::optional<NameCountView> r = pages->model().RowAt(row))
            context_.JumpToFile(r->name);
    });
}

std::size_t TabsDetailSide::ShowLogLines(std::string_view idList, LineNumbering numbering) {
    return context_.ShowLogLines(idList, numbering);
}

void TabsDetailSide::ClearLogLines() {
    context_.ClearLogLines();
}

}  // namespace trafikon
