#include "views/maintenance/delete_logs_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/app_state.h"
#include "shell/message_service_qt.h"
#include "shell/text_convert_qt.h"
#include "store/data_store.h"

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
        Messages().Inform(parentWidget(), Tr(46));
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
    setWindowTitle(Tr(169));
    BSupprAnalyse_->setText(Tr(170));
    BSupprAnalyseLog_->setText(Tr(171));
    BSupprAll_->setText(Tr(172));
    BClose_->setText(Tr(173));
    LBListDate_->clear();
    const std::vector<std::string>& months = App().storedMonths;
    for (auto it = months.rbegin(); it != months.rend(); ++it)
        LBListDate_->addItem(FromCp1252(*it));
}

void TFSupprLog::ReportFailures(const std::vector<DeleteFailure>& failures) {
    if (failures.empty())
        return;
    QString text;
    for (const DeleteFailure& f : failures)
        text += FromCp1252(f.path) + " : " + FromCp1252(f.reason) + "\n";
    Messages().Inform(this, text.trimmed());
}

void TFSupprLog::BSupprAnalyseClick() {
    std::vector<DeleteFailure> failures;
    for (int i = 0; i < LBListDate_->count(); ++i) {
        QListWidgetItem* item = LBListDate_->item(i);
        if (!item->isSelected())
            continue;
        DeleteReport report = DeleteAnalysis(App().siteDir, ToCp1252(item->text()));
        failures.insert(failures.end(), report.failures.begin(), report.failures.end());
    }
    ReportFailures(failures);
}

void TFSupprLog::BSupprAnalyseLogClick() {
    std::vector<DeleteFailure> failures;
    int i = 0;
    while (i < LBListDate_->count()) {
        QListWidgetItem* item = LBListDate_->item(i);
        if (!item->isSelected()) {
            ++i;
            continue;
        }
        DeleteReport report = DeleteAnalysisAndLog(App().siteDir, ToCp1252(item->text()));
        failures.insert(failures.end(), report.failures.begin(), report.failures.end());
        delete LBListDate_->takeItem(i);
    }
    ReportFailures(failures);
}

void TFSupprLog::BSupprAllClick() {
    if (!Messages().ConfirmDestructive(this, Tr(174), Tr(175)))
        return;
    const DeleteReport report = DeleteEverything(App().siteDir);
    LBListDate_->clear();
    ReportFailures(report.failures);
}

}  // namespace trafikon
