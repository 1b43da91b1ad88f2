// Reads a stored log line by line for the analysis, through one large reused
// buffer. Line ends are those of the store's text files: CR LF, LF or a lone
// CR; a line end at the very end of the file starts no further line. The
// search for line ends uses memchr, so long lines cost little per byte. Only
// the bytes that the file held when it was opened are read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

class StoredLogReader {
  public:
    explicit StoredLogReader(const std::string& path);  // throws IoError
    ~StoredLogReader();
    StoredLogReader(const StoredLogReader&) = delete;
    StoredLogReader& operator=(const StoredLogReader&) = delete;

    // The next line, valid until the next call; false at the end of the file.
    bool Next(std::string_view& line);
    std::uint64_t bytesRead() const { return consumed_; }
    std::uint64_t fileSize() const { return size_; }

  private:
    bool Fill();
    std::string path_;
    int fd_ = -1;
    std::vector<char> buf_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
    bool skipLf_ = false;  // the previous line ended with CR at the buffer's end
    std::uint64_t consumed_ = 0;
    std::uint64_t size_ = 0;    // when opened; nothing past it is read
    std::uint64_t offset_ = 0;  // bytes read from the file
};

}  // namespace trafikon
