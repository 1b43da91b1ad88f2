// Files tab of the analysis window: the kind buttons, the name filter, the
// file list and the detail of the selected file (labels, five switchable
// result lists, its log lines in the window's panel).
#pragma once

#include <array>

#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/files_list.h"
#include "views/analysis/list_shortcuts.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;
class TabsSwitchBar;

class FilesTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    FilesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;
    bool SelectByKey(std::string_view name) override;

    // Fills the list for the current kind and a filter text (empty = no filter).
    void FillFileList(const QString& filter);
    void SetKind(int kind);  // a kind button: fills with the edit's text
    int kind() const { return kind_; }

    NameCountListWidget* fileList() const { return list_; }
    QLineEdit* filterEdit() const { return filter_; }
    QPushButton* filterButton() const { return filterButton_; }
    QPushButton* kindButton(int kind) const { return kinds_.at(std::size_t(kind)); }
    QLabel* countLabel() const { return count_; }
    TabsDetailHeader* detailHeader() const { return header_; }
    TabsSwitchBar* switches() const { return switches_; }
    // Result list of a switch (tabs::FileSwitch order).
    NameCountListWidget* resultList(int which) const { return lists_.at(std::size_t(which)); }
    int lastShownRow() const { return refresh_.last(); }

  private:
    void ShowDetail(int listRow);
    void PaintKindButtons();
    void ClearDetail();
    void OnShortcut(int which, ListShortcut shortcut, int row);
    tabs::TabTables Tables() const;

    const MonthResults& results_;
    AnalysisContext& context_;
    tabs::FilesList files_;
    int kind_ = tabs::kAllKinds;
    DetailRefresh refresh_;

    std::array<QPushButton*, 4> kinds_{};
    QLineEdit* filter_;
    QPushButton* filterButton_;
    QLabel* count_;
    NameCountListWidget* list_;
    TabsDetailHeader* header_;
    TabsSwitchBar* switches_;
    QStackedWidget* stack_;
    std::array<NameCountListWidget*, 5> lists_{};
};

}  // namespace trafikon
