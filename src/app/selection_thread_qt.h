// SPDX-License-Identifier: GPL-3.0-or-later
// The run of one selection on its own thread, so that a large store keeps the
// window alive: the share read goes out as a signal, a stop request ends the
// run within one batch of lines, and the result or the failure waits for the
// caller once the thread has finished.
#pragma once

#include <QString>
#include <QThread>
#include <string>

#include "engine/select_lines.h"
#include "store/stop_flag.h"

namespace trafikon {

class SelectionThread : public QThread {
    Q_OBJECT
  public:
    SelectionThread(std::string siteDir, Selection selection, std::string folder,
                    std::string siteUrl, std::string countryDatabase, QObject* parent = nullptr);

    void RequestStop() { stop_.Request(); }
    bool stopRequested() const { return stop_.Requested(); }

    // Once finished: what the run gave, or the reason it failed (empty when
    // it did not).
    const SelectionResult& result() const { return result_; }
    const QString& failure() const { return failure_; }

  signals:
    void Progress(int percent);

  protected:
    void run() override;

  private:
    std::string siteDir_;
    Selection selection_;
    std::string folder_;
    std::string siteUrl_;
    std::string countryDatabase_;
    SelectionResult result_;
    QString failure_;
    StopFlag stop_;
};

}  // namespace trafikon
