#include "shell/app_state.h"

#include <filesystem>
#include <system_error>

#include "engine/robot_signatures.h"
#include "import/import_journal.h"
#include "shell/page_opener.h"
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

}  // namespace

void StartUp(const std::string& programDir, const StartUpHooks& hooks) {
    AppState& app = App();
    app.programDir = programDir;
    if (app.programDir.empty() || app.programDir.back() != '/')
        app.programDir += '/';
    app.siteName = "[Default]";
    app.siteNumber = 1;
    app.siteDir = app.programDir + "data/" + std::to_string(app.siteNumber) + "/";
    app.storedMonths.clear();
    app.analysisRunning = false;
    app.requestedMonth.clear();

    if (!FileExists(app.programDir + "fr.tfl"))
        BuiltInTexts(app.programDir);
    WriteRobotSignatureFileIfMissing(app.programDir);

    if (DirectoryExists(app.siteDir)) {
        // An import killed half-way is undone before any window reads the store.
        RecoverInterruptedImport(app.siteDir);
        LoadSettings(app.siteDir, app.settings);
    } else {
        CreateFolderWithParents(app.siteDir);
        app.settings = Settings{};
        app.settings[1] = "";
        app.settings[2] = "Retour Off";
        app.settings[3] = "40";
        if (hooks.chooseLanguage)
            app.settings[4] = hooks.chooseLanguage();
        SaveSettings(app.siteDir, app.programDir, app.settings);
    }

    LoadLanguageChecked(app.programDir, app.settings.languageCode(), app.language,
                        hooks.showMessage);

    app.monthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    app.browserCommand = FindBrowserCommand();
}

void ShutDown() {
    AppState& app = App();
    app.language.Clear();
    app.storedMonths.clear();
    app.storedMonths.shrink_to_fit();
    app.monthNames.clear();
}

}  // namespace trafikon
