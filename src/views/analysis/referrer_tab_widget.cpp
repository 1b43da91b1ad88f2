#include "views/analysis/referrer_tab_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "shell/extra_texts.h"
#include "shell/settings.h"
#include "shell/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_rows_qt.h"
#include "views/analysis/tabs_side_panel_qt.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

namespace {
constexpr int kEntryFilter = 136;  // "Filtrer"
constexpr int kEntryName = 137;    // "Nom"
constexpr int kEntryNumber = 143;  // "Nombre"
}  // namespace

ReferrerTab::ReferrerTab(const MonthResults& results, AnalysisContext& context, bool external,
                         QWidget* parent)
    : AnalysisTabWidget(parent), results_(results), context_(context), referrers_(external) {
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
    switches_ = new TabsSwitchBar({2}, right);
    rightLayout->addWidget(switches_);
    stack_ = new QStackedWidget(right);
    pages_ = new NameCountListWidget(stack_);
    pages_->SetCountColumnShown(false);
    pages_->SetSortable(false);
    queries_ = new NameCountListWidget(stack_);  // top-level nodes only, no root lines
    queries_->SetCountColumnShown(false);
    queries_->SetSortable(false);
    stack_->addWidget(pages_);
    stack_->addWidget(queries_);
    rightLayout->addWidget(stack_, 1);

    PlaceSideAndDetail(this, left, right);

    connect(switches_, &TabsSwitchBar::switched, stack_, &QStackedWidget::setCurrentIndex);
    connect(filterButton_, &QPushButton::clicked, this,
            [this] { FillReferrerList(filter_->text()); });
    connect(filter_, &QLineEdit::returnPressed, this,
            [this] { FillReferrerList(filter_->text()); });
    connect(list_, &NameCountListWidget::rowChosen, this, &ReferrerTab::ShowDetail);
    connect(list_, &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        const NameCountRow* r = list_->model().RowAt(row);
        if (!r)
            return;
        if (s == ListShortcut::Copy)
            context_.CopyText(r->name);
        else if (s == ListShortcut::Open)
            context_.OpenAddress(r->name);
    });
    connect(pages_, &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        const NameCountRow* r = pages_->model().RowAt(row);
        if (!r)
            return;
        if (s == ListShortcut::Copy)
            context_.CopyText(r->name);
        else if (s == ListShortcut::Open)
            context_.OpenSitePage(r->name);
    });
    // External queries copy and open the full address through which the query came;
    // the internal query tree has no actions.
    connect(queries_, &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (!referrers_.external() || row < 0 || std::size_t(row) >= searchUrls_.size())
            return;
        const std::string& url = searchUrls_[std::size_t(row)];
        if (s == ListShortcut::Copy)
            context_.CopyText(url);
        else if (s == ListShortcut::Open)
            context_.OpenAddress(url);
    });
    switches_->SetChosen(kPagesSwitch);
}

const Lines& ReferrerTab::ReferrerTable() const {
    return external() ? results_.externalReferrers : results_.internalReferrers;
}

const Lines& ReferrerTab::QueryTable() const {
    return external() ? results_.externalQueries : results_.internalQueries;
}

void ReferrerTab::ApplyTexts() {
    filterButton_->setText(FromCp1252(context_.Text(kEntryFilter)));
    list_->model().SetCaptions(
        {FromCp1252(context_.Text(kEntryName)), FromCp1252(context_.Text(kEntryNumber))});
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    count_->setText(
        FromCp1252(tabs::ReferrerCountLabel(list_->model().rows().size(), external(), text)));
    switches_->SetCaption(
        kPagesSwitch, FromCp1252(tabs::ReferrerPagesSwitch(pages_->model().rows().size(), text)));
    switches_->SetCaption(kQueriesSwitch, FromCp1252(tabs::ReferrerQueriesSwitch(
                                              queries_->model().rows().size(), text)));
}

void ReferrerTab::Refresh() {
    referrers_.Load(ReferrerTable(), QueryTable());
    ClearDetail();
    FillReferrerList(QString());
}

void ReferrerTab::FillReferrerList(const QString& filter) {
    std::vector<int> rows = referrers_.Rows(ToCp1252(filter));
    list_->setUpdatesEnabled(false);
    list_->model().SetRows(TableRows(rows, referrers_.entries()));
    list_->setUpdatesEnabled(true);
    refresh_.Forget();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    count_->setText(FromCp1252(tabs::ReferrerCountLabel(rows.size(), external(), text)));
}

bool ReferrerTab::SelectByKey(std::string_view name) {
    // A jump shows its row's detail and lines even when that detail was the
    // last one shown, since the log-line panel may hold another list's lines.
    refresh_.Forget();
    if (!list_->SelectByName(name))
        return false;
    ShowDetail(list_->SelectedRow());
    return true;
}

void ReferrerTab::ClearDetail() {
    refresh_.Forget();
    header_->Clear();
    pages_->model().Clear();
    queries_->model().Clear();
    searchUrls_.clear();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    switches_->SetCaption(kPagesSwitch, FromCp1252(tabs::ReferrerPagesSwitch(0, text)));
    switches_->SetCaption(kQueriesSwitch, FromCp1252(tabs::ReferrerQueriesSwitch(0, text)));
}

void ReferrerTab::ShowDetail(int listRow) {
    const NameCountRow* row = list_->model().RowAt(listRow);
    if (!row || !refresh_.Accept(static_cast<int>(row->position)))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tabs::ReferrerDetail d = referrers_.Detail(static_cast<int>(row->position), results_.files);
    d.logLineCount = context_.ShowLogLines(d.logLineIds, LineNumbering::IndexPlusOne);
    pages_->model().SetRows(NameRows(d.pages));
    std::vector<std::string_view> nodes;
    nodes.reserve(d.queries.size());
    searchUrls_.clear();
    for (const tabs::ReferrerQuery& q : d.queries) {
        nodes.push_back(q.text);
        if (external())
            searchUrls_.emplace_back(q.fullUrl);
    }
    queries_->model().SetRows(NameRows(nodes));
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const tabs::ReferrerDetailTexts t = tabs::ReferrerDetailLabels(d, external(), text);
    header_->SetTitle(FromCp1252(t.title));
    header_->SetLine(0, FromCp1252(t.line1));
    header_->SetLine(1, FromCp1252(t.line2));
    header_->SetLine(2, FromCp1252(t.line3));
    header_->SetLine(3, FromCp1252(t.line4));
    switches_->SetCaption(kPagesSwitch, FromCp1252(t.pagesSwitch));
    switches_->SetCaption(kQueriesSwitch, FromCp1252(t.queriesSwitch));
    header_->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
    QApplication::restoreOverrideCursor();
}

}  // namespace trafikon
