// SPDX-License-Identifier: GPL-3.0-or-later
// The logs a site has taken in, each known by its content (`imported.tfd` in
// the site folder), so that no line is ever stored twice.
//
// A log is recognised by its content, not by its name: a hash of its first
// bytes (up to 4 KB) and, at the byte offset imported so far, a hash of the
// 4 KB before it. Offsets count content bytes: a compressed log's decompressed
// bytes. A renamed, copied or compressed log is therefore the same log, and a
// grown one continues after its offset. Device, inode and size tell a log
// truncated in place (copy and truncate) from one that grew.
//
// One line a log: device TAB inode TAB size TAB compressed (0/1) TAB head
// length TAB head hash TAB offset TAB tail hash TAB time imported (seconds
// since 1970) TAB path, CR LF. Hashes are 16 hex digits. A line that does not
// read so is ignored. The newest kMaxImportedLogs are kept.
//
// The file changes with the import journal (import_journal.h), file by file:
// its next version is written beside it (`imported.next`) before the journal
// goes, and renamed into place after. A journal found by TidyLeftovers puts
// the months back and drops the next version; without a journal, a next
// version left over is the one that belongs to the store, and is renamed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// Bytes hashed at the head of a log and before its offset.
inline constexpr std::size_t kLogProbeBytes = 4096;
inline constexpr std::size_t kMaxImportedLogs = 20000;

struct ImportedLog {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t fileSize = 0;  // on disk, when it was imported last
    bool compressed = false;
    std::uint64_t headLength = 0;  // min(kLogProbeBytes, offset)
    std::uint64_t headHash = 0;
    std::uint64_t offset = 0;    // content bytes imported
    std::uint64_t tailHash = 0;  // of the up to kLogProbeBytes bytes before `offset`
    std::int64_t importedAt = 0;
    std::string path;  // where it was read last, for people
};

// FNV-1a, 64 bits.
std::uint64_t ContentHash(std::string_view bytes);

std::string ImportedLogsPath(const std::string& siteDir);

// The logs of the site folder; none when the file is missing. Throws IoError.
std::vector<ImportedLog> ReadImportedLogs(const std::string& siteDir);

// Writes `logs` (the newest kMaxImportedLogs of them) as the next version of
// the file, synced. Throws IoError.
void StageImportedLogs(const std::string& siteDir, const std::vector<ImportedLog>& logs);
// Renames the next version into place when there is one. Throws IoError.
void CommitImportedLogs(const std::string& siteDir);
// Removes the next version when there is one. Throws IoError.
void DropStagedImportedLogs(const std::string& siteDir);

}  // namespace trafikon
