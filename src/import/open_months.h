// SPDX-License-Identifier: GPL-3.0-or-later
// The months of one site open for writing during the import of one file. A
// few stay open at once (the least recently used is closed when more are
// needed), so a file that moves back and forth between months costs no
// reopening, and memory stays bounded whatever the number of months. Each
// month is recorded in the site's import journal before its first line.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "import/imported_log_book.h"
#include "import/month_writer.h"
#include "store/import_journal.h"
#include "store/log_format.h"

namespace trafikon {

class OpenMonths {
  public:
    static constexpr std::size_t kMaxOpen = 8;

    // siteDir must outlive the object. At most `maxOpen` months are open at
    // once, each written as `writing` tells.
    explicit OpenMonths(const std::string& siteDir, std::size_t maxOpen = kMaxOpen,
                        const MonthWriting& writing = {})
        : siteDir_(siteDir), journal_(siteDir), maxOpen_(maxOpen), writing_(writing) {}

    // The format the lines of month `key` must have: the month's own when it
    // holds lines, else `lineCodes`, which it then takes. Throws
    // MonthFormatConflict when lines of `lineCodes` cannot enter the month.
    const FieldFormat& MonthFormat(const std::string& key, const FieldFormat& lineCodes, bool w3c,
                                   const std::string& path);

    // The writer of month `key`, opened (and journaled) when needed. Throws IoError.
    MonthWriter& Get(const std::string& key);

    // How many months are open, and closing the least recently used of them.
    std::size_t openCount() const { return open_.size(); }
    void CloseOldest();

    // Whether a line was headed for this site in the file.
    bool touched() const { return !touched_.empty(); }

    // The file was read whole: writes out every month, gives each its format
    // file and drops the journal; the list of imported logs changes with it.
    // Returns the keys that received lines.
    const std::vector<std::string>& Finish(ImportedLogBook& book);

    // The import of the file failed: drops what is buffered and puts every
    // month back as it was. A failure here leaves the journal for the next run.
    void Abandon(ImportedLogBook& book) noexcept;

  private:
    const std::string& siteDir_;
    std::map<std::string, FieldFormat> formats_;  // of the months met in the file
    ImportJournal journal_;
    std::size_t maxOpen_;
    MonthWriting writing_;
    std::vector<std::unique_ptr<MonthWriter>> open_;  // most recently used first
    std::vector<std::string> touched_;
};

}  // namespace trafikon
