// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the main window, its child windows and dialogs.
#include <QApplication>
#include <clocale>

#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/program_folder.h"
#include "shell/resources/toolbar_icons_qt.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Dates and times are written in the user's regional format.
    std::setlocale(LC_ALL, "");
    QApplication::setApplicationName(QStringLiteral("Trafikon"));
    // No display name: the window manager shows each title exactly as the
    // program sets it, without the name added after it.
    QApplication::setWindowIcon(trafikon::ProgramIcon());

    trafikon::TFPrincipal window(trafikon::ProgramFolder());
    window.show();
    return app.exec();
}
