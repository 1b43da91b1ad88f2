// SPDX-License-Identifier: GPL-3.0-or-later
// Tells the main window when the store was changed by a writer that has let it
// go: another process's import, analysis or deletion, so that the synthesis
// shows what it stored. Every change of the site folder (a file made, renamed
// or removed) is followed by a wait until the store's write lock is free.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <string>

namespace trafikon {

class StoreWatcher : public QObject {
    Q_OBJECT
  public:
    explicit StoreWatcher(QObject* parent = nullptr);
    void Watch(const std::string& siteDir);

  signals:
    void StoreWritten();

  private:
    void CheckWriter();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::string siteDir_;
};

}  // namespace trafikon
