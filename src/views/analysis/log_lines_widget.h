// SPDX-License-Identifier: GPL-3.0-or-later
// The log-line panel under the tabs of the analysis window: one row per
// stored-log line of the detail on screen, its number and the whole line.
//
// A detail may name millions of lines, so nothing here holds one entry per
// row: the model reads the lines it is asked for through LogLineRows, and the
// view lays out rows of one height by arithmetic (a tree or table view keeps
// tens of bytes per row).
#pragma once

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <string>

#include "views/analysis/log_line_rows.h"

class QHeaderView;
class QTimer;

namespace trafikon {

class LogLinesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit LogLinesModel(QObject* parent = nullptr);

    void SetCaptions(const QString& number, const QString& line);
    // The rows of `ids`, read through `index` (null: the log cannot be read).
    // `logMissing`: the stored log itself is gone, so every line is missing.
    void SetLines(CompactIdList ids, LineNumbering numbering, const LogLineIndex* index,
                  bool logMissing = false);
    void Clear() { SetLines({}, LineNumbering::Index, nullptr); }
    // The `rows` rows of the id list `reader` reads: the first of them now, the
    // rest a slice at a time from the event loop, so that a detail of millions
    // of lines shows at once and the window keeps answering. `done` runs once
    // all are read (not when other lines replace them first), with the
    // reader's error when the list's file went wrong on the way (the rows not
    // read are then dropped), else empty.
    void StartLines(std::unique_ptr<IdListReader> reader, std::size_t rows, LineNumbering numbering,
                    const LogLineIndex* index, bool logMissing,
                    std::function<void(const std::string& error)> done);
    bool reading() const { return reader_ != nullptr; }
    LogLineRows& rows() const { return rows_; }
    ExtractedLine line(int row) const { return rows_.Line(static_cast<std::size_t>(row)); }
    // Shown in place of the text of a missing line: one beyond the end of the
    // stored log, or any line when the stored log is gone.
    void SetMissingTexts(const QString& beyondEnd, const QString& logMissing) {
        beyondEndText_ = beyondEnd;
        logMissingText_ = logMissing;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // More rows got their line numbers (they showed empty until then).
    void rowsRead();

  private:
    bool ReadMore();            // false once the list is read
    mutable LogLineRows rows_;  // reading a row fills its cache
    std::unique_ptr<IdListReader> reader_;
    std::function<void(const std::string& error)> done_;
    QTimer* more_;
    QString captions_[2];
    QString beyondEndText_;
    QString logMissingText_;
    bool logMissing_ = false;
};

class LogLinesView : public QAbstractItemView {
    Q_OBJECT
  public:
    explicit LogLinesView(LogLinesModel* model, QWidget* parent = nullptr);
    int SelectedRow() const;
    QHeaderView* header() const { return header_; }
    // Shows the first rows from their first character (a new detail).
    void ShowFromTopLeft();
    // Ctrl+C / Ctrl+Insert hands the selected row's line number to this.
    std::function<void(const std::string&)> onCopy;

    // QAbstractItemView
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    // Widths fit the rows on screen and those read lately, never every row.
    int sizeHintForColumn(int column) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

  private:
    int rowHeight() const;
    int visibleRows() const;  // rows the viewport shows whole (at least 1)
    int FirstRow() const;
    void FitColumns();

    LogLinesModel* model_;
    QHeaderView* header_;
    int rowHeight_ = 0;
    mutable int widest_[2] = {0, 0};  // widest cell met in this detail, by column
};

}  // namespace trafikon
