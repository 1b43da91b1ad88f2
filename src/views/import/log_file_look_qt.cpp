// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/log_file_look_qt.h"

namespace trafikon {

LogFileReading::~LogFileReading() {
    for (LogFileLookThread* reader : owner_->findChildren<LogFileLookThread*>()) {
        reader->RequestStop();
        reader->wait();  // a few megabytes at most are left to read
    }
}

std::optional<std::vector<LogFileLook>> LogFileReading::Read(std::vector<std::string> paths,
                                                             const FieldFormat& codes) {
    auto* reader = new LogFileLookThread(std::move(paths), codes, owner_);
    QEventLoop loop;
    QObject::connect(reader, &QThread::finished, &loop, &QEventLoop::quit);
    reader_ = reader;
    loop_ = &loop;
    reader->start();
    loop.exec();
    loop_ = nullptr;
    reader_ = nullptr;
    if (reader->stopRequested() && !reader->isFinished()) {
        // Stopped in the middle of a file: the worker ends on its own.
        QObject::connect(reader, &QThread::finished, reader, &QObject::deleteLater);
        return std::nullopt;
    }
    reader->wait();
    std::optional<std::vector<LogFileLook>> looks;
    if (!reader->stopRequested())
        looks = reader->looks();
    delete reader;
    return looks;
}

void LogFileReading::Stop() {
    if (reader_)
        reader_->RequestStop();
    if (loop_)
        loop_->quit();
}

}  // namespace trafikon
