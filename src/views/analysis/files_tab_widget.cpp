#include "views/analysis/files_tab_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "shell/extra_texts.h"
#include "shell/list_columns_qt.h"
#include "shell/settings.h"
#include "shell/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_rows_qt.h"
#include "views/analysis/tabs_side_panel_qt.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

namespace {
constexpr int kEntryKinds[4] = {132, 133, 134, 135};  // "Tout", "Pages", "Images", "Programmes"
constexpr int kEntryFilter = 136;                     // "Filtrer"
constexpr int kEntryName = 137;                       // "Nom"
constexpr int kEntryNumber = 143;                     // "Nombre"
constexpr int kEntryRequest = 155;                    // "Requete"
constexpr int kEntryUrl = 156;                        // "URL"
}  // namespace

FilesTab::FilesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : AnalysisTabWidget(parent), results_(results), context_(context) {
    const TabsSidePanel side = MakeTabsSidePanel(this);
    QWidget* left = side.side;
    filter_ = side.filter;
    filterButton_ = side.filterButton;
    count_ = side.count;
    list_ = side.list;
    auto* kindRow = new QHBoxLayout;
    for (int k = 0; k < 4; ++k) {
        kinds_[std::size_t(k)] = new QPushButton(left);
        kindRow->addWidget(kinds_[std::size_t(k)]);
        connect(kinds_[std::size_t(k)], &QPushButton::clicked, this, [this, k] { SetKind(k); });
    }
    side.layout->insertLayout(0, kindRow);
    QWidget::setTabOrder(kinds_[3], filter_);  // the kinds stand above the filter

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    header_ = new TabsDetailHeader(right);
    rightLayout->addWidget(header_);
    switches_ = new TabsSwitchBar({3, 2}, right);
    rightLayout->addWidget(switches_);
    stack_ = new QStackedWidget(right);
    for (int i = 0; i < 5; ++i) {
        auto* l = new NameCountListWidget(stack_);
        const bool queries = i == tabs::kExternalQueriesSwitch || i == tabs::kInternalQueriesSwitch;
        l->SetCountColumnShown(queries);
        l->SetSortable(i == tabs::kExternalQueriesSwitch);
        if (queries) {
            // The query fits its text, the address takes the rest.
            FitColumns(l->header(), 1);
            l->model().SetSecondColumnText(true);
        }
        lists_[std::size_t(i)] = l;
        stack_->addWidget(l);
        connect(l, &NameCountListWidget::shortcutUsed, this,
                [this, i](ListShortcut s, int row) { OnShortcut(i, s, row); });
    }
    lists_[tabs::kExternalQueriesSwitch]->model().SetTextOnlySorting(true);
    rightLayout->addWidget(stack_, 1);

    PlaceSideAndDetail(this, left, right);

    connect(switches_, &TabsSwitchBar::switched, stack_, &QStackedWidget::setCurrentIndex);
    connect(filterButton_, &QPushButton::clicked, this, [this] { FillFileList(filter_->text()); });
    connect(filter_, &QLineEdit::returnPressed, this, [this] { FillFileList(filter_->text()); });
    connect(list_, &NameCountListWidget::rowChosen, this, &FilesTab::ShowDetail);
    connect(list_, &NameCountListWidget::shortcutUsed, this,
            [this](ListShortcut s, int row) { OnShortcut(-1, s, row); });
    connect(lists_[tabs::kHostsSwitch], &NameCountListWidget::rowDoubleClicked, this,
            [this](int row) {
                if (const NameCountRow* r = lists_[tabs::kHostsSwitch]->model().RowAt(row))
                    context_.JumpToHost(r->name);
            });

    switches_->SetChosen(tabs::kExternalReferrersSwitch);
    PaintKindButtons();
}

tabs::TabTables FilesTab::Tables() const {
    tabs::TabTables t;
    t.files = &results_.files;
    t.hosts = &results_.hosts;
    t.externalQueries = &results_.externalQueries;
    t.internalQueries = &results_.internalQueries;
    t.externalReferrers = &results_.externalReferrers;
    t.internalReferrers = &results_.internalReferrers;
    t.status = &results_.statuses;
    return t;
}

void FilesTab::ApplyTexts() {
    for (int k = 0; k < 4; ++k)
        kinds_[std::size_t(k)]->setText(FromCp1252(context_.Text(kEntryKinds[k])));
    filterButton_->setText(FromCp1252(context_.Text(kEntryFilter)));
    list_->model().SetCaptions(
        {FromCp1252(context_.Text(kEntryName)), FromCp1252(context_.Text(kEntryNumber))});
    const QStringList queryCaptions = {FromCp1252(context_.Text(kEntryRequest)),
                                       FromCp1252(context_.Text(kEntryUrl))};
    lists_[tabs::kExternalQueriesSwitch]->model().SetCaptions(queryCaptions);
    lists_[tabs::kInternalQueriesSwitch]->model().SetCaptions(queryCaptions);
    std::array<std::size_t, 5> counts{};
    for (int i = 0; i < 5; ++i)
        counts[std::size_t(i)] = lists_[std::size_t(i)]->model().rows().size();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const auto captions = tabs::FileSwitchCaptions(counts, text);
    for (int i = 0; i < 5; ++i)
        switches_->SetCaption(i, FromCp1252(captions[std::size_t(i)]));
    count_->setText(FromCp1252(tabs::FileCountLabel(list_->model().rows().size(), text)));
}

