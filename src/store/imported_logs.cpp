// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/imported_logs.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "store/data_store.h"
#include "store/month_file_names.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

std::string NextPath(const std::string& siteDir) {
    return SiteFolderPrefix(siteDir) + std::string(kImportedLogsNextFileName);
}

std::string HashText(std::uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool ReadUnsigned(std::string_view text, std::uint64_t& value, int base = 10) {
    if (text.empty() || text.size() > (base == 16 ? 16u : 20u))
        return false;
    std::uint64_t v = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        if (v > (UINT64_MAX - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base))
            return false;
        v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    value = v;
    return true;
}

bool ParseLine(std::string_view line, ImportedLog& log) {
    std::string_view f[10];
    for (int i = 0; i < 9; ++i) {
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos)
            return false;
        f[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    f[9] = line;
    std::uint64_t compressed = 0, at = 0;
    if (!ReadUnsigned(f[0], log.device) || !ReadUnsigned(f[1], log.inode) ||
        !ReadUnsigned(f[2], log.fileSize) || !ReadUnsigned(f[3], compressed) || compressed > 1 ||
        !ReadUnsigned(f[4], log.headLength) || !ReadUnsigned(f[5], log.headHash, 16) ||
        !ReadUnsigned(f[6], log.offset) || !ReadUnsigned(f[7], log.tailHash, 16) ||
        !ReadUnsigned(f[8], at) || log.headLength > kLogProbeBytes || log.headLength > log.offset)
        return false;
    log.compressed = compressed == 1;
    // A time past the signed range would be written back negative, which no
    // reading takes: the log would be forgotten and taken in again.
    log.importedAt = static_cast<std::int64_t>(std::min<std::uint64_t>(at, INT64_MAX));
    log.path = std::string(f[9]);
    return true;
}

// The path as one field: no tab or line end inside.
std::string PathField(std::string path) {
    for (char& c : path)
        if (c == '\t' || c == '\r' || c == '\n')
            c = '?';
    return path;
}

}  // namespace

std::uint64_t ContentHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string ImportedLogsPath(const std::string& siteDir) {
    return SiteFolderPrefix(siteDir) + std::string(kImportedLogsFileName);
}

std::vector<ImportedLog> ReadImportedLogs(const std::string& siteDir) {
    std::vector<ImportedLog> logs;
    for (const auto& line : ReadTextLinesIfExists(ImportedLogsPath(siteDir))) {
        ImportedLog log;
        if (ParseLine(line, log))
            logs.push_back(std::move(log));
    }
    return logs;
}

void StageImportedLogs(const std::string& siteDir, const std::vector<ImportedLog>& logs) {
    std::size_t first = 0;
    std::vector<std::size_t> order;
    if (logs.size() > kMaxImportedLogs) {  // the oldest go
        order.resize(logs.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&logs](std::size_t a, std::size_t b) {
            return logs[a].importedAt < logs[b].importedAt;
        });
        first = logs.size() - kMaxImportedLogs;
    }
    AtomicFileWriter out(NextPath(siteDir));
    for (std::size_t k = first; k < logs.size(); ++k) {
        const ImportedLog& log = order.empty() ? logs[k] : logs[order[k]];
        out.WriteLine(std::to_string(log.device) + '\t' + std::to_string(log.inode) + '\t' +
                      std::to_string(log.fileSize) + '\t' + (log.compressed ? "1" : "0") + '\t' +
                      std::to_string(log.headLength) + '\t' + HashText(log.headHash) + '\t' +
                      std::to_string(log.offset) + '\t' + HashText(log.tailHash) + '\t' +
                      std::to_string(log.importedAt) + '\t' + PathField(log.path));
    }
    out.Commit();
}

void CommitImportedLogs(const std::string& siteDir) {
    const std::string next = NextPath(siteDir);
    if (::rename(next.c_str(), ImportedLogsPath(siteDir).c_str()) != 0 && errno != ENOENT)
        ThrowErrno(next);
}

void DropStagedImportedLogs(const std::string& siteDir) {
    const std::string next = NextPath(siteDir);
    if (::unlink(next.c_str()) != 0 && errno != ENOENT)
        ThrowErrno(next);
}

}  // namespace trafikon
