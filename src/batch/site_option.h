// SPDX-License-Identifier: GPL-3.0-or-later
// "--site N|NAME", the site a command works on: its number, its name
// (without regard to case) or one of its virtual host names; site 1 when the
// option is left out. Names are read and printed in UTF-8, and kept in the
// store's Windows-1252.
#pragma once

#include <string>

#include "batch/command_options.h"
#include "store/data_store.h"

namespace trafikon::batch {

class SiteOption {
  public:
    // The option for a command's CommandLine.
    CommandOption option();

    // Finds the site given among the sites of the store in `root`. Returns ""
    // once number() is that site's, else the usage error, which names the
    // site asked for. Throws IoError when the list of sites cannot be read.
    std::string Resolve(const std::string& root);

    int number() const { return number_; }
    // The site's folder in the store of `root`.
    std::string Dir(const std::string& root) const { return SiteDir(root, number_); }

  private:
    std::string text_;
    bool given_ = false;
    int number_ = kSiteNumber;
};

}  // namespace trafikon::batch
