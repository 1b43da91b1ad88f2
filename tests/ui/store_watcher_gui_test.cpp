// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/store_watcher_qt.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "store/store_lock.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

// Another process's import shows in the synthesis once it let the store go.
TEST(StoreWatcherTest, AChangeIsReportedOnceTheWriterLetGo) {
    testing::TempDir dir;
    const std::string site = dir.path() + "/";
    StoreWatcher watcher;
    watcher.Watch(site);
    QSignalSpy written(&watcher, &StoreWatcher::StoreWritten);
    {
        const StoreWriteLock otherImport(site);
        testing::WriteRaw(site + "log-2004-05.log", "line\r\n");
        EXPECT_FALSE(written.wait(1200));  // still being written
    }
    EXPECT_TRUE(written.wait(3000));
    EXPECT_EQ(written.count(), 1);
}

}  // namespace
}  // namespace trafikon
