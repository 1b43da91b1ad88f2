// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's watch of the site's watched logs: a change the file
// system tells of (QFileSystemWatcher), or the check every minute for file
// systems that tell nothing (network, overlay), starts a round that imports
// the new complete lines of the logs on a worker thread. A round waits while
// an analysis runs, and is skipped while another process watches the site.
// A virtual-host log files each line into the site of its host, the watched
// site being the aimed one, with the usual folding (port and "www.").
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

namespace trafikon {

class TMyThread;
class WatchLock;

class LogWatch : public QObject {
    Q_OBJECT
  public:
    explicit LogWatch(QObject* parent = nullptr);
    ~LogWatch() override;

    // Watches the logs of the patterns of `siteDir` (none: nothing), and
    // takes in what they hold now.
    void Watch(const std::string& siteDir);
    bool importing() const { return worker_ != nullptr; }
    // Of the last round: the other sites that received lines of a
    // virtual-host log, and whether it made sites for new hosts.
    const std::vector<int>& otherSites() const { return otherSites_; }
    bool sitesMade() const { return sitesMade_; }

  signals:
    // A round stored lines.
    void LinesImported();
    // A round failed: the text names the file and the reason. Told once
    // while the same failure repeats.
    void Failed(const QString& text);

  private:
    void Round();
    void RoundEnded();
    void FollowFiles();
    void Tell(const QString& failure);  // empty: the round went well

    std::string siteDir_;
    QFileSystemWatcher files_;
    QTimer settle_;  // a moment after a change, for the writer to finish its line
    QTimer check_;
    TMyThread* worker_ = nullptr;
    std::unique_ptr<WatchLock> lock_;
    QString lastFailure_;
    std::vector<int> otherSites_;
    bool sitesMade_ = false;
};

}  // namespace trafikon
