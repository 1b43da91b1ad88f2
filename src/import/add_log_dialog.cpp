#include "import/add_log_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "import/format_detection.h"
#include "import/import_thread_qt.h"
#include "import/log_file_check.h"
#include "import/log_file_order.h"
#include "shell/app_state.h"
#include "shell/error_text_qt.h"
#include "shell/extra_texts.h"
#include "shell/language_table.h"
#include "shell/message_service_qt.h"
#include "shell/text_convert_qt.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

constexpr int kBase = lang::kAddLog;

QString Text(int offset) {
    return Tr(kBase + offset);
}

std::string FormatLogPath() {
    return App().siteDir + std::string(kLastFormatFileName);
}

// The import's count of lines without a readable date.
QString DamagedLinesText(long long damaged, long long unfiled) {
    return Tr(lang::kImportUndatedLines).arg(damaged) + QLatin1Char('\n') +
           Tr(lang::kImportUnfiledLines).arg(unfiled);
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QPushButton* Button(const char* name) {
    auto* button = new QPushButton;
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QListWidget* List(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

}  // namespace

TFAjoutLog::TFAjoutLog(QWidget* parent)
    : QDialog(parent), form_([](int entry) { return App().Text(entry); }) {
    setObjectName("TFAjoutLog");
    setModal(true);

    // File part: the list of files with its two buttons.
    LNomFich = new QLabel;
    LBFileToAdd = List("LBFileToAdd");
    BAddFile = Button("BAddFile");
    BSupprFile = Button("BSupprFile");
    PBLoad = new QProgressBar;
    PBLoad->setObjectName("PBLoad");
    PBLoad->setRange(0, 100);
    BOK = Button("BOK");
    BOK->setDefault(true);
    BCancel = Button("BCancel");
    BDetails = Button("BDetails");

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
    formatPart_ = new QWidget;
    BDefault = Button("BDefault");
    BDefaultIIS = Button("BDefaultIIS");
    BDefaultEasyPHP = Button("BDefaultEasyPHP");
    LAllFields = new QLabel;
    LBAll = List("LBAll");
    LSpecificFields = new QLabel;
    LBChamps = List("LBChamps");
    BUp = Button("BUp");
    BDown = Button("BDown");
    LComment1 = new QLabel;
    TVExemple = new QTreeWidget;
    TVExemple->setObjectName("TVExemple");
    TVExemple->setHeaderHidden(true);
    TVExemple->setRootIsDecorated(false);
    TVExemple->setColumnCount(1);
    TVExemple->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TVExemple->header()->setStretchLastSection(false);
    // Said in red under the preview when the format shown does not fit a file.
    LFormatMisfit = new QLabel;
    LFormatMisfit->setObjectName("LFormatMisfit");
    LFormatMisfit->setTextFormat(Qt::PlainText);
    LFormatMisfit->setWordWrap(true);
    LFormatMisfit->setStyleSheet(QStringLiteral("color: #c00000;"));
    BUseDetected = Button("BUseDetected");
    CBOwnFormat = new QCheckBox;
    CBOwnFormat->setObjectName("CBOwnFormat");

    auto* defaults = new QHBoxLayout;
    defaults->addWidget(BDefault);
    defaults->addWidget(BDefaultIIS);
    defaults->addWidget(BDefaultEasyPHP);
    defaults->addStretch(1);
    auto* upDown = new QVBoxLayout;
    upDown->addStretch(1);
    upDown->addWidget(BUp);
    upDown->addWidget(BDown);
    upDown->addStretch(1);
    auto* lists = new QGridLayout;
    lists->addWidget(LAllFields, 0, 0);
    lists->addWidget(LSpecificFields, 0, 1);
    lists->addWidget(LBAll, 1, 0);
    lists->addWidget(LBChamps, 1, 1);
    lists->addLayout(upDown, 1, 2);
    auto* formatLayout = new QVBoxLayout(formatPart_);
    formatLayout->setContentsMargins(0, 0, 0, 0);
    formatLayout->addLayout(defaults);
    formatLayout->addLayout(lists, 3);
    formatLayout->addWidget(LComment1);
    formatLayout->addWidget(TVExemple, 2);
    auto* misfitRow = new QHBoxLayout;
    misfitRow->addWidget(LFormatMisfit, 1);
    misfitRow->addWidget(BUseDetected);
    formatLayout->addLayout(misfitRow);

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
    connect(LBAll, &QListWidget::itemDoubleClicked, this, [this] { LBAllDblClick(); });
    connect(LBChamps, &QListWidget::itemDoubleClicked, this, [this] { LBChampsDblClick(); });
    LBAll->installEventFilter(this);
    LBChamps->installEventFilter(this);
    connect(BUp, &QPushButton::clicked, this, &TFAjoutLog::BUpClick);
    connect(BDown, &QPushButton::clicked, this, &TFAjoutLog::BDownClick);
    connect(BDefault, &QPushButton::clicked, this, &TFAjoutLog::BDefaultClick);
    connect(BDefaultIIS, &QPushButton::clicked, this, &TFAjoutLog::BDefaultIISClick);
    connect(BDefaultEasyPHP, &QPushButton::clicked, this, &TFAjoutLog::BDefaultEasyPHPClick);
    connect(BUseDetected, &QPushButton::clicked, this, &TFAjoutLog::BUseDetectedClick);
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
    heads_.clear();
    detected_.clear();
    TVExemple->clear();
    TVExemple->setToolTip(QString());
    setWindowTitle(Text(0));
    LNomFich->setText(Text(1));
    BAddFile->setText(Text(2));
    BSupprFile->setText(Text(3));
    BOK->setText(Text(4));
    BCancel->setText(Text(5));
    BDefault->setText(Text(8));
    BUp->setText(Text(9));
    BDown->setText(Text(10));
    LComment1->setText(Text(11));
    LAllFields->setText(Text(30));
    LSpecificFields->setText(Text(31));
    BDefaultIIS->setText(Text(35));
    BDefaultEasyPHP->setText(Text(36));
    for (QPushButton* b : {BDefault, BDefaultIIS, BDefaultEasyPHP})
        b->setToolTip(Tr(lang::kDefaultFieldsHint));
    BUseDetected->setText(Tr(lang::kUseDetectedFormat));
    CBOwnFormat->setText(Tr(lang::kEachFileOwnFormat));
    CBOwnFormat->setChecked(false);

    form_.Reset();
    bool haveFormat = FileExists(FormatLogPath());
    if (haveFormat) {
        try {
            form_.Preset(ReadFormatFile(FormatLogPath()));
        } catch (const IoError& error) {
            Messages().Inform(this, IoErrorText(error));
            form_.Reset();
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
    ShowLists();
    FitFieldLists();
    RebuildPreview();  // the samples of the format, until a file brings its own line
    PBLoad->setValue(0);
    if (!pending_.isEmpty()) {
        const QStringList dropped = std::exchange(pending_, {});
        AddFiles(dropped);
    }
}

void TFAjoutLog::FitFieldLists() {
    // Both lists show every field name whole: between them they hold all of them.
    int width = 0;
    for (QListWidget* list : {LBAll, LBChamps})
        width = std::max(width, list->sizeHintForColumn(0));
    width += 2 * LBAll->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    for (QListWidget* list : {LBAll, LBChamps})
        list->setMinimumWidth(width);
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

void TFAjoutLog::ShowLists() {
    LBAll->clear();
    for (const std::string& text : form_.allFields())
        LBAll->addItem(FromCp1252(text));
    LBChamps->clear();
    for (const std::string& text : form_.formatFields())
        LBChamps->addItem(FromCp1252(text));
}

void TFAjoutLog::RebuildPreview() {
    TVExemple->clear();
    for (const std::string& line : form_.PreviewLines(examples_))
        new QTreeWidgetItem(TVExemple, QStringList(FromCp1252(line)));
    CheckFormatFit();
}

void TFAjoutLog::CheckFormatFit() {
    // The first listed file that the format shown does not fit is named, with
    // the first field that does not fit it and the format its lines show.
    const FieldFormat codes = form_.Codes();
    misfitDetected_.clear();
    for (std::size_t i = 0; i < heads_.size(); ++i) {
        if (UsesOwnFormat(i))  // the format shown does not apply to it
            continue;
        const char field = FirstMisfitField(codes, heads_[i]);
        if (field == '\0')
            continue;
        const QString name = QFileInfo(LBFileToAdd->item(static_cast<int>(i))->text()).fileName();
        QString text = Tr(lang::kFormatMisfit).arg(name, Tr(FieldTextEntry(field)));
        misfitDetected_ = detected_[i];
        text += ' ' + (misfitDetected_.empty()
                           ? Tr(lang::kFormatNotRecognised)
                           : Tr(lang::kDetectedFormat)
                                 .arg(QString::fromStdString(SpacedCodes(misfitDetected_))));
        LFormatMisfit->setText(text);
        LFormatMisfit->setVisible(true);
        BUseDetected->setVisible(!misfitDetected_.empty());
        return;
    }
    LFormatMisfit->clear();
    LFormatMisfit->setVisible(false);
    BUseDetected->setVisible(false);
}

void TFAjoutLog::BUseDetectedClick() {
    if (misfitDetected_.empty())
        return;
    form_.Reset();
    form_.Preset(misfitDetected_);
    ShowLists();
    RebuildPreview();
}

void TFAjoutLog::BAddFileClick() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, Text(2), lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_,
        Tr(lang::kLogFilesFilter) +
            QStringLiteral(" (*.log *.txt *.log.* access* *.gz *.bz2 *.xz *.zst);;") +
            Tr(lang::kAllFilesFilter) + QStringLiteral(" (*)"));
    if (!paths.isEmpty())
        lastFolder_ = QFileInfo(paths.last()).absolutePath();
    AddFiles(paths);
}

bool TFAjoutLog::AddFiles(const QStringList& paths) {
    std::vector<std::string> local;
    for (const QString& path : paths)
        local.push_back(LocalPath(path));
    for (std::size_t i : OldestFirstOrder(local, form_.Codes()))
        if (!AddFile(paths[static_cast<int>(i)]))
            return false;
    return true;
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
    detected_.push_back(DetectFormat(head));
    heads_.push_back(std::move(head));
    LBFileToAdd->addItem(path);
    LBFileToAdd->item(LBFileToAdd->count() - 1)
        ->setToolTip(detected_.back().empty()
                         ? Tr(lang::kFormatNotRecognised)
                         : Tr(lang::kDetectedFormat)
                               .arg(QString::fromStdString(SpacedCodes(detected_.back()))));
    examples_.push_back(std::move(firstLine));
    TVExemple->setToolTip(Text(27));
    RebuildPreview();
    if (!LFormatMisfit->isHidden() && !expanded_)  // the warning stands in the format part
        SetExpanded(true);
    return true;
}

void TFAjoutLog::BSupprFileClick() {
    const int row = LBFileToAdd->currentRow();
    if (row >= 0 && LBFileToAdd->item(row)->isSelected()) {
        delete LBFileToAdd->takeItem(row);
        heads_.erase(heads_.begin() + row);
        detected_.erase(detected_.begin() + row);
        CheckFormatFit();
    }
}

void TFAjoutLog::LBAllDblClick() {
    const int row = LBAll->currentRow();
    if (row < 0 || !LBAll->item(row)->isSelected())
        return;
    form_.AddField(row);
    ShowLists();
    LBAll->clearSelection();
    LBAll->setCurrentRow(-1);
    RebuildPreview();
}

void TFAjoutLog::LBChampsDblClick() {
    const int row = LBChamps->currentRow();
    if (row < 0 || !LBChamps->item(row)->isSelected())
        return;
    form_.RemoveField(row);
    ShowLists();
    LBChamps->clearSelection();
    LBChamps->setCurrentRow(-1);
    RebuildPreview();
}

void TFAjoutLog::BUpClick() {
    const int row = LBChamps->currentRow();
    if (row < 0 || !LBChamps->item(row)->isSelected())
        return;
    const int moved = form_.MoveUp(row);
    if (moved < 0)
        return;
    ShowLists();
    RebuildPreview();
    LBChamps->setCurrentRow(moved);
}

void TFAjoutLog::BDownClick() {
    const int row = LBChamps->currentRow();
    if (row < 0 || !LBChamps->item(row)->isSelected())
        return;
    const int moved = form_.MoveDown(row);
    if (moved < 0)
        return;
    ShowLists();
    RebuildPreview();
    LBChamps->setCurrentRow(moved);
}

void TFAjoutLog::BDefaultClick() {
    form_.ApplyDefault(kApacheDefault);
    ShowLists();
    RebuildPreview();
}

void TFAjoutLog::BDefaultIISClick() {
    form_.ApplyDefault(kIisDefault);
    ShowLists();
    RebuildPreview();
}

void TFAjoutLog::BDefaultEasyPHPClick() {
    form_.ApplyDefault(kEasyPhpDefault);
    ShowLists();
    RebuildPreview();
}

void TFAjoutLog::BOKClick() {
    if (worker_)
        return;
    if (LBFileToAdd->count() == 0) {
        Messages().Inform(this, Text(32));
        return;
    }
    const FieldFormat codes = form_.Codes();
    const std::string refusal = form_.RequiredFieldsMessage();
    if (!refusal.empty()) {
        Messages().Inform(this, FromCp1252(refusal));
        return;
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
    try {
        WriteFormatFile(FormatLogPath(), codes);
    } catch (const IoError& error) {
        QApplication::restoreOverrideCursor();
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    BOK->setEnabled(false);
    BCancel->setEnabled(false);
    worker_ = new TMyThread(App().siteDir, FilesToImport(codes), this);
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
        files.push_back(
            {LocalPath(LBFileToAdd->item(row)->text()), UsesOwnFormat(i) ? detected_[i] : shown});
    }
    return files;
}

bool TFAjoutLog::UsesOwnFormat(std::size_t file) const {
    const FieldFormat& own = detected_[file];
    return CBOwnFormat->isChecked() && !own.empty() && CheckRequiredFields(own).empty();
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
                                 QString::fromStdString(SpacedCodes(refused.monthCodes)),
                                 QString::fromStdString(SpacedCodes(refused.fileCodes)));
        for (const DamagedFile& file : worker_->damaged())
            refusals << Tr(lang::kFileNotImported)
                            .arg(QFile::decodeName(file.path.c_str()),
                                 QString::fromLocal8Bit(file.reason));
        damaged = worker_->damagedLines();
        unfiled = worker_->unfiledLines();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    QApplication::restoreOverrideCursor();
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

bool TFAjoutLog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == LBAll || watched == LBChamps) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == LBAll)
                LBAllDblClick();
            else
                LBChampsDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
