// SPDX-License-Identifier: GPL-3.0-or-later
// An analysis window stand-in for the tab widget tests: holds a month's
// tables, the settings and the French texts, and records what the tabs ask of
// the window (log lines, clipboard, pages opened, jumps).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "month/tabs_records.h"
#include "state/settings.h"
#include "tabs_test_support.h"
#include "views/analysis/analysis_context.h"

namespace trafikon::testing {

class FakeContext : public AnalysisContext {
  public:
    FakeContext() : texts_(FrenchTable()) {
        settings_[1] = "http://www.example.com";
        settings_[2] = "Retour Off";
        settings_[3] = "40";
        month.analysed = true;
    }

    MonthResults month;
    Settings& editSettings() { return settings_; }

    std::vector<std::pair<std::string, LineNumbering>> logLines;  // every ShowLogLines
    int clears = 0;
    std::vector<std::string> copied, openedPages, openedAddresses, fileJumps, hostJumps;

    const MonthResults& results() const override { return month; }
    std::size_t ShowLogLines(std::string_view ids, LineNumbering numbering) override {
        logLines.emplace_back(std::string(ids), numbering);
        return IdListSize(ids);
    }
    void ClearLogLines() override { ++clears; }
    bool JumpToFile(std::string_view name) override {
        fileJumps.emplace_back(name);
        return true;
    }
    bool JumpToHost(std::string_view name) override {
        hostJumps.emplace_back(name);
        return true;
    }
    void CopyText(std::string_view text) override { copied.emplace_back(text); }
    void OpenSitePage(std::string_view page) override { openedPages.emplace_back(page); }
    void OpenAddress(std::string_view address) override { openedAddresses.emplace_back(address); }
    std::string siteUrl() const override { return settings_.siteUrl(); }
    const Settings& settings() const override { return settings_; }
    const std::string& Text(int entry) const override { return texts_.Text(entry); }

  private:
    Settings settings_;
    LanguageTable texts_;
};

}  // namespace trafikon::testing
