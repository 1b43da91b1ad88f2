// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the original language entries (0-84, 157-193) that the windows,
// dialogs and messages read; the texts are the English ones. The analysis
// window's entries have their names in analysis_entries.h.
#pragma once

#include "text/language_table.h"

namespace trafikon::lang {

// Main window: menus, questions and the general window, 0-47.
namespace mainwindow {
constexpr int kLanguageName = kMain + 0;           // "English"
constexpr int kFileMenu = kMain + 1;               // "File"
constexpr int kAddLogsItem = kMain + 2;            // "Add Log Files"
constexpr int kDeleteLogsItem = kMain + 3;         // "Delete Logs Files"
constexpr int kAnalyseAllItem = kMain + 4;         // "Analyze all"
constexpr int kSettingsItem = kMain + 5;           // "Setup"
constexpr int kQuitItem = kMain + 6;               // "Exit"
constexpr int kShowMenu = kMain + 7;               // "Display"
constexpr int kAnalysisMenu = kMain + 8;           // "Analyze"
constexpr int kContentsItem = kMain + 9;           // "Content"
constexpr int kComparisonItem = kMain + 10;        // "Comparison"
constexpr int kWindowMenu = kMain + 11;            // "Window"
constexpr int kTileVerticallyItem = kMain + 12;    // "Tile Vertically"
constexpr int kTileHorizontallyItem = kMain + 13;  // "Tile Horizontally"
constexpr int kCascadeItem = kMain + 14;           // "Cascade"
constexpr int kHelpMenu = kMain + 15;              // "Help"
constexpr int kAboutItem = kMain + 16;             // "About"
constexpr int kAnalyseAllQuestion = kMain + 17;    // "Analyze ALL files (YES = All; ...) ?"
constexpr int kConfirmationTitle = kMain + 18;     // "Confirmation"
constexpr int kQuitQuestion = kMain + 19;          // "Do you really want to quit ?"
constexpr int kQuitDuringAnalysis = kMain + 20;    // "Analyze is in progress, ... quit ?"
constexpr int kQuitTitle = kMain + 21;             // "Exit"
constexpr int kOneAnalysisAtATime = kMain + 22;    // "You can't start 2 analyzes ..."
constexpr int kAnalysisRunning = kMain + 23;       // "Analyze in progress..."
constexpr int kGeneralItem = kMain + 24;           // "General"
constexpr int kGeneralTitle = kMain + 25;          // "General"
constexpr int kComparisonTab = kMain + 26;         // "Comparison"
constexpr int kMonthlyTableTitle = kMain + 27;     // "Monthly Stats Table"
constexpr int kDailyTableTitle = kMain + 28;       // "Detailed Monthly Stats Table"
constexpr int kShortcutsItem = kMain + 29;         // "Shortcut"
constexpr int kDateColumn = kMain + 30;            // "Date"
constexpr int kTotalColumn = kMain + 31;           // "Total"
constexpr int kPagesColumn = kMain + 32;           // "Pages"
constexpr int kImagesColumn = kMain + 33;          // "Images"
constexpr int kArchivesColumn = kMain + 34;        // "Archives"
constexpr int kHostsColumn = kMain + 35;           // "Hosts"
constexpr int kEnginesColumn = kMain + 36;         // "Engine"
constexpr int kOkStatusColumn = kMain + 37;        // "OK Status"
constexpr int kKoStatusColumn = kMain + 38;        // "KO Status"
constexpr int kHitsColumn = kMain + 39;            // "Hits"
constexpr int kDaysColumn = kMain + 40;            // "Days"
constexpr int kDailyVisitorsColumn = kMain + 41;   // "Visitors"
constexpr int kDailyPagesColumn = kMain + 42;      // "Pages"
constexpr int kDailyKilobytesColumn = kMain + 43;  // "KiloBytes"
constexpr int kDailyHitsColumn = kMain + 44;       // "Hits"
constexpr int kDailyDayColumn = kMain + 45;        // "Day"
constexpr int kNothingToDelete = kMain + 46;       // "Nothing to delete"
constexpr int kNothingToAnalyse = kMain + 47;      // "Nothing to analyze"
}  // namespace mainwindow

// Add-log dialog, 48-84.
namespace addlog {
constexpr int kTitle = kAddLog + 0;               // "Add Log Files"
constexpr int kFileNamesLabel = kAddLog + 1;      // "Files name"
constexpr int kAddFileButton = kAddLog + 2;       // "Add a log file"
constexpr int kRemoveFileButton = kAddLog + 3;    // "Delete the selected file"
constexpr int kOkButton = kAddLog + 4;            // "Ok"
constexpr int kCancelButton = kAddLog + 5;        // "Cancel"
constexpr int kDetailsButton = kAddLog + 6;       // "Details >>>"
constexpr int kStandardButton = kAddLog + 7;      // "<<< Standard"
constexpr int kDefaultButton = kAddLog + 8;       // "Default (Apache)"
constexpr int kUpButton = kAddLog + 9;            // "Up"
constexpr int kDownButton = kAddLog + 10;         // "Down"
constexpr int kLineExamplesLabel = kAddLog + 11;  // "Line examples :"
constexpr int kFirstField = kAddLog + 12;         // "%h-Remote Host", fields to 74
constexpr int kPreviewHint = kAddLog + 27;        // "First line is taken from your log file, ..."
constexpr int kNoLogLines = kAddLog + 28;         // "Selected file doesn't contain any log lines"
constexpr int kFileEmpty = kAddLog + 29;          // "Selected file is empty, ..."
constexpr int kAllFieldsLabel = kAddLog + 30;     // "All fields"
constexpr int kFileFieldsLabel = kAddLog + 31;    // "Fields of the choosen files"
constexpr int kNoFilesToAdd = kAddLog + 32;       // "No files to add"
constexpr int kRequiredFields = kAddLog + 33;     // "Following information must be included : "
constexpr int kSpecifyFormat = kAddLog + 34;      // "Please, specify the log format"
constexpr int kDefaultIisButton = kAddLog + 35;   // "Default IIS"
constexpr int kDefaultEasyPhpButton = kAddLog + 36;  // "Default EasyPHP"
}  // namespace addlog

// Comparison window, 157-168.
namespace compare {
constexpr int kTitle = kCompare + 0;          // "Comparison"
constexpr int kTopTenTab = kCompare + 1;      // "Top \"Ten\""
constexpr int kNone = kCompare + 2;           // "[None]"
constexpr int kCompareButton = kCompare + 3;  // "Compare"
constexpr int kSelectMonths = kCompare + 4;   // "Select the months to compare"
constexpr int kFilesTab = kCompare + 5;       // "Files"
constexpr int kFilesColumn = kCompare + 6;    // "Files"
constexpr int kSearchLabel = kCompare + 7;    // "Search criteria :"
constexpr int kSearchButton = kCompare + 8;   // "Search"
constexpr int kSearchTooShort =
    kCompare + 9;  // "Your search criteria must contains at least 2 letters"
constexpr int kBaseDirectoryHits = kCompare + 10;  // "Hits for each Base Directory"
constexpr int kAverageColumn = kCompare + 11;      // "Average"
}  // namespace compare

// Deletion dialog, 169-175.
namespace deletion {
constexpr int kTitle = kDelete + 0;                 // "Delete Logs"
constexpr int kDeleteAnalysisButton = kDelete + 1;  // "Delete Analyze"
constexpr int kDeleteBothButton = kDelete + 2;      // "Delete Analyze and Log"
constexpr int kDeleteAllButton = kDelete + 3;       // "Delete Everything"
constexpr int kCloseButton = kDelete + 4;           // "Close"
constexpr int kDeleteAllQuestion =
    kDelete + 5;  // "Do you really want to delete ALL logs and anlyzes ?"
constexpr int kConfirmationTitle = kDelete + 6;  // "Confirmation"
}  // namespace deletion

// Settings dialog, 176-182.
namespace settings {
constexpr int kTitle = kSettings + 0;         // "Setup"
constexpr int kSiteUrlLabel = kSettings + 1;  // "Site &URL "
constexpr int kAllStatusBox = kSettings + 2;  // "Display all &return (not only error status)"
constexpr int kMinimumHitsLabel =
    kSettings + 3;                             // "&Minimum of requests needed to display a Host : "
constexpr int kLanguageLabel = kSettings + 4;  // "&Language"
constexpr int kSaveButton = kSettings + 5;     // "Sav&e the settings"
constexpr int kCancelButton = kSettings + 6;   // "C&ancel"
}  // namespace settings

// About box, 183-186, and the other messages, 187-193.
namespace about {
constexpr int kTitle = kAbout + 0;        // "About"
constexpr int kPurpose = kAbout + 1;      // "Trafikon analyses the access logs ..."
constexpr int kCloseButton = kAbout + 2;  // "Close"
constexpr int kWhereKept = kAbout + 3;    // "Logs, analyses and settings are kept ..."
}  // namespace about

namespace other {
constexpr int kAnalysisEnded = kEndStatus;  // "Analyze ended"
constexpr int kEffectiveAfterRestart =
    kOther + 0;                           // "Change will be effective after the next restart ..."
constexpr int kCloseButton = kOther + 1;  // "Close" (shortcuts window)
constexpr int kLineErrorWarning = kOther + 2;    // "Warning, error on line : "
constexpr int kIgnoreLineQuestion = kOther + 3;  // "Do you want to ignore this line ?"
constexpr int kAnalysisCancelled = kOther + 4;   // "Analyse canceled"
}  // namespace other

}  // namespace trafikon::lang
