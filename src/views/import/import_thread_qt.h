// SPDX-License-Identifier: GPL-3.0-or-later
// The import worker: runs ImportLogs over the chosen files on its own thread
// and reports, through queued signals, the file in hand, the percentage, a
// failure and the end result. It never touches a widget.
#pragma once

#include <QString>
#include <QThread>
#include <optional>
#include <string>
#include <vector>

#include "import/import_logs.h"
#include "import/vhost_sites.h"
#include "store/log_format.h"
#include "store/stop_flag.h"

namespace trafikon {

class TMyThread : public QThread {
    Q_OBJECT
  public:
    TMyThread(std::string siteDir, std::vector<std::string> files, FieldFormat format,
              QObject* parent = nullptr);
    // Each file with its own format.
    TMyThread(std::string siteDir, std::vector<LogToImport> files, QObject* parent = nullptr);
    // Before the start: the lines of virtual-host logs go to their sites.
    void SetRouting(VhostRouting routing) { routing_ = std::move(routing); }

    // After the run: lines whose date could not be read (stored with a
    // neighbour month), lines left out (no readable date in their file).
    long long damagedLines() const { return damagedLines_; }
    long long unfiledLines() const { return unfiledLines_; }
    // After the run: what each file imported gave.
    const std::vector<FileImportResult>& fileResults() const { return fileResults_; }
    // After the run: the failure text (file and reason), or empty.
    const QString& failure() const { return failure_; }
    // After the run: it ended early at RequestStop.
    bool stopped() const { return stopped_; }

    // Asks the run to end at its next batch of lines; the file in hand is put
    // back as it was, the files imported whole before stay stored.
    void RequestStop() { stop_.Request(); }
    bool stopRequested() const { return stop_.Requested(); }
    // After the run: the files left out, their format not matching a month
    // they would enter, or their compressed data damaged.
    const std::vector<RefusedFile>& refused() const { return refused_; }
    const std::vector<DamagedFile>& damaged() const { return damaged_; }
    // After the run: the months that received lines.
    const std::vector<std::string>& months() const { return months_; }
    // After a run with routing: the other sites that received lines, the
    // sites made for new hosts, the lines of new hosts past the limit of
    // sites one run makes (filed into the aimed site).
    const std::vector<int>& otherSites() const { return otherSites_; }
    const std::vector<NewSite>& newSites() const { return newSites_; }
    long long linesPastSiteLimit() const { return linesPastSiteLimit_; }

  signals:
    void FileInHand(int index);
    void Progress(int percent);

  protected:
    void run() override;

  private:
    std::string siteDir_;
    std::vector<LogToImport> files_;
    std::optional<VhostRouting> routing_;
    long long damagedLines_ = 0;
    long long unfiledLines_ = 0;
    std::vector<FileImportResult> fileResults_;
    QString failure_;
    bool stopped_ = false;
    StopFlag stop_;
    std::vector<RefusedFile> refused_;
    std::vector<DamagedFile> damaged_;
    std::vector<std::string> months_;
    std::vector<int> otherSites_;
    std::vector<NewSite> newSites_;
    long long linesPastSiteLimit_ = 0;
};

}  // namespace trafikon
