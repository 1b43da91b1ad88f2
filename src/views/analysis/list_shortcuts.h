// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard shortcuts of the analysis window's lists and the safety rule for
// opening addresses taken from a log.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {

enum class ListShortcut { None, Copy, CopyAll, Open };

// Ctrl+C / Ctrl+Insert copy; Ctrl+Shift+C / Ctrl+Shift+Insert copy the whole
// list (file list only); Ctrl+V opens. `key` is 'C', 'V' or kInsertKey.
constexpr int kInsertKey = -45;
ListShortcut ShortcutFor(int key, bool ctrl, bool shift);

// Only addresses beginning with "http://" or "https://" (letter case ignored)
// are opened; anything else, e.g. a referrer written by a stranger as
// "file:///..." or "-x", opens nothing.
bool IsOpenableAddress(std::string_view address);

// The site URL directly followed by a page name as stored.
std::string SitePageAddress(std::string_view siteUrl, std::string_view page);

// The host (and port) of an http(s) address, in lower case, without the user
// part before an "@": what a browser connects to.
std::string AddressHost(std::string_view address);
// True when the page address composed from the site URL still leads to the
// site's own host once encoded for the page opener: a logged request
// "@evil.example/" after a site URL without a trailing slash would lead
// elsewhere.
bool LeadsToSite(std::string_view address, std::string_view siteUrl);

// A store address (Windows-1252) as the page opener takes it: UTF-8, with
// blanks, controls, non-ASCII bytes and characters not allowed in an address
// percent-encoded. Percent escapes already there are kept.
std::string AddressForOpener(std::string_view address);

// Every name followed by a line feed, in list order (Ctrl+Shift+C).
template <class Names>
std::string JoinWithLineFeeds(const Names& names) {
    std::string out;
    for (const auto& n : names) {
        out.append(n);
        out.push_back('\n');
    }
    return out;
}

// The detail refresh rule: a detail is computed only for a selected row that
// is not the one already shown.
class DetailRefresh {
  public:
    // True when the detail of `row` must be computed (and remembers it).
    bool Accept(int row) {
        if (row < 0 || row == last_)
            return false;
        last_ = row;
        return true;
    }
    void Forget() { last_ = -1; }
    int last() const { return last_; }

  private:
    int last_ = -1;
};

}  // namespace trafikon
