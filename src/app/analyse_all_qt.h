// SPDX-License-Identifier: GPL-3.0-or-later
// The analyse-all worker: runs the analysis of the stored months, oldest first,
// on its own thread. It never touches a window: what it shows goes out as
// signals, queued to the interface thread, and the malformed-line question is a
// blocking signal that waits for the user's answer.
#pragma once

#include <QString>
#include <QThread>
#include <string>
#include <vector>

#include "engine/analysis_observer.h"
#include "store/stop_flag.h"

namespace trafikon {

class TMyAllThread : public QThread {
    Q_OBJECT
  public:
    // `months` is a copy of the stored months taken when the command runs;
    // `allMonths` analyses every month, otherwise only months not yet analysed
    // or whose stored log changed since. `countryDatabase`: as for AnalyseLog.
    TMyAllThread(std::string siteDir, std::vector<std::string> months, bool allMonths,
                 std::string siteUrl, QObject* parent = nullptr, std::string countryDatabase = {});

    // Months analysed so far (for the caller's information once the run ended).
    const std::vector<std::string>& analysedMonths() const { return analysed_; }

    // Asks the run to end within one batch of lines: the month in hand keeps
    // its previous files, the next months are left for a later run; no
    // question is asked any more.
    void RequestStop() { stop_.Request(); }
    bool stopRequested() const { return stop_.Requested(); }

  signals:
    // A month is in hand (analysed or skipped): the title names it.
    void MonthInHand(const QString& key);
    void Progress(int percent);
    // A month's analysis ended and wrote its files: the synthesis may be refreshed.
    void MonthEnded(const QString& key);
    // A month's analysis was cancelled at a malformed line.
    void MonthCancelled(const QString& key);
    // A month's analysis failed (the text names the file and the reason, or the
    // month and the fault); the worker goes on with the next month.
    void Failure(const QString& text);
    // The malformed-line question (`lineNumber` from 0, the index of the line in
    // the stored log, as the log-line panel numbers it; the line as stored);
    // connect with Qt::BlockingQueuedConnection. The receiver sets *answer
    // (Cancel when it leaves it).
    void AskIgnoreLine(qint64 lineNumber, const QString& line,
                       trafikon::MalformedLineAnswer* answer);
    // A month's analysis completed after dropping `count` malformed lines.
    void LinesIgnored(const QString& key, qint64 count);

  protected:
    void run() override;

  private:
    std::string siteDir_;
    std::vector<std::string> months_;
    bool allMonths_;
    std::string siteUrl_;
    std::string countryDatabase_;
    std::vector<std::string> analysed_;
    StopFlag stop_;
    int monthsAtOnce_;
};

}  // namespace trafikon
