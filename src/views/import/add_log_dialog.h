// SPDX-License-Identifier: GPL-3.0-or-later
// The add-log dialog: the files to import, their field format (built from the
// two field lists or a default), a live preview, and the import itself on its
// worker with the file in hand marked and the progress shown.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "import/add_log_files.h"
#include "import/log_file_look.h"
#include "ui/wait_cursor_qt.h"
#include "views/import/field_format_widget.h"
#include "views/import/import_thread_qt.h"
#include "views/import/log_file_look_qt.h"
#include "views/import/vhost_fold_widget.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace trafikon {

class TFAjoutLog : public QDialog {
    Q_OBJECT
  public:
    explicit TFAjoutLog(QWidget* parent = nullptr);
    ~TFAjoutLog() override;

    // Its size when the texts fit in it; it grows with a larger font.
    static constexpr int kWidth = 620;
    static constexpr int kCompactHeight = 179;
    static constexpr int kExpandedHeight = 499;

    void FormShow();
    void BOKClick();
    void BCancelClick() { reject(); }
    void BAddFileClick();
    void BSupprFileClick();
    void BDetailsClick();
    void BUpClick() { formatPart_->MoveSelectedUp(); }
    void BDownClick() { formatPart_->MoveSelectedDown(); }
    void BDefaultClick() { formatPart_->UseDefault(kApacheDefault); }
    void BDefaultIISClick() { formatPart_->UseDefault(kIisDefault); }
    void BDefaultEasyPHPClick() { formatPart_->UseDefault(kEasyPhpDefault); }

    // Adds one file after its checks (what BAddFileClick does for each chosen
    // file); false when it was refused with a message.
    bool AddFile(const QString& path);
    // Adds picked files to those listed, all of them oldest first by the date
    // of their first log line. The first pick stops at the first file refused;
    // a later one lists all the others. False when one was refused.
    bool AddFiles(const QStringList& picked);
    // While the files picked are read on their worker (the dialog waits with
    // its Cancel button live).
    bool reading() const { return reading_.active(); }
    // Files (dropped on the main window) that the next showing lists.
    void ListOnNextShow(const QStringList& paths) { pending_ = paths; }
    // Puts the format detected for the file that the shown format does not fit.
    void BUseDetectedClick();

    bool expanded() const { return expanded_; }
    bool importing() const { return worker_ != nullptr; }
    QListWidget* fileList() const { return LBFileToAdd; }
    QListWidget* allFields() const { return formatPart_->allFields(); }
    QListWidget* formatFields() const { return formatPart_->formatFields(); }
    QTreeWidget* preview() const { return formatPart_->preview(); }
    QProgressBar* progressBar() const { return PBLoad; }
    QPushButton* okButton() const { return BOK; }
    QPushButton* cancelButton() const { return BCancel; }
    QLabel* misfitLabel() const { return formatPart_->misfitLabel(); }
    QPushButton* useDetectedButton() const { return formatPart_->useDetectedButton(); }
    QCheckBox* ownFormatBox() const { return CBOwnFormat; }
    VhostFoldWidget* vhostFold() const { return vhostFold_; }
    // The format detected for each listed file (empty when not recognised).
    const std::vector<FieldFormat>& detectedFormats() const { return files_.detected(); }
    // The worker while an import runs.
    TMyThread* worker() const { return worker_; }
    // After an import: the sites other than the one shown that received lines.
    const std::vector<int>& otherSitesFiled() const { return otherSites_; }

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FitFieldLists();
    void SetExpanded(bool expanded);
    void RebuildPreview();
    void MarkFileInHand(int index);
    void ImportEnded();
    void CheckFormatFit();
    // Reads `paths` on a worker, oldest first; nothing when cancelled.
    std::optional<std::vector<LogFileLook>> ReadFiles(const QStringList& paths);
    void SetReading(bool reading);
    // Lists a file read, or tells why it is refused (false).
    bool ListFile(const QString& path, LogFileLook& look);
    std::vector<LogToImport> FilesToImport(const FieldFormat& shown) const;

    std::vector<std::string> examples_;  // first log line of each file added
    AddLogFiles files_;                  // in list order
    FieldFormat misfitDetected_;         // offered by BUseDetected
    QStringList pending_;
    bool expanded_ = false;
    QPointer<TMyThread> worker_;
    std::vector<int> otherSites_;     // of the last import
    std::optional<WaitCursor> busy_;  // while the worker runs
    LogFileReading reading_{this};
    std::optional<WaitCursor> readingCursor_;

    QLabel* LNomFich;
    QListWidget* LBFileToAdd;
    QPushButton* BAddFile;
    QPushButton* BSupprFile;
    QProgressBar* PBLoad;
    QPushButton* BOK;
    QPushButton* BCancel;
    QPushButton* BDetails;
    FieldFormatWidget* formatPart_;
    VhostFoldWidget* vhostFold_;
    QCheckBox* CBOwnFormat;
};

}  // namespace trafikon
