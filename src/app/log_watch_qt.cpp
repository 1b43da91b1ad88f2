// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/log_watch_qt.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "import/watched_logs.h"
#include "state/app_state.h"
#include "state/site_settings.h"
#include "views/import/import_thread_qt.h"

namespace trafikon {

LogWatch::LogWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(2000);
    check_.setInterval(60 * 1000);
    connect(&settle_, &QTimer::timeout, this, &LogWatch::Round);
    connect(&check_, &QTimer::timeout, this, &LogWatch::Round);
    connect(&files_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&files_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
}

LogWatch::~LogWatch() {
    if (worker_) {
        worker_->RequestStop();
        worker_->wait();
    }
}

void LogWatch::Watch(const std::string& siteDir) {
    siteDir_ = siteDir;
    FollowFiles();
    try {
        if (ReadWatchedPatterns(siteDir_).empty()) {
            check_.stop();
            return;
        }
    } catch (const IoError&) {  // told by the round
    }
    check_.start();  // also for logs still to come
    settle_.start();
}

// The watched files and their folders (where rotation makes new ones), and
// the folders of the patterns, where the first log may appear.
void LogWatch::FollowFiles() {
    if (!files_.files().isEmpty())
        files_.removePaths(files_.files());
    if (!files_.directories().isEmpty())
        files_.removePaths(files_.directories());
    QStringList paths;
    std::vector<std::string> patterns;
    try {
        patterns = ReadWatchedPatterns(siteDir_);
    } catch (const IoError&) {
        return;
    }
    for (const auto& pattern : patterns) {
        const QFileInfo info(QFile::decodeName(pattern.c_str()));
        const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
        if (QFileInfo(folder).isDir())
            paths << folder;
    }
    for (const auto& file : WatchedFiles(patterns)) {
        const QString path = QFile::decodeName(file.c_str());
        paths << path << QFileInfo(path).absolutePath();
    }
    paths.removeDuplicates();
    if (!paths.isEmpty())
        files_.addPaths(paths);
}

void LogWatch::Round() {
    if (worker_ || siteDir_.empty())
        return;
    if (App().analysisRunning) {  // its lines wait for the end of the analysis
        settle_.start();
        return;
    }
    std::vector<std::string> leftOut;
    std::vector<LogToImport> logs;
    try {
        FollowFiles();
        lock_ = std::make_unique<WatchLock>(siteDir_);
        logs = WatchedLogsToImport(siteDir_, leftOut);
    } catch (const WatchBusy&) {
        return;  // another process takes the lines in
    } catch (const IoError& error) {
        lock_.reset();
        Tell(QString::fromLocal8Bit(error.what()));
        return;
    }
    if (logs.empty()) {
        lock_.reset();
        return;
    }
    worker_ = new TMyThread(siteDir_, std::move(logs), this);
    // A virtual-host log files its lines into the sites of its hosts, as an import does.
    worker_->SetRouting(RoutingMakingSites(App().programDir, siteDir_, VhostFold{}));
    connect(worker_, &QThread::finished, this, &LogWatch::RoundEnded);
    worker_->start();
}

void LogWatch::Tell(const QString& failure) {
    if (!failure.isEmpty() && failure != lastFailure_)
        emit Failed(failure);
    lastFailure_ = failure;
}

void LogWatch::RoundEnded() {
    worker_->wait();
    const bool stored = !worker_->months().empty() || !worker_->otherSites().empty();
    otherSites_ = worker_->otherSites();
    sitesMade_ = !worker_->newSites().empty();
    const QString failure = worker_->failure();
    worker_->deleteLater();
    worker_ = nullptr;
    lock_.reset();
    Tell(failure);
    if (stored)
        emit LinesImported();
}

}  // namespace trafikon
