#include "views/analysis/hosts_tab_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/extra_texts.h"
#include "shell/settings.h"
#include "shell/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_rows_qt.h"
#include "views/analysis/tabs_side_panel_qt.h"

namespace trafikon {

namespace {
constexpr int kEntryFilter = 136;  // "Filtrer"
constexpr int kEntryHost = 138;    // "Hote ou IP"
constexpr int kEntryNumber = 143;  // "Nombre"
}  // namespace

HostsTab::HostsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : AnalysisTabWidget(parent), results_(results), context_(context) {
    const TabsSidePanel side = MakeTabsSidePanel(this);
    QWidget* left = side.side;
    filter_ = side.filter;
    filterButton_ = side.filterButton;
    count_ = side.count;
    list_ = side.list;

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    header_ = new TabsDetailHeader(right);
    rightLayout->addWidget(header_);
    pages_ = new NameCountListWidget(right);
    pages_->SetCountColumnShown(false);
    pages_->SetSortable(false);
    rightLayout->addWidget(pages_, 1);

    PlaceSideAndDetail(this, left, right);

    connect(filterButton_, &QPushButton::clicked, this, [this] { FillHostList(filter_->text()); });
    connect(filter_, &QLineEdit::returnPressed, this, [this] { FillHostList(filter_->text()); });
    connect(list_, &NameCountListWidget::rowChosen, this, &HostsTab::ShowDetail);
    // The host list has no shortcuts; its detail's pages copy, open and jump.
    connect(pages_, &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        const NameCountRow* r = pages_->model().RowAt(row);
        if (!r)
            return;
        if (s == ListShortcut::Copy)
            context_.CopyText(r->name);
        else if (s == ListShortcut::Open)
            context_.OpenSitePage(r->name);
    });
    connect(pages_, &NameCountListWidget::rowDoubleClicked, this, [this](int row) {
        if (const NameCountRow* r = pages_->model().RowAt(row))
            context_.JumpToFile(r->name);
    });
}

void HostsTab::ApplyTexts() {
    filterButton_->setText(FromCp1252(context_.Text(kEntryFilter)));
    list_->model().SetCaptions(
        {FromCp1252(context_.Text(kEntryHost)), FromCp1252(context_.Text(kEntryNumber))});
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    count_->setText(FromCp1252(tabs::HostCountLabel(list_->model().rows().size(), text)));
}

void HostsTab::Refresh() {
    hosts_.Load(results_.hosts);
    ClearDetail();
    FillHostList(QString());
}

void HostsTab::FillHostList(const QString& filter) {
    const long long minimum = tabs::HostMinimum(context_.settings().hostThresholdText());
    std::vector<int> rows = hosts_.Rows(ToCp1252(filter), minimum);
    list_->setUpdatesEnabled(false);
    list_->model().SetRows(TableRows(rows, hosts_.entries()));
    list_->setUpdatesEnabled(true);
    refresh_.Forget();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    count_->setText(FromCp1252(tabs::HostCountLabel(rows.size(), text)));
}

bool HostsTab::SelectByKey(std::string_view name) {
    // A jump shows its row's detail and lines even when that detail was the
    // last one shown, since the log-line panel may hold another list's lines.
    refresh_.Forget();
    if (!list_->SelectByName(name))
        return false;
    ShowDetail(list_->SelectedRow());
    return true;
}

void HostsTab::ClearDetail() {
    refresh_.Forget();
    header_->Clear();
    pages_->model().Clear();
}

void HostsTab::ShowDetail(int listRow) {
    const NameCountRow* row = list_->model().RowAt(listRow);
    if (!row || !refresh_.Accept(static_cast<int>(row->position)))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const tabs::HostDetail d = hosts_.Detail(static_cast<int>(row->position), results_.files);
    context_.ShowLogLines(d.logLineIds, LineNumbering::IndexPlusOne);
    pages_->model().SetRows(NameRows(d.pages));
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const tabs::HostDetailTexts t = tabs::HostDetailLabels(d, text);
    header_->SetTitle(FromCp1252(t.title));
    header_->SetLine(0, FromCp1252(t.accesses));
    header_->SetLine(1, FromCp1252(t.lastAccess));
    header_->SetLine(2, FromCp1252(t.pages));
    header_->SetLine(3, QString());
    header_->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
    QApplication::restoreOverrideCursor();
}

}  // namespace trafikon
