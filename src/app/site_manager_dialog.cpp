// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/site_manager_dialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "state/settings.h"
#include "state/site_settings.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/all_sites_table.h"

namespace trafikon {

namespace {

enum Column { kNumber, kName, kHosts, kMonths, kColumnCount };

QString SiteText(const SiteEntry& site) {
    return FromCp1252(SiteCaption(site, App().Text(lang::kSiteNumbered)));
}

}  // namespace

int SiteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(sites_.size());
}

int SiteListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SiteListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SiteEntry& site = Site(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case kNumber:
                return site.number;
            case kName:
                return FromCp1252(site.name);
            case kHosts: {
                QStringList hosts;
                for (const std::string& host : site.hosts)
                    hosts << FromCp1252(host);
                return hosts.join(QLatin1Char(' '));
            }
            case kMonths:
                return MonthCount(index.row());
        }
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() == kNumber || index.column() == kMonths
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant SiteListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static constexpr int kEntries[kColumnCount] = {lang::kSiteNumberColumn, lang::kSiteNameColumn,
                                                   lang::kSiteHostsColumn, lang::kSiteMonthsColumn};
    return section >= 0 && section < kColumnCount ? Tr(kEntries[section]) : QVariant();
}

void SiteListModel::SetSites(std::vector<SiteEntry> sites, std::vector<int> monthCounts) {
    beginResetModel();
    sites_ = std::move(sites);
    months_ = std::move(monthCounts);
    months_.resize(sites_.size());
    endResetModel();
}

SiteManagerDialog::SiteManagerDialog(std::string programDir, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)) {
    setObjectName("SiteManagerDialog");
    setWindowTitle(Tr(lang::kManageSitesItem).remove(QStringLiteral("...")));
    model_ = new SiteListModel(this);
    LVSites = new QTreeView;
    LVSites->setObjectName("LVSites");
    LVSites->setModel(model_);
    LVSites->setRootIsDecorated(false);
    LVSites->setItemsExpandable(false);
    LVSites->setUniformRowHeights(true);
    LVSites->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVSites->setSelectionMode(QAbstractItemView::SingleSelection);
    LVSites->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVSites->setAllColumnsShowFocus(true);
    LVSites->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    LVSites->header()->setStretchLastSection(false);

    BAdd = new QPushButton(Tr(lang::kSiteAddButton));
    BAdd->setObjectName("BAdd");
    BRename = new QPushButton(Tr(lang::kSiteRenameButton));
    BRename->setObjectName("BRename");
    BDelete = new QPushButton(Tr(lang::kSiteDeleteButton));
    BDelete->setObjectName("BDelete");
    BClose = new QPushButton(Tr(lang::other::kCloseButton));
    BClose->setObjectName("BClose");
    connect(BAdd, &QPushButton::clicked, this, &SiteManagerDialog::BAddClick);
    connect(BRename, &QPushButton::clicked, this, &SiteManagerDialog::BRenameClick);
    connect(BDelete, &QPushButton::clicked, this, &SiteManagerDialog::BDeleteClick);
    connect(BClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BAdd);
    buttons->addWidget(BRename);
    buttons->addWidget(BDelete);
    buttons->addStretch(1);
    buttons->addWidget(BClose);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LVSites, 1);
    layout->addLayout(buttons);
    resize(560, 300);
    Refresh(App().siteNumber);
}

void SiteManagerDialog::Refresh(int selected) {
    std::vector<SiteEntry> sites;
    std::vector<int> months;
    try {
        sites = ReadSiteList(programDir_);
        for (const SiteEntry& site : sites)
            months.push_back(
                static_cast<int>(ListStoredMonths(SiteDir(programDir_, site.number)).size()));
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    model_->SetSites(std::move(sites), std::move(months));
    SelectSite(selected);
}

void SiteManagerDialog::SelectSite(int number) {
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->Site(row).number == number) {
            LVSites->setCurrentIndex(model_->index(row, 0));
            return;
        }
    }
    LVSites->clearSelection();
}

int SiteManagerDialog::SelectedSite() const {
    const QModelIndexList rows = LVSites->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model_->Site(rows.first().row()).number;
}

void SiteManagerDialog::BAddClick() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, windowTitle(), Tr(lang::kSiteNamePrompt),
                                               QLineEdit::Normal, QString(), &ok)
                             .trimmed();
    if (!ok || name.isEmpty())
        return;
    const QString host = QInputDialog::getText(this, windowTitle(), Tr(lang::kSiteHostPrompt),
                                               QLineEdit::Normal, QString(), &ok)
                             .trimmed();
    if (!ok)
        return;
    AddNamedSite(name, host);
}

int SiteManagerDialog::AddNamedSite(const QString& name, const QString& host) {
    // A host is one word; typed as an address, its host name is what lies
    // between the scheme and the path.
    const std::string address = ToCp1252(host.section(QLatin1Char(' '), 0, 0));
    std::string hostName = address;
    if (const std::size_t scheme = hostName.find("://"); scheme != std::string::npos)
        hostName.erase(0, scheme + 3);
    hostName = hostName.substr(0, hostName.find('/'));
    int number = 0;
    try {
        number = CreateSite(
            programDir_, ToCp1252(name),
            hostName.empty() ? std::vector<std::string>{} : std::vector<std::string>{hostName},
            address.find("://") != std::string::npos ? address : std::string());
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    Refresh(number);
    return number;
}

void SiteManagerDialog::BRenameClick() {
    const int number = SelectedSite();
    if (number == 0)
        return;
    const SiteEntry* site = nullptr;
    for (int row = 0; row < model_->rowCount(); ++row)
        if (model_->Site(row).number == number)
            site = &model_->Site(row);
    if (site == nullptr)
        return;
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, windowTitle(), Tr(lang::kSiteRenamePrompt).arg(number),
                              QLineEdit::Normal, FromCp1252(site->name), &ok)
            .trimmed();
    if (!ok || name.isEmpty())
        return;
    try {
        RenameSite(programDir_, number, ToCp1252(name));
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    Refresh(number);
}

void SiteManagerDialog::BDeleteClick() {
    const QModelIndexList rows = LVSites->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first().row();
    const SiteEntry site = model_->Site(row);
    if (site.number == kSiteNumber) {
        Messages().Inform(this, Tr(lang::kSiteOneKept));
        return;
    }
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(SiteDir(programDir_, site.number)));
    if (!Messages().ConfirmDestructive(
            this,
            Tr(lang::kSiteDeleteQuestion)
                .arg(SiteText(site), folder, QString::number(model_->MonthCount(row))),
            windowTitle()))
        return;
    try {
        DeleteSite(programDir_, site.number);
    } catch (const StoreBusy&) {
        Messages().Inform(this, Tr(lang::kSiteBusy).arg(SiteText(site)));
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    Refresh(kSiteNumber);
}

}  // namespace trafikon
