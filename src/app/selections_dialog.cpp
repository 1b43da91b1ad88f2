// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/selections_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "app/exclusions_dialog.h"
#include "app/selection_thread_qt.h"
#include "state/app_state.h"
#include "state/country_database_file.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/site_title_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

SelectionsDialog::SelectionsDialog(OpenAnalysis open, QWidget* parent)
    : QDialog(parent), open_(std::move(open)) {
    setObjectName(QStringLiteral("SelectionsDialog"));
    list_ = new QListWidget(this);
    nameLabel_ = new QLabel(this);
    fromLabel_ = new QLabel(this);
    toLabel_ = new QLabel(this);
    whereLabel_ = new QLabel(this);
    name_ = new QLineEdit(this);
    from_ = new QLineEdit(this);
    to_ = new QLineEdit(this);
    where_ = new QLineEdit(this);
    from_->setPlaceholderText(QStringLiteral("2026-01-01"));
    to_->setPlaceholderText(QStringLiteral("2026-01-31T23:59"));
    where_->setPlaceholderText(QStringLiteral("status=404 !robot"));
    save_ = new QPushButton(this);
    run_ = new QPushButton(this);
    stop_ = new QPushButton(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    delete_ = new QPushButton(this);
    exclusions_ = new QPushButton(this);
    close_ = new QPushButton(this);
    run_->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel_, 0, 0);
    fields->addWidget(name_, 0, 1);
    fields->addWidget(fromLabel_, 1, 0);
    fields->addWidget(from_, 1, 1);
    fields->addWidget(toLabel_, 2, 0);
    fields->addWidget(to_, 2, 1);
    fields->addWidget(whereLabel_, 3, 0, 1, 2);
    fields->addWidget(where_, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {run_, stop_, save_, delete_})
        buttons->addWidget(b);
    buttons->addWidget(progress_);
    buttons->addStretch();
    buttons->addWidget(exclusions_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(save_, &QPushButton::clicked, this, [this] { Save(); });
    connect(run_, &QPushButton::clicked, this, &SelectionsDialog::Run);
    connect(stop_, &QPushButton::clicked, this, &SelectionsDialog::Stop);
    connect(delete_, &QPushButton::clicked, this, &SelectionsDialog::Delete);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    connect(exclusions_, &QPushButton::clicked, this, [this] {
        ExclusionsDialog editor(this);
        editor.exec();
    });
    ApplyTexts();
    ShowRunning(false);
    Reload();
}

// A run still going when the dialog goes (closed, or with the main window)
// is stopped first: its thread must not outlive it.
SelectionsDialog::~SelectionsDialog() {
    if (worker_) {
        worker_->RequestStop();
        worker_->wait();
    }
}

void SelectionsDialog::ShowRunning(bool running) {
    run_->setVisible(!running);
    stop_->setVisible(running);
    stop_->setEnabled(true);
    progress_->setVisible(running);
    progress_->setValue(0);
    for (QPushButton* b : {save_, delete_, exclusions_})
        b->setEnabled(!running);
    list_->setEnabled(!running);
}

void SelectionsDialog::ApplyTexts() {
    setWindowTitle(WithSiteName(Tr(lang::kSelectionsTitle)));
    nameLabel_->setText(Tr(lang::kSelectionName));
    fromLabel_->setText(Tr(lang::kSelectionFrom));
    toLabel_->setText(Tr(lang::kSelectionTo));
    whereLabel_->setText(Tr(lang::kSelectionWhere));
    save_->setText(Tr(lang::kSelectionSave));
    run_->setText(Tr(lang::kSelectionRun));
    stop_->setText(Tr(lang::kSelectionStop));
    delete_->setText(Tr(lang::kSelectionDelete));
    exclusions_->setText(Tr(lang::kExclusionsButton));
    close_->setText(QStringLiteral("OK"));
}

void SelectionsDialog::Reload(const QString& current) {
    try {
        saved_ = LoadNamedSelections(App().siteDir);
    } catch (const IoError& e) {
        saved_.clear();
        Messages().Inform(this, IoErrorText(e));
    }
    const QSignalBlocker block(list_);
    list_->clear();
    for (const NamedSelection& s : saved_)
        list_->addItem(FromCp1252(s.name));
    const auto found = list_->findItems(current, Qt::MatchExactly);
    if (!found.isEmpty())
        list_->setCurrentItem(found.front());
}

void SelectionsDialog::ShowSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(saved_.size()))
        return;
    const NamedSelection& s = saved_[static_cast<std::size_t>(row)];
    name_->setText(FromCp1252(s.name));
    from_->setText(FromCp1252(s.from));
    to_->setText(FromCp1252(s.to));
    where_->setText(FromCp1252(s.where));
}

