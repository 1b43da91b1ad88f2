// The log-line panel under the tabs of the analysis window: one row per
// stored-log line of the detail on screen, its number and the whole line.
#pragma once

#include <QAbstractTableModel>
#include <QTreeView>
#include <functional>
#include <string>
#include <vector>

#include "views/analysis/log_line_index.h"

namespace trafikon {

class LogLinesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit LogLinesModel(QObject* parent = nullptr);

    void SetCaptions(const QString& number, const QString& line);
    void SetLines(std::vector<ExtractedLine> lines);
    void Clear() { SetLines({}); }
    const std::vector<ExtractedLine>& lines() const { return lines_; }
    // Shown in place of the text of a line beyond the end of the stored log.
    void SetMissingText(const QString& text) { missingText_ = text; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<ExtractedLine> lines_;
    QString captions_[2];
    QString missingText_;
};

class LogLinesView : public QTreeView {
    Q_OBJECT
  public:
    explicit LogLinesView(LogLinesModel* model, QWidget* parent = nullptr);
    int SelectedRow() const;
    // Ctrl+C / Ctrl+Insert hands the selected row's line number to this.
    std::function<void(const std::string&)> onCopy;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LogLinesModel* model_;
};

}  // namespace trafikon
