// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/general_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "state/app_state.h"
#include "store/data_store.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/list_columns_qt.h"
#include "ui/mdi_child_size_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/analysis_window.h"
#include "views/synthesis/daily_table_widget.h"
#include "views/synthesis/month_trend_widget.h"

namespace trafikon {

namespace {
constexpr int kColumns = 1 + kSynthesisValueColumns + 2;  // and the visits
}  // namespace

int SynthesisModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SynthesisModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant SynthesisModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SynthesisRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return DisplayText(row.key);
        const std::size_t cell = static_cast<std::size_t>(index.column() - 1);
        if (cell == kSynthesisLines.size())
            return DisplayText(row.visits);
        if (cell == kSynthesisLines.size() + 1)
            return DisplayText(row.uniqueVisitors);
        return cell < row.cells.size() ? DisplayText(row.cells[cell]) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SynthesisModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return section < headings_.size() ? headings_[section] : QString();
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void SynthesisModel::SetRows(std::vector<SynthesisRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void SynthesisModel::SetHeadings(QStringList headings) {
    headings_ = std::move(headings);
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

TFGeneral::TFGeneral(QMdiArea* area, QWidget* parent) : QWidget(parent), area_(area) {
    setObjectName("TFGeneral");
    tabs_ = new QTabWidget(this);
    TSGeneral = new QWidget;
    TSGeneral->setObjectName("TSGeneral");
    TSCompare = new QWidget;
    TSCompare->setObjectName("TSCompare");
    trend_ = new MonthTrendWidget;
    tabs_->addTab(TSGeneral, QString());
    tabs_->addTab(TSCompare, QString());
    tabs_->addTab(trend_, QString());
    connect(trend_, &MonthTrendWidget::monthChosen, this, [this](const QString& key) {
        for (int row = 0; row < model_->rowCount(); ++row)
            if (FromCp1252(model_->Row(row).key) == key)
                OpenMonth(row);
    });

    LTitle = new QLabel;
    LTitle->setTextFormat(Qt::PlainText);  // a language text is never markup
    QFont titleFont = LTitle->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    LTitle->setFont(titleFont);
    LTitle->setStyleSheet("color: blue;");

    model_ = new SynthesisModel(this);
    LVInfoAnnuelleSynthese = new QTreeView;
    LVInfoAnnuelleSynthese->setObjectName("LVInfoAnnuelleSynthese");
    LVInfoAnnuelleSynthese->setModel(model_);
    LVInfoAnnuelleSynthese->setRootIsDecorated(false);
    LVInfoAnnuelleSynthese->setItemsExpandable(false);
    LVInfoAnnuelleSynthese->setUniformRowHeights(true);
    LVInfoAnnuelleSynthese->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVInfoAnnuelleSynthese->setSelectionMode(QAbstractItemView::SingleSelection);
    LVInfoAnnuelleSynthese->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVInfoAnnuelleSynthese->setAllColumnsShowFocus(true);
    LVInfoAnnuelleSynthese->header()->setStretchLastSection(false);
    LVInfoAnnuelleSynthese->header()->setSectionsMovable(false);
    // The selection keeps its colour when the table loses the focus.
    QPalette palette = LVInfoAnnuelleSynthese->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                     palette.brush(QPalette::Active, QPalette::Highlight));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     palette.brush(QPalette::Active, QPalette::HighlightedText));
    LVInfoAnnuelleSynthese->setPalette(palette);
    // Every value is shown whole, as stored: each column fits its widest one.
    UseFittedColumns(LVInfoAnnuelleSynthese, -1);
    connect(LVInfoAnnuelleSynthese, &QTreeView::doubleClicked, this,
            [this](const QModelIndex&) { LVInfoAnnuelleSyntheseDblClick(); });
    LVInfoAnnuelleSynthese->installEventFilter(this);

    auto* generalLayout = new QVBoxLayout(TSGeneral);
    generalLayout->addWidget(LTitle);
    generalLayout->addWidget(LVInfoAnnuelleSynthese, 1);

    dailyTable_ = new DailyTableWidget;
    auto* compareLayout = new QVBoxLayout(TSCompare);
    compareLayout->setContentsMargins(0, 0, 0, 0);
    compareLayout->addWidget(dailyTable_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs_);
}

void TFGeneral::ApplyTexts() {
    setWindowTitle(Tr(lang::mainwindow::kGeneralItem));
    tabs_->setTabText(0, Tr(lang::mainwindow::kGeneralTitle));
    tabs_->setTabText(1, Tr(lang::mainwindow::kComparisonTab));
    tabs_->setTabText(2, Tr(lang::kTrendTab));
    LTitle->setText(Tr(lang::mainwindow::kMonthlyTableTitle));
    QStringList headings;
    for (int entry = lang::mainwindow::kDateColumn; entry <= lang::mainwindow::kDaysColumn; ++entry)
        headings << Tr(entry);
    headings << Tr(lang::kTextPeopleVisits) << Tr(lang::kTextPeopleUniqueVisitors);
    model_->SetHeadings(headings);
    dailyTable_->ApplyTexts();
    trend_->ApplyTexts();
}

void TFGeneral::RefreshSynthesis() {
    AppState& app = App();
    app.storedMonths = ListStoredMonths(app.siteDir);
    dailyTable_->Refresh();
    trend_->Refresh();
    std::vector<SynthesisRow> rows;
    rows.reserve(app.storedMonths.size());
    try {
        AppendSynthesisRows(app.siteDir, app.storedMonths, rows);
    } catch (const IoError& error) {
        model_->SetRows(std::move(rows));
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    model_->SetRows(std::move(rows));
}

int TFGeneral::TableWidth() const {
    // The table's columns side by side, with the margins around the table.
    const QTreeView* table = LVInfoAnnuelleSynthese;
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return table->header()->length() + 2 * table->frameWidth() + scrollBar + 40;
}

void TFGeneral::LVInfoAnnuelleSyntheseDblClick() {
    const QModelIndexList selected = LVInfoAnnuelleSynthese->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    OpenMonth(selected.first().row());
}

void TFGeneral::OpenMonth(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const std::string key = model_->Row(row).key;
    // With several sites, the caption names the site after the month.
    const std::string& site = App().siteCaption;
    const std::string shown = site.empty() ? key : key + " - " + site;
    const QString wanted =
        FromCp1252(AnalysisCaption(App().Text(lang::analysis::kAnalysisCaption), shown));
    for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (child->windowTitle() == wanted) {
            if (child->isMinimized())
                child->showNormal();
            area_->setActiveSubWindow(child);
            child->raise();
            return;
        }
    }
    if (!MonthHasAnalysis(App().siteDir, key)) {
        Messages().Inform(this, Tr(lang::analysis::kNoAnalysis));
        return;
    }
    App().requestedMonth = key;
    auto* analysis =
        new TFAnalyse(key, App().siteDir, site.empty() ? QString() : FromCp1252(shown));
    App().requestedMonth.clear();
    analysis->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* child = area_->addSubWindow(analysis);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setProperty(kSitePropertyName, App().siteNumber);
    ShowNewChild(child, TFAnalyse::kOpeningSize);
    area_->setActiveSubWindow(child);
}

void TFGeneral::SelectMonth(const std::string& key) {
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->Row(row).key == key) {
            tabs_->setCurrentIndex(0);
            LVInfoAnnuelleSynthese->setCurrentIndex(model_->index(row, 0));
            return;
        }
    }
}

bool TFGeneral::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LVInfoAnnuelleSynthese && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            LVInfoAnnuelleSyntheseDblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFGeneral::closeEvent(QCloseEvent* event) {
    // The synthesis window lives as long as the main window: closing minimises it.
    event->ignore();
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget()))
        child->showMinimized();
    else
        showMinimized();
}

void TFGeneral::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget());
        child && !child->isMaximized() && !child->isMinimized() && !event->spontaneous())
        SizeNewChild(child, QSize(std::max(683, TableWidth()), 434));
}

}  // namespace trafikon
