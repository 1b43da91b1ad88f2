// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/add_log_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <initializer_list>
#include <utility>

#include "import/log_file_check.h"
#include "state/app_state.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "text/language_table.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/keep_on_screen_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/import/add_log_texts_qt.h"
#include "views/import/field_format_widget.h"
#include "views/import/import_thread_qt.h"
#include "views/import/imported_before_question_qt.h"
#include "views/import/log_file_look_qt.h"

namespace trafikon {

static std::string FormatLogPath() {
    return App().siteDir + std::string(kLastFormatFileName);
}

TFAjoutLog::TFAjoutLog(QWidget* parent) : QDialog(parent) {
    setObjectName("TFAjoutLog");
    setModal(true);

    // File part: the list of files with its two buttons.
    LNomFich = new QLabel;
    LBFileToAdd = new QListWidget;
    LBFileToAdd->setObjectName("LBFileToAdd");
    LBFileToAdd->setSelectionMode(QAbstractItemView::SingleSelection);
    BAddFile = AddLogButton("BAddFile");
    BSupprFile = AddLogButton("BSupprFile");
    PBLoad = new QProgressBar;
    PBLoad->setObjectName("PBLoad");
    PBLoad->setRange(0, 100);
    BOK = AddLogButton("BOK");
    BOK->setDefault(true);
    BCancel = AddLogButton("BCancel");
    BDetails = AddLogButton("BDetails");

    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(BAddFile);
    fileButtons->addWidget(BSupprFile);
    fileButtons->addStretch(1);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(LBFileToAdd, 1);
    fileRow->addLayout(fileButtons);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(PBLoad, 1);
    buttonRow->addWidget(BOK);
    buttonRow->addWidget(BCancel);
    buttonRow->addWidget(BDetails);

    // Format part, shown when the dialog is expanded.
    formatPart_ = new FieldFormatWidget;
    CBOwnFormat = new QCheckBox;
    CBOwnFormat->setObjectName("CBOwnFormat");
    vhostFold_ = new VhostFoldWidget;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(LNomFich);
    layout->addLayout(fileRow, 1);
    layout->addWidget(CBOwnFormat);
    layout->addWidget(vhostFold_);
    layout->addLayout(buttonRow);
    layout->addWidget(formatPart_, 4);

    connect(BOK, &QPushButton::clicked, this, &TFAjoutLog::BOKClick);
    connect(BCancel, &QPushButton::clicked, this, &TFAjoutLog::BCancelClick);
    connect(BAddFile, &QPushButton::clicked, this, &TFAjoutLog::BAddFileClick);
    connect(BSupprFile, &QPushButton::clicked, this, &TFAjoutLog::BSupprFileClick);
    connect(BDetails, &QPushButton::clicked, this, &TFAjoutLog::BDetailsClick);
    connect(formatPart_, &FieldFormatWidget::formatChanged, this, &TFAjoutLog::RebuildPreview);
    connect(formatPart_, &FieldFormatWidget::useDetectedClicked, this,
            &TFAjoutLog::BUseDetectedClick);
    connect(CBOwnFormat, &QCheckBox::toggled, this, &TFAjoutLog::CheckFormatFit);

    SetExpanded(false);
}

TFAjoutLog::~TFAjoutLog() {
    if (worker_) {
        worker_->disconnect(this);
        worker_->RequestStop();
        worker_->wait();
    }
}

void TFAjoutLog::showEvent(QShowEvent* event) {
    otherSites_.clear();  // of the import this showing runs, if any
    FormShow();
    QDialog::showEvent(event);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

void TFAjoutLog::FormShow() {
    LBFileToAdd->clear();
    examples_.clear();
    files_.Clear();
    preview()->clear();
    preview()->setToolTip(QString());
    setWindowTitle(Tr(lang::addlog::kTitle));
    LNomFich->setText(Tr(lang::addlog::kFileNamesLabel));
    BAddFile->setText(Tr(lang::addlog::kAddFileButton));
    BSupprFile->setText(Tr(lang::addlog::kRemoveFileButton));
    BOK->setText(Tr(lang::addlog::kOkButton));
    BCancel->setText(Tr(lang::addlog::kCancelButton));
    formatPart_->ApplyTexts();
    CBOwnFormat->setText(Tr(lang::kEachFileOwnFormat));
    CBOwnFormat->setChecked(false);
    vhostFold_->ApplyTexts();

    AddLogForm& form = formatPart_->form();
    form.Reset();
    bool haveFormat = FileExists(FormatLogPath());
    if (haveFormat) {
        try {
            form.Preset(ReadFormatFile(FormatLogPath()));
        } catch (const IoError& error) {
            Messages().Inform(this, IoErrorText(error));
            form.Reset();
            haveFormat = false;
        }
    }
    if (haveFormat) {
        SetExpanded(false);
    } else {
        // Shown before the dialog itself appears, so it is centred on the main window.
        Messages().Inform(parentWidget() ? parentWidget() : this, Tr(lang::addlog::kSpecifyFormat));
        SetExpanded(true);
    }
    formatPart_->ShowLists();
    FitFieldLists();
    RebuildPreview();  // the samples of the format, until a file brings its own line
    PBLoad->setValue(0);
    if (!pending_.isEmpty()) {
        // Read once the dialog shows, with its cancel at hand.
        QTimer::singleShot(0, this,
                           [this, dropped = std::exchange(pending_, {})] { AddFiles(dropped); });
    }
}

void TFAjoutLog::FitFieldLists() {
    formatPart_->FitLists();
    layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
    KeepOnScreen(this);
}

void TFAjoutLog::SetExpanded(bool expanded) {
    expanded_ = expanded;
    formatPart_->setVisible(expanded);
    BDetails->setText(Tr(expanded ? lang::addlog::kStandardButton : lang::addlog::kDetailsButton));
    // The layout's minimum follows the visible part and the font; the dialog
    // opens at its usual size unless its texts need more.
    layout()->activate();
    resize(
        QSize(kWidth, expanded ? kExpandedHeight : kCompactHeight).expandedTo(minimumSizeHint()));
    KeepOnScreen(this);
}

void TFAjoutLog::BDetailsClick() {
    SetExpanded(!expanded_);
}

void TFAjoutLog::RebuildPreview() {
    formatPart_->ShowPreview(examples_);
    CheckFormatFit();
}

void TFAjoutLog::CheckFormatFit() {
    // The first listed file that the format shown does not fit is named, with
    // the first field that does not fit it and the format its lines show; it
    // is listed in red, so that a compact dialog tells it without growing.
    misfitDetected_.clear();
    vhostFold_->ShowFor(formatPart_->form().Codes(), FilesToImport(formatPart_->form().Codes()));
    const std::optional<AddLogFiles::Misfit> misfit =
        files_.FirstMisfit(formatPart_->form().Codes(), CBOwnFormat->isChecked());
    for (int row = 0; row < LBFileToAdd->count(); ++row)
        LBFileToAdd->item(row)->setForeground(misfit && row == static_cast<int>(misfit->file)
                                                  ? QBrush(QColor(0xc0, 0, 0))
                                                  : QBrush());
    if (!misfit) {
        formatPart_->ShowMisfit(QString(), false);
        return;
    }
    const QString name =
        QFileInfo(LBFileToAdd->item(static_cast<int>(misfit->file))->text()).fileName();
    QString text = Tr(lang::kFormatMisfit).arg(name, Tr(FieldTextEntry(misfit->field)));
    misfitDetected_ = misfit->detected;
    text += ' ' + DetectedFormatText(misfitDetected_);
    formatPart_->ShowMisfit(text, !misfitDetected_.empty());
}

void TFAjoutLog::BUseDetectedClick() {
    if (misfitDetected_.empty())
        return;
    formatPart_->form().Reset();
    formatPart_->form().Preset(misfitDetected_);
    formatPart_->ShowLists();
    RebuildPreview();
}

void TFAjoutLog::BAddFileClick() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, Tr(lang::addlog::kAddFileButton), LogPickFolder(),
        Tr(lang::kLogFilesFilter) +
            QStringLiteral(" (*.log *.txt *.log.* access* *.gz *.bz2 *.xz *.zst);;") +
            Tr(lang::kAllFilesFilter) + QStringLiteral(" (*)"));
    if (!paths.isEmpty())
        KeepLogPickFolder(QFileInfo(paths.last()).absolutePath());
    AddFiles(paths);
}

