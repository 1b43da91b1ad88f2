// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/month_format_guard.h"

#include <sys/stat.h>

#include "import/format_detection.h"
#include "store/log_line_splitter.h"
#include "store/month_file_names.h"

namespace trafikon {

FieldFormat StoredMonthFormat(const std::string& siteDir, const std::string& key) {
    struct stat st;
    if (::stat(StoredLogPath(siteDir, key).c_str(), &st) != 0 || st.st_size == 0)
        return {};
    return ReadFormatFileIfExists(MonthFormatPath(siteDir, key));
}

bool CanRewriteFields(std::string_view lineCodes, std::string_view monthCodes) {
    for (char code : {'t', 'd', 'H'})
        if (monthCodes.find(code) != std::string_view::npos &&
            lineCodes.find(code) == std::string_view::npos)
            return false;
    return true;
}

void RewriteFields(std::string_view line, std::string_view lineCodes, std::string_view monthCodes,
                   std::string& out) {
    std::string work(line);
    work.push_back(' ');
    std::size_t pos = 0;
    std::string_view values[256];
    for (char code : lineCodes) {
        if (pos >= work.size())
            break;
        const std::string_view value = LogLineSplitter::TakeField(work, pos, code);
        if (code != 'N')
            values[static_cast<unsigned char>(code)] = value;
    }
    out.clear();
    char previous = '\0';
    for (char code : monthCodes) {
        if (!out.empty())
            out.push_back(' ');
        std::string_view value =
            code == 'N' ? std::string_view() : values[static_cast<unsigned char>(code)];
        // Splitting skips what follows a request up to a field that begins
        // with '-' or a digit (the status): any other value there would be lost
        // with the fields after it.
        if (previous == 'r' && !value.empty() && value.front() != '-' &&
            (value.front() < '0' || value.front() > '9'))
            value = {};
        previous = code;
        if (value.empty()) {
            out.push_back('-');
            continue;
        }
        // A value that begins with a quote or a bracket is quoted, so that
        // splitting the rewritten line takes it whole (its blanks are gone, so
        // its closing quote is the only one followed by a blank).
        const bool quote = value.front() == '"' || value.front() == '[';
        if (quote)
            out.push_back('"');
        for (char c : value)
            out.push_back(c == ' ' ? '+' : c);
        if (quote)
            out.push_back('"');
    }
}

MonthFormatConflict::MonthFormatConflict(std::string path_, std::string month_,
                                         FieldFormat monthCodes_, FieldFormat fileCodes_)
    : std::runtime_error(path_ + ": month " + month_ + " is stored as \"" +
                         SpacedCodes(monthCodes_) + "\", the file is \"" + SpacedCodes(fileCodes_) +
                         "\""),
      path(std::move(path_)),
      month(std::move(month_)),
      monthCodes(std::move(monthCodes_)),
      fileCodes(std::move(fileCodes_)) {}

}  // namespace trafikon
