// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/name_count_list_widget.h"

#include <QApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <cstring>

#include "ui/list_columns_qt.h"

namespace trafikon {

NameCountListWidget::NameCountListWidget(QWidget* parent)
    : QTableView(parent), model_(new NameCountModel(this)) {
    setModel(model_);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The count fits its widest value, the name takes the rest of the width.
    setItemDelegate(new ElidedTipDelegate(this));
    FitColumns(horizontalHeader(), 0);
    header()->setSectionsMovable(false);
    SetSortable(true);
    FitRowHeight();

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit rowChosen(index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
    // The selection, not the current row: a list that only takes the focus
    // marks a current row without selecting it, and shows no detail.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int row = SelectedRow();
        if (row >= 0)
            emit rowChosen(row);
    });
}

void NameCountListWidget::FitRowHeight() {
    // What a row of text needs, known before the rows come: a change once
    // they are there resizes them one by one.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    verticalHeader()->setDefaultSectionSize(std::max(1, size.height()));
}

void NameCountListWidget::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FitRowHeight();
}

QModelIndex NameCountListWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last row, as in the other lists.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void NameCountListWidget::SetSortable(bool on) {
    header()->setSectionsClickable(on);
    header()->disconnect(this);
    if (on)
        connect(header(), &QHeaderView::sectionClicked, this,
                [this](int c) { model_->ClickColumn(c); });
}

void NameCountListWidget::SetCountColumnShown(bool on) {
    setColumnHidden(1, !on);
    horizontalHeader()->setVisible(on);
}

int NameCountListWidget::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void NameCountListWidget::SelectRow(int row) {
    const QModelIndex index = model_->index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

bool NameCountListWidget::SelectByName(std::string_view name) {
    const int row = model_->FindExact(name);
    if (row < 0)
        return false;
    SelectRow(row);
    setFocus();
    return true;
}

void NameCountListWidget::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    int key = 0;
    if (event->key() == Qt::Key_C)
        key = 'C';
    else if (event->key() == Qt::Key_V)
        key = 'V';
    else if (event->key() == Qt::Key_Insert)
        key = kInsertKey;
    const ListShortcut s = ShortcutFor(key, ctrl, shift);
    if (s == ListShortcut::None) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    const int row = SelectedRow();
    if (row >= 0)
        emit shortcutUsed(s, row);
}

namespace {

// A name without the start that paths and addresses share.
QStringView JumpText(const QString& name) {
    QStringView text(name);
    for (const char* start : {"https://", "http://", "www.", "/"})
        if (text.startsWith(QLatin1String(start), Qt::CaseInsensitive))
            text = text.mid(static_cast<qsizetype>(std::strlen(start)));
    return text;
}

}  // namespace

void NameCountListWidget::keyboardSearch(const QString& search) {
    // Letters typed in quick succession make one search text.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastSearchAt_ > QApplication::keyboardInputInterval())
        searchText_.clear();
    lastSearchAt_ = now;
    searchText_ += search;
    const QAbstractItemModel* shown = QTableView::model();
    const int rows = shown->rowCount();
    if (rows == 0 || searchText_.isEmpty())
        return;
    // One letter again: the next row; more letters: from the current row.
    const int current = std::max(0, currentIndex().row());
    const int first = searchText_.size() == 1 ? current + 1 : current;
    for (int k = 0; k < rows; ++k) {
        const int row = (first + k) % rows;
        const QString name = shown->index(row, 0).data().toString();
        if (JumpText(name).startsWith(searchText_, Qt::CaseInsensitive)) {
            SelectRow(row);
            return;
        }
    }
}

}  // namespace trafikon
