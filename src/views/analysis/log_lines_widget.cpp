// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_lines_widget.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "ui/text_convert_qt.h"
#include "views/analysis/list_shortcuts.h"

namespace trafikon {

namespace {

// Bytes of id list read at a time, and how long the event loop is kept at most.
constexpr std::size_t kIdBytesPerRead = 256 * 1024;
constexpr int kSliceMs = 15;

}  // namespace

LogLinesModel::LogLinesModel(QObject* parent)
    : QAbstractTableModel(parent), more_(new QTimer(this)) {
    more_->setInterval(0);
    connect(more_, &QTimer::timeout, this, [this] {
        if (ReadMore())
            return;
        more_->stop();
        const std::string error = reader_->error();
        reader_.reset();
        if (auto done = std::move(done_))
            done(error);
    });
}

void LogLinesModel::SetCaptions(const QString& number, const QString& line) {
    captions_[0] = number;
    captions_[1] = line;
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

void LogLinesModel::SetLines(CompactIdList ids, LineNumbering numbering, const LogLineIndex* index,
                             bool logMissing) {
    more_->stop();
    reader_.reset();
    done_ = nullptr;
    beginResetModel();
    rows_.Assign(std::move(ids), numbering, index);
    logMissing_ = logMissing;
    endResetModel();
}

void LogLinesModel::StartLines(std::unique_ptr<IdListReader> reader, std::size_t rows,
                               LineNumbering numbering, const LogLineIndex* index, bool logMissing,
                               std::function<void(const std::string& error)> done) {
    SetLines({}, numbering, index, logMissing);
    beginResetModel();
    rows_.Assign({}, numbering, index, rows);
    endResetModel();
    reader_ = std::move(reader);
    done_ = std::move(done);
    std::string_view piece;
    if (reader_->Next(piece, kIdBytesPerRead))  // the first rows, at once
        rows_.Append(piece);
    more_->start();
}

bool LogLinesModel::ReadMore() {
    QElapsedTimer slice;
    slice.start();
    const std::size_t from = rows_.ids().size();
    std::string_view piece;
    bool more = true;
    while (more && slice.elapsed() < kSliceMs) {
        more = reader_->Next(piece, kIdBytesPerRead);
        if (more)
            rows_.Append(piece);
    }
    const std::size_t ready = rows_.ids().size();
    if (!more && ready < rows_.size()) {  // the list ended early: its file went wrong
        beginRemoveRows({}, static_cast<int>(ready), static_cast<int>(rows_.size()) - 1);
        rows_.Finish();
        endRemoveRows();
    } else if (!more) {
        rows_.Finish();
    }
    // Not dataChanged over the rows read: views spend long on a range of
    // millions, and only the rows on screen need painting again.
    if (ready > from)
        emit rowsRead();
    return more;
}

int LogLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LogLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant LogLinesModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= rows_.size())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (!rows_.Ready(row))
        return {};  // its number is still being read
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return QString::number(rows_.Number(row));
        const std::string* text = rows_.Text(row);
        if (!text)
            return logMissing_ ? logMissingText_ : beyondEndText_;
        return DisplayText(*text);
    }
    if (role == Qt::ForegroundRole && !rows_.Text(row))
        return QColor(Qt::red);
    return {};
}

QVariant LogLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
        return captions_[section];
    return {};
}

LogLinesView::LogLinesView(LogLinesModel* model, QWidget* parent)
    : QAbstractItemView(parent), model_(model), header_(new QHeaderView(Qt::Horizontal, this)) {
    setModel(model);
    header_->setModel(model);
    header_->setSectionsClickable(false);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setStretchLastSection(false);
    // The number fits its widest value; the line takes its whole length, so
    // the panel scrolls sideways through long lines. Both are fitted here.
    header_->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        widest_[0] = widest_[1] = 0;
        FitColumns();
    });
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this] { FitColumns(); });
    connect(model, &LogLinesModel::rowsRead, this, [this] {
        FitColumns();
        viewport()->update();
    });
}

int LogLinesView::rowHeight() const {
    return rowHeight_ > 0 ? rowHeight_ : fontMetrics().height() + 2;
}

int LogLinesView::visibleRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

int LogLinesView::FirstRow() const {
    return verticalScrollBar()->value();
}

void LogLinesView::FitColumns() {
    for (int c = 0; c < 2; ++c) {
        const int width = std::max(sizeHintForColumn(c), header_->sectionSizeHint(c));
        if (width != header_->sectionSize(c))
            header_->resizeSection(c, width);
    }
}

int LogLinesView::sizeHintForColumn(int column) const {
    if (column < 0 || column > 1)
        return 0;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int& widest = widest_[column];
    const int rows = model_->rowCount();
    const int last = std::min(rows, FirstRow() + visibleRows() + 1);
    for (int r = FirstRow(); r < last; ++r) {
        const QModelIndex index = model_->index(r, column);
        widest = std::max(widest, itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    return widest;
}

void LogLinesView::ShowFromTopLeft() {
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

int LogLinesView::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QRect LogLinesView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model_)
        return {};
    return QRect(header_->sectionViewportPosition(index.column()),
                 (index.row() - FirstRow()) * rowHeight(), header_->sectionSize(index.column()),
                 rowHeight());
}

void LogLinesView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = FirstRow();
    const int shown = visibleRows();
    if (hint == PositionAtTop || (hint == EnsureVisible && row < first))
        verticalScrollBar()->setValue(row);
    else if (hint == PositionAtBottom || (hint == EnsureVisible && row >= first + shown))
        verticalScrollBar()->setValue(row - shown + 1);
    else if (hint == PositionAtCenter)
        verticalScrollBar()->setValue(row - shown / 2);
}

