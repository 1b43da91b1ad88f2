// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the files picked in the add-log dialog (LookAtLogFiles) on a worker
// thread while the dialog's own event loop goes on, so that the dialog stays
// drawn and its Cancel button can stop the reading.
#pragma once

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <optional>
#include <string>
#include <vector>

#include "import/log_file_look.h"
#include "store/log_format.h"
#include "store/stop_flag.h"

namespace trafikon {

class LogFileLookThread : public QThread {
    Q_OBJECT
  public:
    LogFileLookThread(std::vector<std::string> paths, FieldFormat codes, QObject* parent)
        : QThread(parent), paths_(std::move(paths)), codes_(std::move(codes)) {}

    void RequestStop() { stop_.Request(); }
    bool stopRequested() const { return stop_.Requested(); }
    // After the run.
    const std::vector<LogFileLook>& looks() const { return looks_; }

  protected:
    void run() override { looks_ = LookAtLogFiles(paths_, codes_, stop_); }

  private:
    std::vector<std::string> paths_;
    FieldFormat codes_;
    StopFlag stop_;
    std::vector<LogFileLook> looks_;
};

class LogFileReading {
  public:
    // `owner` keeps the workers; its destruction waits for one still reading.
    explicit LogFileReading(QObject* owner) : owner_(owner) {}
    ~LogFileReading();
    LogFileReading(const LogFileReading&) = delete;
    LogFileReading& operator=(const LogFileReading&) = delete;

    // Reads `paths` (local file names) oldest first by `codes`; returns once
    // read, or with nothing at Stop. Events go on meanwhile.
    std::optional<std::vector<LogFileLook>> Read(std::vector<std::string> paths,
                                                 const FieldFormat& codes);
    void Stop();
    bool active() const { return loop_ != nullptr; }

  private:
    QObject* owner_;
    QPointer<LogFileLookThread> reader_;
    QEventLoop* loop_ = nullptr;
};

}  // namespace trafikon
