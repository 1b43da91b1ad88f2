// SPDX-License-Identifier: GPL-3.0-or-later
// Files tab of the analysis window: the kind buttons, the name filter, the
// file list and the detail of the selected file (labels, five switchable
// result lists, its log lines in the window's panel).
#pragma once

#include <array>

#include "views/analysis/files_list.h"
#include "views/analysis/list_detail_tab_widget.h"

namespace trafikon {

class FilesTab : public ListDetailTab {
    Q_OBJECT
  public:
    FilesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;

    // Fills the list for the current kind and a filter text (empty = no filter).
    void FillList(const QString& filter) override;
    void SetKind(int kind);  // a kind button: fills with the edit's text
    int kind() const { return kind_; }

    NameCountListWidget* fileList() const { return list(); }
    QPushButton* kindButton(int kind) const { return kinds_.at(std::size_t(kind)); }
    // Result list of a switch (tabs::FileSwitch order).
    NameCountListWidget* resultList(int which) const;

  private:
    void ShowDetail(int listRow) override;
    void PaintKindButtons();
    void ClearDetail();
    void ShowSwitchCaptions(const std::array<std::string, 5>& captions);
    void OnShortcut(int which, ListShortcut shortcut, int row);
    tabs::TabTables Tables() const;

    tabs::FilesList files_;
    int kind_ = tabs::kAllKinds;

    std::array<QPushButton*, 4> kinds_{};
};

}  // namespace trafikon
