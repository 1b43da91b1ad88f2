// Stand-in page for a tab whose own widget is not plugged in yet: the names
// and counts of its table, so that the window opens and jumps find their rows.
#pragma once

#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/month_results.h"

namespace trafikon {

class AnalysisContext;
class NameCountListWidget;

class PlaceholderTabWidget : public AnalysisTabWidget {
  public:
    PlaceholderTabWidget(AnalysisContext& context, const Lines* table, int nameEntry,
                         QWidget* parent = nullptr);
    void ApplyTexts() override;
    void Refresh() override;
    bool SelectByKey(std::string_view name) override;
    NameCountListWidget* list() const { return list_; }

  private:
    AnalysisContext& context_;
    const Lines* table_;
    int nameEntry_;
    NameCountListWidget* list_;
};

}  // namespace trafikon
