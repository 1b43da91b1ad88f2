// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/compare/compare_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "state/app_state.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/list_columns_qt.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/compare/comparison_result_model.h"

namespace trafikon {

namespace {

// Wait cursor and suspended repainting of a view for the life of one command.
class BusyScope {
  public:
    explicit BusyScope(QWidget* view) : view_(view) { view_->setUpdatesEnabled(false); }
    ~BusyScope() { view_->setUpdatesEnabled(true); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    WaitCursor wait_;
    QWidget* view_;
};

// The month and its file, in the interface language (the reason the comparison
// gives is worded for developers, in English, and stays out of the message).
QString CompareErrorText(const CompareError& error) {
    return Tr(lang::kCompareStopped).arg(FromCp1252(error.month())) + QLatin1Char('\n') +
           FromCp1252(error.path());
}

}  // namespace

TFCompare::TFCompare(QWidget* parent) : QWidget(parent), siteDir_(App().siteDir) {
    setWindowTitle(Tr(lang::compare::kTitle));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    tabs_ = new QTabWidget(this);
    outer->addWidget(tabs_);

    auto* TSTopTen = new QWidget;
    TSTopTen->setObjectName("TSTopTen");
    tabs_->addTab(TSTopTen, Tr(lang::compare::kTopTenTab));
    auto* row = new QHBoxLayout(TSTopTen);

    auto* panel = new QWidget(TSTopTen);
    panel->setMinimumWidth(185);
    panel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    auto* left = new QVBoxLayout(panel);
    left->setContentsMargins(0, 0, 0, 0);
    BCompTopTen_ = new QPushButton(Tr(lang::compare::kCompareButton), panel);
    BCompTopTen_->setObjectName("BCompTopTen");
    LFiles1_ = new QLabel(Tr(lang::compare::kSearchLabel), panel);
    LFiles1_->setObjectName("LFiles1");
    EFiltreFiles_ = new QLineEdit(panel);
    EFiltreFiles_->setObjectName("EFiltreFiles");
    BCompFiles_ = new QPushButton(Tr(lang::compare::kSearchButton), panel);
    BCompFiles_->setObjectName("BCompFiles");
    BCompDirectory_ = new QPushButton(Tr(lang::compare::kBaseDirectoryHits), panel);
    BCompDirectory_->setObjectName("BCompDirectory");
    LTTResult1_ = new QLabel(panel);
    LTTResult1_->setObjectName("LTTResult1");
    left->addWidget(BCompTopTen_);
    left->addSpacing(16);
    left->addWidget(LFiles1_);
    left->addWidget(EFiltreFiles_);
    left->addWidget(BCompFiles_);
    left->addSpacing(16);
    left->addWidget(BCompDirectory_);
    left->addStretch(1);
    left->addWidget(LTTResult1_);
    row->addWidget(panel);

    model_ = new ComparisonResultModel(this);
    LVTopTenResult_ = new QTreeView(TSTopTen);
    LVTopTenResult_->setObjectName("LVTopTenResult");
    LVTopTenResult_->setModel(model_);
    LVTopTenResult_->setRootIsDecorated(false);
    LVTopTenResult_->setUniformRowHeights(true);
    LVTopTenResult_->setAllColumnsShowFocus(true);
    LVTopTenResult_->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVTopTenResult_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVTopTenResult_->header()->setSectionsClickable(true);
    LVTopTenResult_->header()->setSortIndicatorShown(false);
    row->addWidget(LVTopTenResult_, 1);

    connect(BCompTopTen_, &QPushButton::clicked, this, &TFCompare::BCompTopTenClick);
    connect(BCompFiles_, &QPushButton::clicked, this, &TFCompare::BCompFilesClick);
    connect(BCompDirectory_, &QPushButton::clicked, this, &TFCompare::BCompDirectoryClick);
    connect(LVTopTenResult_->header(), &QHeaderView::sectionClicked, this,
            &TFCompare::LVTopTenResultColumnClick);
    EFiltreFiles_->installEventFilter(this);
    LVTopTenResult_->viewport()->installEventFilter(this);

    BuildColumns();
}

void TFCompare::BuildColumns() {
    months_.assign(App().storedMonths.rbegin(), App().storedMonths.rend());
    QStringList captions{Tr(lang::compare::kFilesTab), Tr(lang::compare::kAverageColumn)};
    for (const std::string& key : months_)
        captions << FromCp1252(key);
    model_->SetColumns(captions);
    // Every caption and number is read whole, the sort arrow included; the
    // names get their width from FitNameColumn.
    UseFittedColumns(LVTopTenResult_, -1);
    LVTopTenResult_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    LVTopTenResult_->header()->setMinimumSectionSize(50);
    LTTResult1_->clear();
    FitNameColumn();
}

void TFCompare::FitNameColumn() {
    QHeaderView* header = LVTopTenResult_->header();
    const QAbstractItemView* cells = LVTopTenResult_;
    auto contentWidth = [&](int column) {
        return std::max({header->minimumSectionSize(), header->sectionSizeHint(column),
                         cells->sizeHintForColumn(column)});
    };
    int numbers = 0;
    for (int c = 1; c < header->count(); ++c)
        numbers += contentWidth(c);
    const int view = LVTopTenResult_->viewport()->width();
    // The names fill what the numbers leave; with many months they keep a
    // third of the view (less when they are all shorter) and the months scroll.
    const int floor = std::min(contentWidth(0), std::max(header->minimumSectionSize(), view / 3));
    header->resizeSection(0, std::max(view - numbers, floor));
}

bool TFCompare::eventFilter(QObject* watched, QEvent* event) {
    // EFiltreFilesKeyUp: Enter runs the search.
    if (watched == LVTopTenResult_->viewport() && event->type() == QEvent::Resize)
        FitNameColumn();
    if (watched == EFiltreFiles_ && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            BCompFilesClick();
    }
    return QWidget::eventFilter(watched, event);
}

void TFCompare::RunCommand(
    const std::function<std::vector<ComparisonRow>(const MonthComparison&)>& command) {
    QString failure;
    {
        BusyScope busy(LVTopTenResult_);
        // The commands read the months of the columns, so that every value
        // stands under its own month's caption.
        const MonthComparison comparison(siteDir_, months_);
        try {
            std::vector<ComparisonRow> rows = command(comparison);
            LTTResult1_->setText(QString::number(rows.size()) + " " + Tr(lang::compare::kFilesTab));
            model_->SetRows(std::move(rows));
            // The rows come in the command's order: no column's arrow is true.
            LVTopTenResult_->header()->setSortIndicatorShown(false);
        } catch (const CompareError& error) {
            failure = CompareErrorText(error);
        } catch (const IoError& error) {
            failure = FromCp1252(error.path()) + "\n" + FromCp1252(error.reason());
        }
    }
    FitNameColumn();
    // On failure the table keeps the rows of the command before.
    if (!failure.isEmpty())
        Messages().Inform(this, failure);
}

void TFCompare::BCompTopTenClick() {
    RunCommand([](const MonthComparison& c) { return c.TopPages(); });
}

void TFCompare::BCompFilesClick() {
    const std::string fragment = ToCp1252(EFiltreFiles_->text());
    RunCommand([&fragment](const MonthComparison& c) { return c.SearchFiles(fragment); });
}

void TFCompare::BCompDirectoryClick() {
    RunCommand([](const MonthComparison& c) { return c.BaseDirectories(); });
}

void TFCompare::LVTopTenResultColumnClick(int column) {
    const bool second = sortState_.Click(column);
    {
        const WaitCursor wait;
        model_->Sort(column, second);
    }
    const bool ascending = column == 0 ? !second : second;
    LVTopTenResult_->header()->setSortIndicatorShown(true);
    LVTopTenResult_->header()->setSortIndicator(
        column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

}  // namespace trafikon
