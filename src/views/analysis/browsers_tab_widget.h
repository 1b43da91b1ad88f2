// SPDX-License-Identifier: GPL-3.0-or-later
// Browsers tab of the analysis window: the raw list of user agents, or the
// same hits grouped into browser families with their major version, or into
// operating systems, as the switch above the list chooses.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "month/line_table.h"

class QComboBox;
class QStackedWidget;

namespace trafikon {

class NameCountListWidget;

class BrowsersTabWidget : public QWidget {
  public:
    enum View { kFullList = 0, kFamilies = 1, kSystems = 2 };

    explicit BrowsersTabWidget(QWidget* parent = nullptr);

    void ApplyTexts();
    // Refills the three views from the month's browser records and its
    // families file (siteDir, key), which puts the robots' hits apart.
    void Refresh(const LineTable& browserRecords, const std::string& siteDir,
                 const std::string& key);
    void ShowView(View view);

    NameCountListWidget* rawList() const { return raw_; }
    NameCountListWidget* groupList() const { return groups_; }

  private:
    void FillGroups();

    QComboBox* switch_;
    QStackedWidget* stack_;
    NameCountListWidget* raw_;
    NameCountListWidget* groups_;
    std::vector<std::pair<std::string, long long>> browsers_, systems_;
    bool familiesKnown_ = false;  // the month has its families file
};

}  // namespace trafikon
