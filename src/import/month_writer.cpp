// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/month_writer.h"

#include "store/month_file_names.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

void EndLastLine(DirectAppendFile& file) {
    if (file.size() == 0)
        return;
    const char last = file.LastByte();
    if (last != '\n' && last != '\r')
        file.Append("\r\n");
}

}  // namespace

MonthWriter::MonthWriter(std::string key, const std::string& siteDir, const MonthWriting& writing)
    : key_(std::move(key)),
      newMonth_(!FileExists(StoredLogPath(siteDir, key_))),
      log_(StoredLogPath(siteDir, key_), false, writing.bufferBytes, writing.grownBytes,
           writing.direct),
      eur_(StoredTimePath(siteDir, key_), newMonth_, writing.bufferBytes / 8,
           writing.grownBytes / 8, writing.direct) {
    EndLastLine(log_);
    EndLastLine(eur_);
}

void MonthWriter::Close() {
    log_.Close();
    eur_.Close();
}

}  // namespace trafikon
