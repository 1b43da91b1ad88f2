// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/maintenance/delete_logs_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "store/data_store.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/site_title_qt.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"

namespace trafikon {

TFSupprLog::TFSupprLog(QWidget* parent) : QDialog(parent) {
    auto* row = new QHBoxLayout(this);
    LBListDate_ = new QListWidget(this);
    LBListDate_->setObjectName("LBListDate");
    LBListDate_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    row->addWidget(LBListDate_, 1);

    auto* buttons = new QVBoxLayout;
    auto makeButton = [this, buttons](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    BSupprAnalyse_ = makeButton("BSupprAnalyse");
    BSupprAnalyseLog_ = makeButton("BSupprAnalyseLog");
    BSupprAll_ = makeButton("BSupprAll");
    buttons->addStretch(1);
    BClose_ = new QPushButton(this);
    BClose_->setObjectName("BClose");
    buttons->addWidget(BClose_, 0, Qt::AlignRight);
    row->addLayout(buttons);

    connect(BSupprAnalyse_, &QPushButton::clicked, this, &TFSupprLog::BSupprAnalyseClick);
    connect(BSupprAnalyseLog_, &QPushButton::clicked, this, &TFSupprLog::BSupprAnalyseLogClick);
    connect(BSupprAll_, &QPushButton::clicked, this, &TFSupprLog::BSupprAllClick);
    connect(BClose_, &QPushButton::clicked, this, &QDialog::accept);

    // Its usual size, or more when its texts need it at a larger font.
    resize(QSize(440, 260).expandedTo(minimumSizeHint()));
}

int TFSupprLog::exec() {
    if (ListStoredMonths(App().siteDir).empty()) {
        App().storedMonths.clear();
        Messages().Inform(parentWidget(), Tr(lang::mainwindow::kNothingToDelete));
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void TFSupprLog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFSupprLog::FormShow() {
    App().storedMonths = ListStoredMonths(App().siteDir);
    setWindowTitle(WithSiteName(Tr(lang::deletion::kTitle)));
    BSupprAnalyse_->setText(Tr(lang::deletion::kDeleteAnalysisButton));
    BSupprAnalyseLog_->setText(Tr(lang::deletion::kDeleteBothButton));
    BSupprAll_->setText(Tr(lang::deletion::kDeleteAllButton));
    BClose_->setText(Tr(lang::deletion::kCloseButton));
    LBListDate_->clear();
    const std::vector<std::string>& months = App().storedMonths;
    for (auto it = months.rbegin(); it != months.rend(); ++it)
        LBListDate_->addItem(FromCp1252(*it));
}

void TFSupprLog::ReportFailures(const std::vector<DeleteFailure>& failures) {
    if (failures.empty())
        return;
    QString text = Tr(lang::kFilesNotDeletedText) + "\n";
    for (const DeleteFailure& f : failures)
        text += FromCp1252(f.path) + " : " + FromCp1252(f.reason) + "\n";
    Messages().Inform(this, text.trimmed());
}

bool TFSupprLog::MayDelete(const std::string& key) {
    // The analysis in hand would write its results for a month without a log.
    if (key != App().monthInAnalysis)
        return true;
    Messages().Inform(this, FromCp1252(key) + " : " + Tr(lang::kMonthBeingAnalysedText));
    return false;
}

void TFSupprLog::BSupprAnalyseClick() {
    std::vector<DeleteFailure> failures;
    try {
        for (int i = 0; i < LBListDate_->count(); ++i) {
            QListWidgetItem* item = LBListDate_->item(i);
            const std::string key = ToCp1252(item->text());
            if (!item->isSelected() || !MayDelete(key))
                continue;
            const WaitCursor wait;  // the store may be another writer's for a moment
            DeleteReport report = DeleteAnalysis(App().siteDir, key);
            failures.insert(failures.end(), report.failures.begin(), report.failures.end());
        }
    } catch (const IoError& error) {  // another process writes the store
        Messages().Inform(this, IoErrorText(error));
    }
    ReportFailures(failures);
}

void TFSupprLog::BSupprAnalyseLogClick() {
    std::vector<DeleteFailure> failures;
    int i = 0;
    try {
        while (i < LBListDate_->count()) {
            QListWidgetItem* item = LBListDate_->item(i);
            const std::string key = ToCp1252(item->text());
            if (!item->isSelected() || !MayDelete(key)) {
                ++i;
                continue;
            }
            const WaitCursor wait;
            DeleteReport report = DeleteAnalysisAndLog(App().siteDir, key);
            failures.insert(failures.end(), report.failures.begin(), report.failures.end());
            delete LBListDate_->takeItem(i);
        }
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    ReportFailures(failures);
}

void TFSupprLog::BSupprAllClick() {
    if (App().analysisRunning) {
        Messages().Inform(this, Tr(lang::kDeleteAllDuringAnalysisText));
        return;
    }
    if (!Messages().ConfirmDestructive(this, Tr(lang::deletion::kDeleteAllQuestion),
                                       Tr(lang::deletion::kConfirmationTitle)))
        return;
    try {
        const DeleteReport report = [] {
            const WaitCursor wait;
            return DeleteEverything(App().siteDir);
        }();
        LBListDate_->clear();
        ReportFailures(report.failures);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
}

}  // namespace trafikon
