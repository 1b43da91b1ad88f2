#include "views/analysis/log_lines_widget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "shell/text_convert_qt.h"
#include "views/analysis/list_shortcuts.h"

namespace trafikon {

LogLinesModel::LogLinesModel(QObject* parent) : QAbstractTableModel(parent) {}

void LogLinesModel::SetCaptions(const QString& number, const QString& line) {
    captions_[0] = number;
    captions_[1] = line;
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

void LogLinesModel::SetLines(std::vector<ExtractedLine> lines, bool logMissing) {
    beginResetModel();
    lines_ = std::move(lines);
    logMissing_ = logMissing;
    endResetModel();
}

int LogLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int LogLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant LogLinesModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= lines_.size())
        return {};
    const ExtractedLine& l = lines_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return QString::number(l.number);
        if (l.missing)
            return logMissing_ ? logMissingText_ : beyondEndText_;
        return FromCp1252(l.text);
    }
    if (role == Qt::ForegroundRole && l.missing)
        return QColor(Qt::red);
    return {};
}

QVariant LogLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
        return captions_[section];
    return {};
}

LogLinesView::LogLinesView(LogLinesModel* model, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setModel(model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The number fits its widest value; the line takes its whole length, so
    // the panel scrolls sideways through long lines.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void LogLinesView::ShowFromTopLeft() {
    scrollToTop();
    horizontalScrollBar()->setValue(0);
}

int LogLinesView::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
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
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();  // Ctrl+V opens nothing here
    const int row = SelectedRow();
    if (s == ListShortcut::Copy && row >= 0 && onCopy)
        onCopy(std::to_string(model_->lines()[static_cast<std::size_t>(row)].number));
}

}  // namespace trafikon
