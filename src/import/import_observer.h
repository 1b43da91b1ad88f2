// SPDX-License-Identifier: GPL-3.0-or-later
// What an import reports while it runs: the file in hand and its percentage.
// The desktop worker hands these to the add-log dialog; the batch command
// ignores or prints them. Called on the importing thread.
#pragma once

#include <cstddef>
#include <string>

namespace trafikon {

class ImportObserver {
  public:
    virtual ~ImportObserver() = default;
    // The file at `index` of the list (from 0) is being imported.
    virtual void FileStarted(std::size_t index, const std::string& path) = 0;
    // Progress through the file in hand, 0 to 100; called when the value changes.
    virtual void Progress(int percent) = 0;
    // Asked before each file and between batches of lines: true ends the run
    // with RunStopped (store/stop_flag.h), the file in hand put back as a
    // failure would leave it.
    virtual bool StopRequested() { return false; }
};

// An observer that ignores everything.
class SilentImportObserver : public ImportObserver {
  public:
    void FileStarted(std::size_t, const std::string&) override {}
    void Progress(int) override {}
};

}  // namespace trafikon
