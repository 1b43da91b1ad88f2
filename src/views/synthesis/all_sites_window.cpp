// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/all_sites_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/list_columns_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {
enum Column { kSite, kMonth, kHits, kPages, kVisits, kKilobytes, kColumnCount };
}  // namespace

int AllSitesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AllSitesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString AllSitesModel::Caption(int site) const {
    for (const auto& [number, caption] : captions_)
        if (number == site)
            return caption;
    return QString::number(site);
}

QVariant AllSitesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const AllSitesRow& row = Row(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case kSite:
                return Caption(row.site);
            case kMonth:
                return DisplayText(row.key);
            case kHits:
                // A month not analysed shows "*", as in the synthesis table.
                return row.hits.empty() ? QStringLiteral("*") : DisplayText(row.hits);
            case kPages:
                return DisplayText(row.pages);
            case kVisits:
                return DisplayText(row.visits);
            case kKilobytes:
                return DisplayText(row.kilobytes);
        }
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() <= kMonth ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant AllSitesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    if (role == Qt::DisplayRole) {
        static constexpr int kEntries[kColumnCount] = {lang::kSiteMenu,
                                                       lang::kAllSitesMonthColumn,
                                                       lang::mainwindow::kHitsColumn,
                                                       lang::mainwindow::kPagesColumn,
                                                       lang::kTextPeopleVisits,
                                                       lang::mainwindow::kDailyKilobytesColumn};
        return Tr(kEntries[section]);
    }
    if (role == Qt::TextAlignmentRole)
        return section <= kMonth ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void AllSitesModel::SetRows(std::vector<AllSitesRow> rows,
                            std::vector<std::pair<int, QString>> captions) {
    beginResetModel();
    rows_ = std::move(rows);
    captions_ = std::move(captions);
    endResetModel();
}

AllSitesWindow::AllSitesWindow(std::string programDir, QWidget* parent)
    : QWidget(parent), programDir_(std::move(programDir)) {
    setObjectName("AllSitesWindow");
    model_ = new AllSitesModel(this);
    LVAllSites = new QTreeView;
    LVAllSites->setObjectName("LVAllSites");
    LVAllSites->setModel(model_);
    LVAllSites->setRootIsDecorated(false);
    LVAllSites->setItemsExpandable(false);
    LVAllSites->setUniformRowHeights(true);
    LVAllSites->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVAllSites->setSelectionMode(QAbstractItemView::SingleSelection);
    LVAllSites->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVAllSites->setAllColumnsShowFocus(true);
    UseFittedColumns(LVAllSites, -1);
    connect(LVAllSites, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { ChooseRow(index.row()); });
    LVAllSites->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(LVAllSites);
    ApplyTexts();
}

void AllSitesWindow::ApplyTexts() {
    setWindowTitle(Tr(lang::kAllSitesItem));
    emit model_->headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void AllSitesWindow::Refresh() {
    std::vector<AllSitesRow> rows;
    std::vector<std::pair<int, QString>> captions;
    try {
        const std::vector<SiteEntry> sites = ReadSiteList(programDir_);
        for (const SiteEntry& site : sites)
            captions.emplace_back(site.number,
                                  FromCp1252(SiteCaption(site, App().Text(lang::kSiteNumbered))));
        AppendAllSitesRows(programDir_, sites, rows);
    } catch (const IoError& error) {
        model_->SetRows(std::move(rows), std::move(captions));
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    model_->SetRows(std::move(rows), std::move(captions));
}

void AllSitesWindow::ChooseRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const AllSitesRow& chosen = model_->Row(row);
    emit SiteChosen(chosen.site, FromCp1252(chosen.key));
}

bool AllSitesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LVAllSites && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ChooseRow(LVAllSites->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trafikon
