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