NamedSelection SelectionsDialog::Typed() const {
    return {ToCp1252(name_->text().trimmed()), ToCp1252(from_->text().trimmed()),
            ToCp1252(to_->text().trimmed()), ToCp1252(where_->text().trimmed())};
}

bool SelectionsDialog::Check(const NamedSelection& s, Selection& out) {
    const SelectionProblem problem = ReadNamedSelection(s, out);
    if (problem.entry == 0)
        return true;
    Messages().Inform(this, Tr(problem.entry) + QString::fromLocal8Bit(problem.detail.c_str()));
    return false;
}

bool SelectionsDialog::Save() {
    const NamedSelection typed = Typed();
    Selection unused;
    if (!Check(typed, unused))
        return false;
    bool replaced = false;
    for (NamedSelection& s : saved_)
        if (s.name == typed.name) {
            s = typed;
            replaced = true;
        }
    if (!replaced)
        saved_.push_back(typed);
    try {
        SaveNamedSelections(App().siteDir, saved_);
    } catch (const IoError& e) {
        Messages().Inform(this, IoErrorText(e));
        return false;
    }
    Reload(FromCp1252(typed.name));
    return true;
}

void SelectionsDialog::Run() {
    if (worker_)
        return;
    const NamedSelection typed = Typed();
    Selection selection;
    if (!Check(typed, selection) || !Save())
        return;
    runFolder_ = NamedSelectionFolder(App().siteDir, typed.name);
    runName_ = FromCp1252(typed.name);
    worker_ = new SelectionThread(App().siteDir, std::move(selection), runFolder_,
                                  App().settings.siteUrl(),
                                  ChosenCountryDatabase(App().settings.countryDatabase()), this);
    connect(worker_, &SelectionThread::Progress, progress_, &QProgressBar::setValue);
    connect(worker_, &QThread::finished, this, &SelectionsDialog::RunEnded);
    ShowRunning(true);
    worker_->start();
}

void SelectionsDialog::Stop() {
    if (!worker_)
        return;
    worker_->RequestStop();
    stop_->setEnabled(false);
}

void SelectionsDialog::RunEnded() {
    worker_->wait();
    const SelectionResult result = worker_->result();
    const QString failure = worker_->failure();
    worker_->deleteLater();
    worker_ = nullptr;
    ShowRunning(false);
    if (!failure.isEmpty()) {
        Messages().Inform(this, Tr(lang::kSelectionFailed) + failure);
        return;
    }
    if (result.analysis.stopped)  // the user asked for it: nothing to tell
        return;
    if (result.linesKept == 0) {
        Messages().Inform(this, Tr(lang::kSelectionNoLine));
        return;
    }
    if (!result.analysis.completed) {
        Messages().Inform(this, Tr(lang::kSelectionFailed));
        return;
    }
    if (open_)
        open_(runFolder_, result.key, runName_);
}

void SelectionsDialog::Delete() {
    const NamedSelection typed = Typed();
    std::vector<NamedSelection> kept;
    for (const NamedSelection& s : saved_)
        if (s.name != typed.name)
            kept.push_back(s);
    try {
        DeleteNamedSelectionFolder(App().siteDir, typed.name);
        SaveNamedSelections(App().siteDir, kept);
    } catch (const IoError& e) {
        Messages().Inform(this, IoErrorText(e));
    }
    Reload();
    for (QLineEdit* edit : {name_, from_, to_, where_})
        edit->clear();
}

}  // namespace trafikon