bool TFAjoutLog::AddFiles(const QStringList& picked) {
    // A later pick joins the files already listed in one oldest-first order:
    // the list is filled again with all of them.
    QStringList paths;
    for (int i = 0; i < LBFileToAdd->count(); ++i)
        paths << LBFileToAdd->item(i)->text();
    const qsizetype listed = paths.size();
    paths += picked;
    std::optional<std::vector<LogFileLook>> looks = ReadFiles(paths);
    if (!looks)
        return false;  // cancelled: the list stays as it was
    if (listed > 0) {
        LBFileToAdd->clear();
        files_.Clear();
        examples_.clear();
    }
    bool allAdded = true;
    for (LogFileLook& look : *looks) {
        // A listed file that cannot be read again is dropped with its message,
        // as a new one is; the others are listed all the same.
        if (!ListFile(paths[static_cast<int>(look.index)], look)) {
            allAdded = false;
            if (listed == 0)
                break;
        }
    }
    RebuildPreview();
    return allAdded;
}

bool TFAjoutLog::AddFile(const QString& path) {
    std::optional<std::vector<LogFileLook>> looks = ReadFiles({path});
    if (!looks || looks->empty() || !ListFile(path, looks->front()))
        return false;
    RebuildPreview();
    return true;
}

std::optional<std::vector<LogFileLook>> TFAjoutLog::ReadFiles(const QStringList& paths) {
    std::vector<std::string> local;
    for (const QString& path : paths)
        local.push_back(LocalPath(path));
    SetReading(true);
    std::optional<std::vector<LogFileLook>> looks =
        reading_.Read(std::move(local), formatPart_->form().Codes());
    SetReading(false);
    return looks;
}

