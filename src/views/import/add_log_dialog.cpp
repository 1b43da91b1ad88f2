// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/add_log_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "import/format_detection.h"
#include "import/log_file_check.h"
#include "import/log_file_order.h"
#include "state/app_state.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "text/language_table.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/import/add_log_texts_qt.h"
#include "views/import/field_format_widget.h"
#include "views/import/import_thread_qt.h"
#include "views/import/imported_before_question_qt.h"

namespace trafikon {

namespace {

constexpr int kBase = lang::kAddLog;

QString Text(int offset) {
    return Tr(kBase + offset);
}

std::string FormatLogPath() {
    return App().siteDir + std::string(kLastFormatFileName);
}

}  // namespace

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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(LNomFich);
    layout->addLayout(fileRow, 1);
    layout->addWidget(CBOwnFormat);
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
    setWindowTitle(Text(0));
    LNomFich->setText(Text(1));
    BAddFile->setText(Text(2));
    BSupprFile->setText(Text(3));
    BOK->setText(Text(4));
    BCancel->setText(Text(5));
    formatPart_->ApplyTexts();
    CBOwnFormat->setText(Tr(lang::kEachFileOwnFormat));
    CBOwnFormat->setChecked(false);

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
        Messages().Inform(parentWidget() ? parentWidget() : this, Text(34));
        SetExpanded(true);
    }
    formatPart_->ShowLists();
    FitFieldLists();
    RebuildPreview();  // the samples of the format, until a file brings its own line
    PBLoad->setValue(0);
    if (!pending_.isEmpty()) {
        const QStringList dropped = std::exchange(pending_, {});
        AddFiles(dropped);
    }
}

void TFAjoutLog::FitFieldLists() {
    formatPart_->FitLists();
    layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
    KeepOnScreen();
}

void TFAjoutLog::KeepOnScreen() {
    // Grown downwards or sideways, the dialog moves back onto its screen.
    const QScreen* s = screen();
    if (!s || !isVisible())
        return;
    const QRect room = s->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint place = pos();
    if (frame.right() > room.right())
        place.rx() -= std::min(frame.right() - room.right(), frame.left() - room.left());
    if (frame.bottom() > room.bottom())
        place.ry() -= std::min(frame.bottom() - room.bottom(), frame.top() - room.top());
    move(place);
}

void TFAjoutLog::SetExpanded(bool expanded) {
    expanded_ = expanded;
    formatPart_->setVisible(expanded);
    BDetails->setText(Text(expanded ? 7 : 6));
    // The layout's minimum follows the visible part and the font; the dialog
    // opens at its usual size unless its texts need more.
    layout()->activate();
    resize(
        QSize(kWidth, expanded ? kExpandedHeight : kCompactHeight).expandedTo(minimumSizeHint()));
    KeepOnScreen();
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
    // the first field that does not fit it and the format its lines show.
    misfitDetected_.clear();
    const std::optional<AddLogFiles::Misfit> misfit =
        files_.FirstMisfit(formatPart_->form().Codes(), CBOwnFormat->isChecked());
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
        this, Text(2), LogPickFolder(),
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
    std::vector<std::string> local;
    for (const QString& path : paths)
        local.push_back(LocalPath(path));
    const std::vector<std::size_t> order = OldestFirstOrder(local, formatPart_->form().Codes());
    if (listed > 0) {
        LBFileToAdd->clear();
        files_.Clear();
        examples_.clear();
    }
    bool allAdded = true;
    for (std::size_t i : order) {
        // A listed file that cannot be read again is dropped with its message,
        // as a new one is; the others are listed all the same.
        if (!AddFile(paths[static_cast<int>(i)])) {
            allAdded = false;
            if (listed == 0)
                return false;
        }
    }
    if (listed > 0)
        RebuildPreview();
    return allAdded;
}

bool TFAjoutLog::AddFile(const QString& path) {
    std::string firstLine;
    LogFileCheck check;
    try {
        check = CheckLogFile(LocalPath(path), &firstLine);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return false;
    }
    if (check == LogFileCheck::kEmpty) {
        Messages().Inform(this, Text(29));
        return false;
    }
    if (check == LogFileCheck::kNoLogLines) {
        Messages().Inform(this, Text(28));
        return false;
    }
    std::vector<std::string> head;
    try {
        head = ReadFileHead(LocalPath(path));
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return false;
    }
    files_.Add(std::move(head));
    LBFileToAdd->addItem(path);
    LBFileToAdd->item(LBFileToAdd->count() - 1)
        ->setToolTip(DetectedFormatText(files_.detected().back()));
    examples_.push_back(std::move(firstLine));
    preview()->setToolTip(Text(27));
    RebuildPreview();
    if (!misfitLabel()->isHidden() && !expanded_)  // the warning stands in the format part
        SetExpanded(true);
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
        Messages().Inform(this, Text(32));
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
    QString failure;
    QStringList refusals;
    long long damaged = 0;
    long long unfiled = 0;
    if (worker_) {
        worker_->wait();
        failure = worker_->failure();
        for (const RefusedFile& refused : worker_->refused())
            refusals << Tr(lang::kMonthFormatRefused)
                            .arg(QFile::decodeName(refused.path.c_str()),
                                 QString::fromStdString(refused.month),
                                 FieldNames(refused.monthCodes), FieldNames(refused.fileCodes));
        for (const DamagedFile& file : worker_->damaged())
            refusals << Tr(lang::kFileNotImported)
                            .arg(QFile::decodeName(file.path.c_str()),
                                 QString::fromLocal8Bit(file.reason));
        damaged = worker_->damagedLines();
        unfiled = worker_->unfiledLines();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    busy_.reset();
    if (!refusals.isEmpty())
        Messages().Inform(this, refusals.join("\n\n"));
    if (!failure.isEmpty())
        Messages().Inform(this, failure);
    else if (damaged > 0 || unfiled > 0)
        Messages().Inform(this, DamagedLinesText(damaged, unfiled));
    accept();
}

void TFAjoutLog::BCancelClick() {
    reject();
}

void TFAjoutLog::reject() {
    // While the import runs the dialog stays open; its end step closes it.
    if (worker_)
        return;
    QDialog::reject();
}

void TFAjoutLog::closeEvent(QCloseEvent* event) {
    if (worker_) {
        event->ignore();
        return;
    }
    examples_.clear();
    QDialog::closeEvent(event);
}

}  // namespace trafikon
