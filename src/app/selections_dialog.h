// SPDX-License-Identifier: GPL-3.0-or-later
// The selections dialog: names a period and conditions, keeps them in the
// site folder (state/named_selections), runs one into its folder and hands
// the result to the main window, which opens the analysis window on it.
// Deleting a selection deletes its folder.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "state/named_selections.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QLabel;

namespace trafikon {

class SelectionsDialog : public QDialog {
    Q_OBJECT
  public:
    // `open(folder, key, name)` shows the analysis of a selection run.
    using OpenAnalysis =
        std::function<void(const std::string& folder, const std::string& key, const QString& name)>;
    SelectionsDialog(OpenAnalysis open, QWidget* parent = nullptr);

    void ApplyTexts();
    // The commands of the buttons.
    bool Save();
    void Run();
    void Delete();

    QListWidget* list() const { return list_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QLineEdit* whereEdit() const { return where_; }

  private:
    void Reload(const QString& current = {});
    void ShowSelected();
    NamedSelection Typed() const;
    bool Check(const NamedSelection& s, Selection& out);

    OpenAnalysis open_;
    std::vector<NamedSelection> saved_;
    QListWidget* list_;
    QLabel *nameLabel_, *fromLabel_, *toLabel_, *whereLabel_;
    QLineEdit *name_, *from_, *to_, *where_;
    QPushButton *save_, *run_, *delete_, *exclusions_, *close_;
};

}  // namespace trafikon
