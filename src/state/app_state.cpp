// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/app_state.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "engine/robot_signatures.h"
#include "engine/visit_tally.h"
#include "import/log_source.h"
#include "state/page_opener.h"
#include "store/data_store.h"
#include "store/import_journal.h"
#include "store/site_list.h"
#include "store/store_lock.h"
#include "store/text_file.h"

namespace trafikon {

AppState& App() {
    static AppState state;
    return state;
}

namespace {

void CreateFolderWithParents(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec)
        throw IoError(path, ec.message());
    if (!DirectoryExists(path))  // e.g. a file already holds the name
        throw IoError(path, std::make_error_code(std::errc::not_a_directory).message());
}

// An import killed half-way is undone before any window reads the site,
// unless another process writes it now (its journal is live).
void TidySite(const std::string& siteDir) {
    if (const auto lock = StoreWriteLock::TryNow(siteDir))
        TidyLeftovers(siteDir);
}

void ShowSite(AppState& app, int number) {
    const std::string siteDir = SiteDir(app.programDir, number);
    if (!DirectoryExists(siteDir))
        throw IoError(siteDir,
                      std::make_error_code(std::errc::no_such_file_or_directory).message());
    TidySite(siteDir);
    Settings settings;
    LoadSiteSettings(app.programDir, number, settings);
    std::vector<std::string> months = ListStoredMonths(siteDir);
    app.siteNumber = number;
    app.siteDir = siteDir;
    app.settings = std::move(settings);
    app.storedMonths = std::move(months);
    if (!app.analysisRunning)  // else the analysis's end sets it
        SetVisitGapMinutes(app.settings.visitGapMinutes());
}

}  // namespace

void ChooseSite(int number) {
    AppState& app = App();
    ShowSite(app, number);
    WriteChosenSite(app.programDir, number);
}

void StartUp(const std::string& programDir, const StartUpHooks& hooks) {
    AppState& app = App();
    app.programDir = programDir;
    if (app.programDir.empty() || app.programDir.back() != '/')
        app.programDir += '/';
    app.siteNumber = kSiteNumber;
    app.siteDir = SiteDir(app.programDir);
    app.siteCaption.clear();
    app.storedMonths.clear();
    app.analysisRunning = false;
    app.monthInAnalysis.clear();
    app.requestedMonth.clear();

    // A program folder that cannot be made is named as such, not by the
    // first file that could not be written in it.
    CreateFolderWithParents(app.programDir);
    if (!FileExists(app.programDir + "fr.tfl"))
        BuiltInTexts(app.programDir);
    WriteRobotSignatureFileIfMissing(app.programDir);

    // A failure of the store (a leftover journal on a read-only store, an
    // unreadable settings file) is reported once the language is loaded, so
    // that the windows still get their texts.
    std::exception_ptr storeFailure;
    try {
        if (DirectoryExists(app.siteDir)) {
            TidySite(app.siteDir);
        } else {
            CreateFolderWithParents(app.siteDir);
        }
        if (HasSettingsFile(app.siteDir)) {
            LoadSettings(app.siteDir, app.settings);
        } else {
            // The first start of the desktop program, also on a store that
            // trafikon-batch made: the user picks the language.
            app.settings = Settings{};
            app.settings[1] = "";
            app.settings[2] = "Retour Off";
            app.settings[3] = "40";
            if (hooks.chooseLanguage)
                app.settings[4] = hooks.chooseLanguage();
            SaveSettings(app.siteDir, app.programDir, app.settings);
        }
    } catch (const IoError&) {
        storeFailure = std::current_exception();
    }
    if (const int chosen = ReadChosenSite(app.programDir); !storeFailure && chosen != kSiteNumber) {
        try {
            ShowSite(app, chosen);
        } catch (const IoError&) {
            // Site 1 is shown, as the chooser then says.
        }
    }
    SetExpansionLimit(app.settings.expansionLimit());
    SetVisitGapMinutes(app.settings.visitGapMinutes());

    LoadLanguageChecked(app.programDir, app.settings.languageCode(), app.language,
                        hooks.showMessage);

    app.browserCommand = FindBrowserCommand();
    if (storeFailure)
        std::rethrow_exception(storeFailure);
}

void ShutDown() {
    AppState& app = App();
    app.language.Clear();
    app.storedMonths.clear();
    app.storedMonths.shrink_to_fit();
}

}  // namespace trafikon
