// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide state set up once at start and read by every window: the
// program folder, the store folder, the thirteen settings, the language table,
// the stored months and the flags shared between windows.
//
// All texts are Windows-1252 bytes, as in the files they come from.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "state/settings.h"
#include "store/data_store.h"
#include "text/language_table.h"

namespace trafikon {

struct AppState {
    std::string programDir;        // the executable's folder, ending in '/'
    int siteNumber = kSiteNumber;  // the site the windows show
    std::string siteDir;           // SiteDir(programDir, siteNumber)
    std::string siteCaption;       // the site's name in window titles; empty with one site

    Settings settings;
    LanguageTable language;
    std::vector<std::string> storedMonths;  // month keys, ascending (refreshed by the synthesis)
    std::string browserCommand;             // program that opens web pages, or empty

    bool analysisRunning = false;  // one analysis at a time (interface thread only)
    std::string monthInAnalysis;   // the month that analysis has in hand, or empty
    std::string requestedMonth;    // month that a new analysis window opens

    // Text of a language entry (absolute number), or empty when out of range.
    const std::string& Text(int entry) const { return language.Text(entry); }
};

// The one program-wide instance.
AppState& App();

// Hooks that the window layer fills in before StartUp runs.
struct StartUpHooks {
    // Shows the first-run language chooser modally; returns the chosen list entry
    // text (e.g. "English (en)", Windows-1252 bytes), which becomes setting 4. Called after the
    // language files exist, so the chooser can list them (ListLanguages).
    std::function<std::string()> chooseLanguage;
    // Shows a plain message (the language-reset message).
    std::function<void(const std::string&)> showMessage;
};

// Runs the start-up sequence for the program in `programDir` ('/' is added
// when missing): sets the folders, writes fr.tfl and en.tfl when fr.tfl is
// missing, loads the settings, or on the first run (no site folder) creates
// the site folder with its parents, asks for the language and saves the
// settings; then loads the language table with its checks and finds the
// browser command. The site shown is the one chosen last (ReadChosenSite),
// or site 1 when that one cannot be opened.
// Throws IoError (path and reason) when a folder or file cannot be created,
// written or read. A failure of the store folder or its settings is thrown
// only after the language table, month names and browser command are set up.
void StartUp(const std::string& programDir, const StartUpHooks& hooks);
// Shows site `number` from now on: its folder (an import killed half-way in
// it is undone first), its settings with the program-wide ones of site 1 and
// its stored months; remembers the choice for the next start. A running
// analysis keeps the folder and the visit gap it started with. Throws IoError
// when the site's folder or settings cannot be read (nothing changes), or when
// the choice cannot be remembered (the site is shown all the same).
void ChooseSite(int number);

// Releases the shared lists: language table and stored months.
void ShutDown();

}  // namespace trafikon
