// SPDX-License-Identifier: GPL-3.0-or-later
// The undo record of the file being imported.
//
// Before the first line of a file goes into a month, the journal records what
// that month held: the sizes of its stored log and time file (or that they
// did not exist) and the content of its format file. The journal is removed
// once the file has been imported whole. If the import fails, or the process
// is killed and the journal is found again by the next import, every month
// named in it is put back as it was: its files are cut back to their recorded
// sizes (so only whole lines of earlier imports remain and the time file stays
// in step), files the import created are removed, and the format file is
// restored. Lines are only ever appended, so what a month held before the
// import is never touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace trafikon {

class ImportJournal {
  public:
    explicit ImportJournal(std::string siteDir);

    // Records the state of month `key` before this import writes into it.
    // Creates the journal file on the first record. Throws IoError.
    void RecordMonth(const std::string& key);
    // The file was imported whole: the journal goes.
    void Commit();
    // Puts back every recorded month and removes the journal. Throws IoError
    // (the journal then stays for the next attempt).
    void RollBack();

    bool active() const { return fd_ >= 0; }

  private:
    std::string siteDir_;
    std::string path_;
    int fd_ = -1;
};

// Puts back the months of an import that was interrupted (a journal left in
// `siteDir`). Returns true when there was one. Throws IoError.
// Only under the store's write lock (store_lock.h): a journal found then was
// left by a writer that is gone, never by one still running.
bool RecoverInterruptedImport(const std::string& siteDir);

// What killed writers left: puts back an interrupted import, removes the
// temporaries of unfinished writes. Under the store's write lock. Throws IoError.
void TidyLeftovers(const std::string& siteDir);

}  // namespace trafikon
