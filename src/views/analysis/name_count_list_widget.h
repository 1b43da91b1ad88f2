// SPDX-License-Identifier: GPL-3.0-or-later
// A report list of the analysis window: a table over a NameCountModel that
// looks and answers the keyboard as the program's other lists (no grid, whole
// rows selected, Home and End to the first and last row), with header-click
// sorting, the selection notices of the detail refresh rule, the keyboard
// shortcuts and the double-click of the jumps. A table view, because a tree
// view keeps a layout item for every row: tens of megabytes for a month's
// million hosts.
#pragma once

#include <string_view>

#include <QHeaderView>
#include <QTableView>

#include "views/analysis/list_shortcuts.h"
#include "views/analysis/name_count_model.h"

namespace trafikon {

class NameCountListWidget : public QTableView {
    Q_OBJECT
  public:
    explicit NameCountListWidget(QWidget* parent = nullptr);

    NameCountModel& model() { return *model_; }
    QHeaderView* header() const { return horizontalHeader(); }  // the column headers
    void SetSortable(bool on);          // header clicks sort (off for unsorted lists)
    void SetCountColumnShown(bool on);  // hide the second column for one-column lists
    int SelectedRow() const;            // -1 without a selection
    // Selects row, gives it the focus mark, scrolls it into view.
    void SelectRow(int row);
    // Selects the row whose name is exactly `name` (case-sensitive) and gives the
    // list the focus; false when no row has that name.
    bool SelectByName(std::string_view name);

    // Typed letters jump to the next name starting with them, after the start
    // that paths and addresses share ("/", "http://", "https://", "www.").
    void keyboardSearch(const QString& search) override;

  signals:
    // A click on a row or a change of selection (keyboard or mouse); the
    // receiver applies the detail refresh rule.
    void rowChosen(int row);
    void rowDoubleClicked(int row);
    // A shortcut released while a row is selected.
    void shortcutUsed(trafikon::ListShortcut shortcut, int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    void FitRowHeight();  // every row as high as a line of text needs

    NameCountModel* model_;
    QString searchText_;
    qint64 lastSearchAt_ = 0;
};

}  // namespace trafikon
