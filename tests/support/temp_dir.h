// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <string>

namespace trafikon::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }  // no trailing slash
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Writes bytes as they are (no line-end conversion) to a file, creating parent folders.
void WriteRaw(const std::string& path, const std::string& bytes);
std::string ReadRaw(const std::string& path);

}  // namespace trafikon::testing