void TFAjoutLog::SetReading(bool reading) {
    LNomFich->setText(reading ? Tr(lang::kReadingLogFilesText) : Tr(lang::addlog::kFileNamesLabel));
    for (QWidget* w :
         std::initializer_list<QWidget*>{BAddFile, BSupprFile, BOK, BDetails, CBOwnFormat,
                                         vhostFold_, formatPart_, LBFileToAdd})
        w->setEnabled(!reading);
    if (reading)
        readingCursor_.emplace(Qt::BusyCursor);
    else
        readingCursor_.reset();
}

bool TFAjoutLog::ListFile(const QString& path, LogFileLook& look) {
    if (look.failure) {
        try {
            std::rethrow_exception(look.failure);
        } catch (const IoError& error) {
            Messages().Inform(this, IoErrorText(error));
        }
        return false;
    }
    if (look.check != LogFileCheck::kAccepted) {
        // Named, since several files may have been picked at once.
        Messages().Inform(this,
                          QFileInfo(path).fileName() + "\n\n" +
                              Tr(look.check == LogFileCheck::kEmpty ? lang::addlog::kFileEmpty
                                                                    : lang::addlog::kNoLogLines));
        return false;
    }
    files_.Add(std::move(look.head));
    LBFileToAdd->addItem(path);
    LBFileToAdd->item(LBFileToAdd->count() - 1)
        ->setToolTip(DetectedFormatText(files_.detected().back()));
    examples_.push_back(std::move(look.firstLine));
    preview()->setToolTip(Tr(lang::addlog::kPreviewHint));
    return true;
}

void TFAjoutLog::BSupprFileClick() {
    const int row = LBFileToAdd->currentRow();
    if (row >= 0 && LBFileToAdd->item(row)->isSelected()) {
        delete LBFileToAdd->takeItem(row);
        files_.Remove(static_cast<std::size_t>(row));
        CheckFormatFit();
    }
}

