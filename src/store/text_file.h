// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file access to the store's 8-bit text files (streamed reading:
// store/line_reader.h).
//
// Store files are Windows-1252 bytes with CR LF line ends. They are kept as
// bytes end to end: nothing here transcodes. A line ends at CR LF, LF or a
// lone CR; a line end at the very end of a file does not start an empty last
// line, and a last line without an end still counts.
//
// Every write goes to a temporary file in the same folder that is renamed into
// place once complete, so a crash or a kill never leaves a half-written file.
// Failures throw IoError naming the file and the system's reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

class IoError : public std::runtime_error {
  public:
    IoError(std::string path, std::string reason);
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// Throws IoError for `path` with the text of errno (call right after the failing call).
[[noreturn]] void ThrowErrno(const std::string& path);

// A path that names a FIFO, a device, a socket or a folder where a file is read.
class NotRegularFile : public IoError {
  public:
    explicit NotRegularFile(const std::string& path);
};

// Opens `path` for reading when it is a regular file (links followed); anything
// else is refused at once with NotRegularFile, never waited on (a FIFO without
// a writer would block open and read forever). Throws IoError.
int OpenRegularFile(const std::string& path);
// Lets the system drop what it caches of the regular file at `path`, if there
// is one (it is about to be replaced); the file itself stays as it is.
void DropCachedPages(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Splits a text into lines by the rules above.
Lines SplitLines(std::string_view text);

// Reads a whole file; throws IoError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);
Lines ReadTextLines(const std::string& path);
// Like ReadTextLines, but a missing file gives an empty list (other errors still throw).
Lines ReadTextLinesIfExists(const std::string& path);

// Writes each line followed by CR LF (the last included; no lines gives an empty file),
// through a temporary file renamed into place.
void WriteTextLines(const std::string& path, const Lines& lines);
void WriteWholeFile(const std::string& path, std::string_view bytes);

// Builds a file under a temporary name in the target's folder; Commit() flushes,
// syncs and renames it into place. Destroyed without Commit(), it removes the
// temporary file and leaves the target as it was.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void WriteLine(std::string_view line) {  // line + CR LF
        Write(line);
        Write("\r\n");
    }
    // Writes everything out and syncs the temporary file, so that a full disk
    // or a write error shows before anything is renamed (Commit() does it too).
    void Sync();
    void Commit();
    const std::string& path() const { return path_; }

  private:
    void Flush();
    void Written(std::size_t bytes);
    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    std::string buffer_;
    std::uint64_t written_ = 0;    // bytes handed to the file
    std::uint64_t writeback_ = 0;  // of them, those whose writing to disk was started
    bool committed_ = false;
};

// A fresh temporary name beside `path` (".<name>.<16 hex digits>.tmp"), of
// the kind that RemoveStaleTemporaries removes.
std::string TemporaryNameFor(const std::string& path);

// Removes the temporary files that writers of `path` killed before their
// Commit() left in its folder (".<name>.<16 hex digits>.tmp"). Only one writer
// of a path may run at a time when this is called. Failures are ignored.
void RemoveStaleTemporaries(const std::string& path);
// The same for every file of folder `dir` in one pass. Only while no writer
// of that folder runs (under the store's write lock).
void RemoveStaleTemporariesIn(const std::string& dir);

// Appends bytes to a file (created when missing); throws IoError on failure.
// Used for stored logs, whose new lines are added at the end.
class AppendFile {
  public:
    explicit AppendFile(std::string path);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    void Write(std::string_view bytes);
    void Flush();  // writes the buffer out; throws on failure
    void Close();  // Flush, then close; throws on failure
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
    std::string buffer_;
};

}  // namespace trafikon
