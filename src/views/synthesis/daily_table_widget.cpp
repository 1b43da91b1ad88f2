// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/daily_table_widget.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "state/app_state.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

DailyTableWidget::DailyTableWidget(QWidget* parent) : QWidget(parent) {
    title_ = new QLabel(this);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    title_->setFont(titleFont);
    title_->setStyleSheet("color: red");

    // The title above; on the left the five measures over the month list; the
    // table takes the rest.
    auto* side = new QVBoxLayout;
    side->setSpacing(1);
    auto makeButton = [this, side](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        side->addWidget(b);
        return b;
    };
    BIAVisit_ = makeButton("BIAVisit");
    BIAPage_ = makeButton("BIAPage");
    BIAKilo_ = makeButton("BIAKilo");
    BIAHits_ = makeButton("BIAHits");
    visits_ = makeButton("visits");
    side->addSpacing(12);
    connect(BIAVisit_, &QPushButton::clicked, this, &DailyTableWidget::BIAVisitClick);
    connect(BIAPage_, &QPushButton::clicked, this, &DailyTableWidget::BIAPageClick);
    connect(BIAKilo_, &QPushButton::clicked, this, &DailyTableWidget::BIAKiloClick);
    connect(BIAHits_, &QPushButton::clicked, this, &DailyTableWidget::BIAHitsClick);
    connect(visits_, &QPushButton::clicked, this, &DailyTableWidget::VisitsClick);

    LBDate_ = new QListWidget(this);
    LBDate_->setObjectName("LBDate");
    LBDate_->setSelectionMode(QAbstractItemView::SingleSelection);
    side->addWidget(LBDate_, 1);

    LVInfoAnnuelle_ = new QTreeWidget(this);
    LVInfoAnnuelle_->setObjectName("LVInfoAnnuelle");
    LVInfoAnnuelle_->setRootIsDecorated(false);
    LVInfoAnnuelle_->setUniformRowHeights(true);
    LVInfoAnnuelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVInfoAnnuelle_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LVInfoAnnuelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVInfoAnnuelle_->setColumnCount(1 + kDailyColumns);
    QTreeWidgetItem* header = LVInfoAnnuelle_->headerItem();
    for (int c = 1; c <= kDailyColumns; ++c) {
        header->setText(c, QString());
        header->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        LVInfoAnnuelle_->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    LVInfoAnnuelle_->header()->setStretchLastSection(false);
    LVInfoAnnuelle_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addWidget(LVInfoAnnuelle_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(title_);
    layout->addLayout(body, 1);

    ApplyTexts();
}

void DailyTableWidget::ApplyTexts() {
    title_->setText(Tr(lang::mainwindow::kDailyTableTitle));
    BIAVisit_->setText(Tr(lang::mainwindow::kDailyVisitorsColumn));
    BIAPage_->setText(Tr(lang::mainwindow::kDailyPagesColumn));
    BIAKilo_->setText(Tr(lang::mainwindow::kDailyKilobytesColumn));
    BIAHits_->setText(Tr(lang::mainwindow::kDailyHitsColumn));
    visits_->setText(Tr(lang::kTextPeopleVisits));
    LVInfoAnnuelle_->headerItem()->setText(0, Tr(lang::mainwindow::kDailyDayColumn));
    // The measures and the month list share the width of the widest caption.
    int side = 104;
    // The pressed measure is shown in bold: its caption must fit too.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    for (QPushButton* b : {BIAVisit_, BIAPage_, BIAKilo_, BIAHits_, visits_})
        side = std::max(side, b->sizeHint().width() + boldMetrics.horizontalAdvance(b->text()) -
                                  b->fontMetrics().horizontalAdvance(b->text()));
    for (QWidget* w :
         std::initializer_list<QWidget*>{BIAVisit_, BIAPage_, BIAKilo_, BIAHits_, visits_, LBDate_})
        w->setFixedWidth(side);
}

void DailyTableWidget::Refresh() {
    LBDate_->clear();
    const std::vector<std::string>& months = App().storedMonths;
    for (auto it = months.rbegin(); it != months.rend(); ++it)
        LBDate_->addItem(FromCp1252(*it));
}

void DailyTableWidget::ClearTable() {
    LVInfoAnnuelle_->clear();
    for (int c = 1; c <= kDailyColumns; ++c)
        LVInfoAnnuelle_->headerItem()->setText(c, QString());
}

void DailyTableWidget::ShowDailyValues(DailyMeasure measure, QPushButton* pressed) {
    for (QPushButton* b : {BIAVisit_, BIAPage_, BIAKilo_, BIAHits_, visits_}) {
        QFont f = b->font();
        f.setBold(b == pressed);
        b->setFont(f);
    }
    ClearTable();
    const int selected = LBDate_->currentRow();
    if (selected < 0 || LBDate_->selectedItems().isEmpty())
        return;

    std::vector<std::string> months;
    months.reserve(static_cast<std::size_t>(LBDate_->count()));
    for (int i = 0; i < LBDate_->count(); ++i)
        months.push_back(ToCp1252(LBDate_->item(i)->text()));

    DailyTableContent content;
    try {
        content = trafikon::BuildDailyTable(App().siteDir, months, selected, measure);
    } catch (const IoError& error) {
        Messages().Inform(this, FromCp1252(error.path()) + "\n" + FromCp1252(error.reason()));
        return;
    }
    for (int c = 0; c < kDailyColumns; ++c)
        LVInfoAnnuelle_->headerItem()->setText(c + 1, FromCp1252(content.captions[c]));
    QList<QTreeWidgetItem*> rows;
    for (int d = 0; d < kDailyRows; ++d) {
        auto* row = new QTreeWidgetItem;
        row->setText(0, QString::number(d + 1));
        for (int c = 0; c < kDailyColumns; ++c) {
            row->setText(c + 1, DisplayText(content.cells[d][c]));
            row->setTextAlignment(c + 1, Qt::AlignRight | Qt::AlignVCenter);
        }
        rows.append(row);
    }
    LVInfoAnnuelle_->addTopLevelItems(rows);
}

}  // namespace trafikon