void FilesTab::Refresh() {
    files_.Load(results_.files);
    ClearDetail();
    FillFileList(QString());
}

void FilesTab::SetKind(int kind) {
    if (kind < 0 || kind > 3)
        return;
    kind_ = kind;
    PaintKindButtons();
    FillFileList(filter_->text());
}

void FilesTab::PaintKindButtons() {
    for (int k = 0; k < 4; ++k) {
        QFont f = kinds_[std::size_t(k)]->font();
        f.setBold(k == kind_);
        kinds_[std::size_t(k)]->setFont(f);
    }
}

void FilesTab::FillFileList(const QString& filter) {
    const std::string needle = ToCp1252(filter);
    std::vector<int> rows = files_.Rows(kind_, needle);
    list_->setUpdatesEnabled(false);
    list_->model().SetRows(TableRows(rows, files_.entries()));
    list_->setUpdatesEnabled(true);
    refresh_.Forget();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    count_->setText(FromCp1252(tabs::FileCountLabel(rows.size(), text)));
}

bool FilesTab::SelectByKey(std::string_view name) {
    // A jump shows its row's detail and lines even when that detail was the
    // last one shown, since the log-line panel may hold another list's lines.
    refresh_.Forget();
    if (!list_->SelectByName(name))
        return false;
    ShowDetail(list_->SelectedRow());
    return true;
}

void FilesTab::ClearDetail() {
    refresh_.Forget();
    header_->Clear();
    for (NameCountListWidget* l : lists_)
        l->model().Clear();
    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const auto captions = tabs::FileSwitchCaptions({}, text);
    for (int i = 0; i < 5; ++i)
        switches_->SetCaption(i, FromCp1252(captions[std::size_t(i)]));
}

void FilesTab::ShowDetail(int listRow) {
    const NameCountRow* row = list_->model().RowAt(listRow);
    if (!row || !refresh_.Accept(static_cast<int>(row->position)))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const tabs::FileDetail d = files_.Detail(static_cast<int>(row->position), Tables());
    context_.ShowLogLines(d.logLineIds, LineNumbering::Index);

    lists_[tabs::kHostsSwitch]->model().SetRows(NameRows(d.hosts));
    lists_[tabs::kExternalReferrersSwitch]->model().SetRows(NameRows(d.externalReferrers));
    lists_[tabs::kInternalReferrersSwitch]->model().SetRows(NameRows(d.internalReferrers));
    auto queryRows = [](const std::vector<tabs::FileQuery>& queries) {
        std::vector<NameCountRow> out;
        out.reserve(queries.size());
        for (const tabs::FileQuery& q : queries)
            out.push_back({std::string(q.text), std::string(q.siteUrl), 0, q.record});
        return out;
    };
    lists_[tabs::kExternalQueriesSwitch]->model().SetRows(queryRows(d.externalQueries));
    lists_[tabs::kInternalQueriesSwitch]->model().SetRows(queryRows(d.internalQueries));

    auto text = [this](int e) -> const std::string& { return context_.Text(e); };
    const tabs::FileDetailTexts t = tabs::FileDetailLabels(d, text);
    header_->SetTitle(FromCp1252(t.title));
    header_->SetLine(0, FromCp1252(t.accesses));
    header_->SetLine(1, FromCp1252(t.lastAccess));
    header_->SetLine(2, FromCp1252(t.users));
    header_->SetLine(3, FromCp1252(t.lastStatus),
                     d.lastStatusIsError ? QColor(Qt::red) : QColor(0, 128, 0));
    for (int i = 0; i < 5; ++i)
        switches_->SetCaption(i, FromCp1252(t.switches[std::size_t(i)]));
    header_->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
    QApplication::restoreOverrideCursor();
}

void FilesTab::OnShortcut(int which, ListShortcut shortcut, int row) {
    NameCountListWidget* l = which < 0 ? list_ : lists_[std::size_t(which)];
    const NameCountRow* r = l->model().RowAt(row);
    if (!r)
        return;
    switch (which) {
        case -1:  // the file list
            if (shortcut == ListShortcut::Copy) {
                context_.CopyText(r->name);
            } else if (shortcut == ListShortcut::CopyAll) {
                std::vector<std::string_view> names;
                names.reserve(l->model().rows().size());
                for (const NameCountRow& n : l->model().rows())
                    names.push_back(n.name);
                context_.CopyText(JoinWithLineFeeds(names));
            } else if (shortcut == ListShortcut::Open) {
                context_.OpenSitePage(r->name);
            }
            break;
        case tabs::kExternalReferrersSwitch:
        case tabs::kInternalReferrersSwitch:
            if (shortcut == ListShortcut::Copy)
                context_.CopyText(r->name);
            else if (shortcut == ListShortcut::Open)
                context_.OpenAddress(r->name);
            break;
        case tabs::kExternalQueriesSwitch:
            // The row keeps its query's record, so a sorted list opens the row's own referrer.
            if (shortcut == ListShortcut::Copy)
                context_.CopyText(r->name);
            else if (shortcut == ListShortcut::Open)
                context_.OpenAddress(
                    MonthResults::FieldAt(results_.externalQueries, r->position, 6));
            break;
        default:  // hosts and internal queries have no shortcuts
            break;
    }
}

}  // namespace trafikon
