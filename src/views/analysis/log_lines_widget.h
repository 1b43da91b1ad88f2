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
    // `logMissing`: the stored log itself is gone, so every line is missing.
    void SetLines(std::vector<ExtractedLine> lines, bool logMissing = false);
    void Clear() { SetLines({}); }
    const std::vector<ExtractedLine>& lines() const { return lines_; }
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

  private:
    std::vector<ExtractedLine> lines_;
    QString captions_[2];
    QString beyondEndText_;
    QString logMissingText_;
    bool logMissing_ = false;
};

class LogLinesView : public QTreeView {
    Q_OBJECT
  public:
    explicit LogLinesView(LogLinesModel* model, QWidget* parent = nullptr);
    int SelectedRow() const;
    // Shows the first rows from their first character (a new detail).
    void ShowFromTopLeft();
    // Ctrl+C / Ctrl+Insert hands the selected row's line number to this.
    std::function<void(const std::string&)> onCopy;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LogLinesModel* model_;
};

}  // namespace trafikon