void TFAjoutLog::BOKClick() {
    if (worker_)
        return;
    if (LBFileToAdd->count() == 0) {
        Messages().Inform(this, Tr(lang::addlog::kNoFilesToAdd));
        return;
    }
    const FieldFormat codes = formatPart_->form().Codes();
    const std::string refusal = formatPart_->form().RequiredFieldsMessage();
    if (!refusal.empty()) {
        Messages().Inform(this, FromCp1252(refusal));
        return;
    }
    // Files meant to go with their own format but whose format is not
    // recognised are named before anything is imported.
    if (CBOwnFormat->isChecked()) {
        QStringList unknown;
        for (std::size_t i = 0; i < files_.size(); ++i)
            if (!files_.UsesOwnFormat(i, true))
                unknown << LBFileToAdd->item(static_cast<int>(i))->text();
        if (!unknown.isEmpty() &&
            !Messages().Confirm(this, Tr(lang::kOwnFormatUnknownText) + "\n" + unknown.join("\n")))
            return;
    }
    busy_.emplace(Qt::BusyCursor);
    try {
        WriteFormatFile(FormatLogPath(), codes);
    } catch (const IoError& error) {
        busy_.reset();
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    BOK->setEnabled(false);
    BCancel->setEnabled(false);
    worker_ = new TMyThread(
        App().siteDir, AskAboutLogsImportedBefore(this, App().siteDir, FilesToImport(codes)), this);
    worker_->SetRouting(vhostFold_->Routing(App().programDir, App().siteDir));
    connect(worker_, &TMyThread::FileInHand, this, &TFAjoutLog::MarkFileInHand);
    connect(worker_, &TMyThread::Progress, PBLoad, &QProgressBar::setValue);
    connect(worker_, &QThread::finished, this, &TFAjoutLog::ImportEnded);
    worker_->start();
}

// Each listed file with the format shown, or with its own detected format
// when the check box asks for it and that format holds the required fields.
std::vector<LogToImport> TFAjoutLog::FilesToImport(const FieldFormat& shown) const {
    std::vector<LogToImport> files;
    for (int row = 0; row < LBFileToAdd->count(); ++row) {
        const std::size_t i = static_cast<std::size_t>(row);
        files.push_back({LocalPath(LBFileToAdd->item(row)->text()),
                         files_.FormatOf(i, shown, CBOwnFormat->isChecked())});
    }
    return files;
}

void TFAjoutLog::MarkFileInHand(int index) {
    if (index < 0 || index >= LBFileToAdd->count())
        return;
    LBFileToAdd->setCurrentRow(index);
    for (int row = 0; row < LBFileToAdd->count(); ++row) {
        QFont font = LBFileToAdd->item(row)->font();
        font.setBold(row == index);
        LBFileToAdd->item(row)->setFont(font);
    }
}

void TFAjoutLog::ImportEnded() {
    PBLoad->setValue(100);
    BOK->setEnabled(true);
    BCancel->setEnabled(true);
    QString failure, lines;
    QStringList refusals;
    if (worker_) {
        worker_->wait();
        failure = worker_->failure();
        refusals = FileRefusalTexts(worker_->refused(), worker_->damaged());
        lines = ImportNotesText(*worker_);
        otherSites_ = worker_->otherSites();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    busy_.reset();
    if (!refusals.isEmpty())
        Messages().Inform(this, refusals.join("\n\n"));
    if (!failure.isEmpty())
        Messages().Inform(this, failure);
    else if (!lines.isEmpty())
        Messages().Inform(this, lines);
    accept();
}

void TFAjoutLog::reject() {
    // While the import runs the dialog stays open; its end step closes it.
    // While the files picked are read, Cancel stops the reading.
    if (reading_.active()) {
        reading_.Stop();
        return;
    }
    if (worker_)
        return;
    QDialog::reject();
}

void TFAjoutLog::closeEvent(QCloseEvent* event) {
    reading_.Stop();
    if (worker_ || reading()) {
        event->ignore();
        return;
    }
    examples_.clear();
    QDialog::closeEvent(event);
}

}  // namespace trafikon
