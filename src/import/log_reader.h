// Reads a log file line by line through a reused buffer, with the store's
// line rules (CR LF, LF or a lone CR end a line; a last line without an end
// counts). Line ends are found with memchr rather than byte by byte: the
// import reads hundreds of megabytes this way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

class LogReader {
  public:
    explicit LogReader(const std::string& path);  // throws IoError
    ~LogReader();
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;

    // The next line without its end; the view stays valid until the next
    // call. False at the end of the file. Throws IoError.
    bool Next(std::string_view& line);
    std::uint64_t fileSize() const { return size_; }

  private:
    bool Fill();
    std::string path_;
    int fd_ = -1;
    std::vector<char> buf_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
    bool pendingCr_ = false;  // the last line ended with a CR at the end of the buffer
    std::uint64_t size_ = 0;
};

}  // namespace trafikon
