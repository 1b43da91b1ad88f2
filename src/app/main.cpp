// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the main window, its child windows and dialogs.
#include <QApplication>
#include <QMessageBox>
#include <clocale>
#include <cstdio>
#include <string_view>

#include "app/display_check.h"
#include "app/main_window.h"
#include "app/resources/toolbar_icons_qt.h"
#include "state/app_state.h"
#include "state/program_folder.h"
#include "store/text_file.h"

int main(int argc, char** argv) {
    bool platformGiven = false;  // "-platform NAME" chooses where the windows go
    for (int i = 1; i < argc; ++i)
        platformGiven = platformGiven || std::string_view(argv[i]) == "-platform";
    if (!platformGiven && !trafikon::DisplayAvailable()) {
        std::fprintf(stderr, "%s\n", trafikon::NoDisplayText().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    // Dates and times are written in the user's regional format.
    std::setlocale(LC_ALL, "");
    QApplication::setApplicationName(QStringLiteral("Trafikon"));
    // No display name: the window manager shows each title exactly as the
    // program sets it, without the name added after it.
    QApplication::setWindowIcon(trafikon::ProgramIcon());

    std::string folder;
    try {
        folder = trafikon::ProgramFolder();
    } catch (const trafikon::IoError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Trafikon"),
                              QString::fromLocal8Bit(e.what()));
        return 1;
    }
    trafikon::TFPrincipal window(folder);
    window.show();
    return app.exec();
}
