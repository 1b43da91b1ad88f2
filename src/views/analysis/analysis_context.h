// SPDX-License-Identifier: GPL-3.0-or-later
// What a tab of the analysis window needs from the window around it. The
// window implements it; tabs get a reference at construction.
//
// Texts are Windows-1252 bytes as in the store and the language table; tab
// widgets convert at their own boundary (FromCp1252 / ToCp1252).
#pragma once

#include <string>
#include <string_view>

#include "month/month_results.h"
#include "month/tabs_records.h"
#include "views/analysis/log_line_index.h"

namespace trafikon {

struct Settings;

class AnalysisContext {
  public:
    virtual ~AnalysisContext() = default;

    // The month on screen (the same object for the window's whole life; its
    // contents change at every load, after which the window calls Refresh on every tab).
    virtual const MonthResults& results() const = 0;

    // Fills the log-line panel with the stored-log lines of an IdList field,
    // numbered as asked; returns the number of rows shown. A log that cannot
    // be read or indexes beyond its end are reported by the window.
    virtual std::size_t ShowLogLines(std::string_view idList, LineNumbering numbering) = 0;
    // Empties the log-line panel.
    virtual void ClearLogLines() = 0;

    // Jumps of a detail's double-click: selects the row whose first column
    // equals `name` exactly (case-sensitive) in the files tab (1) or the hosts
    // tab (2), brings that tab to front and focuses its list. When no row
    // matches, shows entry 106 (files) or 104 (hosts) and returns false.
    virtual bool JumpToFile(std::string_view name) = 0;
    virtual bool JumpToHost(std::string_view name) = 0;

    // Puts plain text on the clipboard.
    virtual void CopyText(std::string_view text) = 0;
    // Ctrl+V: opens the site URL directly followed by a page name as stored.
    virtual void OpenSitePage(std::string_view page) = 0;
    // Ctrl+V: opens a complete address (referrer pages and query URLs) as it stands.
    virtual void OpenAddress(std::string_view address) = 0;

    // Setting 1 (site URL), and the whole settings (host threshold, status mode).
    virtual std::string siteUrl() const = 0;
    virtual const Settings& settings() const = 0;
    // A language entry by absolute number (empty when out of range).
    virtual const std::string& Text(int entry) const = 0;
    // The same lookup, for the tabs' label helpers.
    tabs::TextLookup Texts() const {
        return [this](int entry) -> const std::string& { return Text(entry); };
    }
};

}  // namespace trafikon
