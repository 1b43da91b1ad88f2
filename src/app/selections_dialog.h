// SPDX-License-Identifier: GPL-3.0-or-later
// The selections dialog: names a period and conditions, keeps them in the
// site folder (state/named_selections), runs one into its folder and hands
// the result to the main window, which opens the analysis window on it.
// A run goes on a worker thread, with its progress shown and a button to
// stop it. Deleting a selection deletes its folder.
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
class QProgressBar;

namespace trafikon {

class SelectionThread;

class SelectionsDialog : public QDialog {
    Q_OBJECT
  public:
    // `open(folder, key, name)` shows the analysis of a selection run.
    using OpenAnalysis =
        std::function<void(const std::string& folder, const std::string& key, const QString& name)>;
    SelectionsDialog(OpenAnalysis open, QWidget* parent = nullptr);
    ~SelectionsDialog() override;

    void ApplyTexts();
    // The commands of the buttons.
    bool Save();
    // Starts the run of the typed selection; the analysis window opens when
    // it ends well.
    void Run();
    void Stop();
    void Delete();
    bool running() const { return worker_ != nullptr; }

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
    void RunEnded();
    void ShowRunning(bool running);

    OpenAnalysis open_;
    std::vector<NamedSelection> saved_;
    QListWidget* list_;
    QLabel *nameLabel_, *fromLabel_, *toLabel_, *whereLabel_;
    QLineEdit *name_, *from_, *to_, *where_;
    QPushButton *save_, *run_, *stop_, *delete_, *exclusions_, *close_;
    QProgressBar* progress_;
    SelectionThread* worker_ = nullptr;
    std::string runFolder_;
    QString runName_;
};

}  // namespace trafikon
