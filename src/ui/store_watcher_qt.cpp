// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/store_watcher_qt.h"

#include <QFile>

#include "store/store_lock.h"

namespace trafikon {

namespace {
constexpr int kSettleMs = 400;  // changes come in bursts: one look after the last
}

StoreWatcher::StoreWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &StoreWatcher::CheckWriter);
}

void StoreWatcher::Watch(const std::string& siteDir) {
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    siteDir_ = siteDir;
    watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(siteDir)));
}

void StoreWatcher::CheckWriter() {
    if (IsStoreBeingWritten(siteDir_))
        settle_.start();  // look again once it may be done
    else
        emit StoreWritten();
}

}  // namespace trafikon
