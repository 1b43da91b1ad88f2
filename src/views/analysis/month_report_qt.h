// SPDX-License-Identifier: GPL-3.0-or-later
// The report command of the analysis window: a tool bar button whose menu
// writes the month's report as one HTML page or as CSV files, in the interface
// language, at a place the user chooses.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QToolBar;
class QWidget;

namespace trafikon {

// Asks where to write; tests replace it. An empty answer cancels.
using ReportPathQuestion =
    std::function<QString(QWidget* parent, bool html, const QString& suggested)>;

// Writes the report of month `key` to `path` (a file for HTML, a folder for
// CSV) and tells the user what happened. `siteDir`: the folder of the
// results (a selection's); empty: the store's site folder.
void WriteMonthReportTo(QWidget* parent, const std::string& key, bool html, const QString& path,
                        const std::string& siteDir = {});

// The tool bar of the window, with the report button; `key` names the month on
// screen, in `siteDir` as above.
QToolBar* MakeReportToolBar(QWidget* window, std::function<std::string()> key,
                            ReportPathQuestion ask = {}, const std::string& siteDir = {});

// Sets the texts of a tool bar made above (at every language change).
void ApplyReportToolBarTexts(QToolBar* bar);

}  // namespace trafikon
