// The desktop program: the main window, its child windows and dialogs.
#include <QApplication>
#include <QMessageBox>
#include <clocale>

#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/program_folder.h"
#include "shell/resources/toolbar_icons_qt.h"
#include "store/text_file.h"

int main(int argc, char** argv) {
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