QModelIndex LogLinesView::indexAt(const QPoint& point) const {
    if (point.y() < 0)
        return {};
    const int row = FirstRow() + point.y() / rowHeight();
    const int column = header_->logicalIndexAt(point.x());
    if (row >= model_->rowCount() || column < 0)
        return {};
    return model_->index(row, column);
}

QModelIndex LogLinesView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int rows = model_->rowCount();
    if (rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : -1;
    switch (action) {
        case MoveUp:
        case MovePrevious:
            row = row - 1;
            break;
        case MoveDown:
        case MoveNext:
            row = row + 1;
            break;
        case MovePageUp:
            row = row - visibleRows();
            break;
        case MovePageDown:
            row = row + visibleRows();
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = rows - 1;
            break;
        case MoveLeft:
        case MoveRight: {
            QScrollBar* bar = horizontalScrollBar();
            bar->setValue(bar->value() + (action == MoveLeft ? -1 : 1) * bar->singleStep());
            return current;
        }
    }
    return model_->index(std::clamp(row, 0, rows - 1), 0);
}

int LogLinesView::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int LogLinesView::verticalOffset() const {
    return FirstRow() * rowHeight();
}

bool LogLinesView::isIndexHidden(const QModelIndex&) const {
    return false;
}

void LogLinesView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    const int rows = model_->rowCount();
    const QRect r = rect.normalized();
    const int top = FirstRow() + std::max(0, r.top()) / rowHeight();
    const int bottom = std::min(rows - 1, FirstRow() + std::max(0, r.bottom()) / rowHeight());
    if (rows == 0 || top > bottom)
        return;
    selectionModel()->select(QItemSelection(model_->index(top, 0), model_->index(bottom, 1)),
                             flags);
}

QRegion LogLinesView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), FirstRow());
        const int bottom = std::min(range.bottom(), FirstRow() + visibleRows());
        if (top <= bottom)
            region += QRect(0, (top - FirstRow()) * rowHeight(), viewport()->width(),
                            (bottom - top + 1) * rowHeight());
    }
    return region;
}

void LogLinesView::updateGeometries() {
    const int headerHeight = header_->isHidden() ? 0 : header_->sizeHint().height();
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);
    const int rows = model_->rowCount();
    if (rows > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = model_->index(0, 0);
        rowHeight_ = std::max(1, itemDelegateForIndex(first)->sizeHint(option, first).height());
    }
    QScrollBar* down = verticalScrollBar();
    down->setRange(0, std::max(0, rows - visibleRows()));
    down->setPageStep(visibleRows());
    down->setSingleStep(1);
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, header_->length() - area.width()));
    across->setPageStep(area.width());
    across->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 3));
    header_->setOffset(across->value());
    QAbstractItemView::updateGeometries();
}

void LogLinesView::resizeEvent(QResizeEvent* event) {
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
    FitColumns();
}

void LogLinesView::scrollContentsBy(int dx, int dy) {
    if (dx)
        header_->setOffset(horizontalScrollBar()->value());
    if (dy)
        FitColumns();
    viewport()->update();
}

void LogLinesView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State base = option.state;
    const int rows = model_->rowCount();
    const int height = rowHeight();
    const QModelIndex current = currentIndex();
    for (int r = FirstRow(), y = 0; r < rows && y < viewport()->height(); ++r, y += height) {
        const bool selected = selectionModel()->isRowSelected(r, QModelIndex());
        for (int c = 0; c < 2; ++c) {
            const QModelIndex index = model_->index(r, c);
            option.rect =
                QRect(header_->sectionViewportPosition(c), y, header_->sectionSize(c), height);
            option.state = base;
            if (selected)
                option.state |= QStyle::State_Selected;
            itemDelegateForIndex(index)->paint(&painter, option, index);
        }
        if (hasFocus() && current.isValid() && current.row() == r) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = QRect(-horizontalOffset(), y, header_->length(), height);
            focus.state |= QStyle::State_KeyboardFocusChange;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

void LogLinesView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int key = event->key() == Qt::Key_C        ? 'C'
                    : event->key() == Qt::Key_Insert ? kInsertKey
                    : event->key() == Qt::Key_V      ? 'V'
                                                     : 0;
    const ListShortcut s = ShortcutFor(key, ctrl, shift);
    if (s == ListShortcut::None) {
        QAbstractItemView::keyPressEvent(event);
        return;
    }
    event->accept();  // Ctrl+V opens nothing here
    const int row = SelectedRow();
    if (s == ListShortcut::Copy && row >= 0 && onCopy &&
        model_->rows().Ready(static_cast<std::size_t>(row)))
        onCopy(std::to_string(model_->rows().Number(static_cast<std::size_t>(row))));
}

}  // namespace trafikon
