#include "views/analysis/placeholder_tab_widget.h"

#include <QVBoxLayout>

#include "shell/text_convert_qt.h"
#include "views/analysis/analysis_context.h"
#include "views/analysis/general_lists.h"
#include "views/analysis/name_count_list_widget.h"

namespace trafikon {

PlaceholderTabWidget::PlaceholderTabWidget(AnalysisContext& context, const Lines* table,
                                           int nameEntry, QWidget* parent)
    : AnalysisTabWidget(parent),
      context_(context),
      table_(table),
      nameEntry_(nameEntry),
      list_(new NameCountListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
}

void PlaceholderTabWidget::ApplyTexts() {
    list_->model().SetCaptions({Tr(nameEntry_), Tr(143)});
}

void PlaceholderTabWidget::Refresh() {
    list_->model().SetRows(table_ ? RecordRows(*table_) : std::vector<NameCountRow>{});
}

bool PlaceholderTabWidget::SelectByKey(std::string_view name) {
    const int row = list_->model().FindExact(name);
    if (row < 0)
        return false;
    list_->SelectRow(row);
    list_->setFocus();
    return true;
}

}  // namespace trafikon
