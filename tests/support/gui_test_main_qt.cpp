// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the widget tests: one QApplication for the whole run (offscreen),
// and a watch on modal windows, so that a dialog or message box nobody
// answers fails its test after a few seconds instead of hanging the run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int kModalLimitMs = 10000;

void WatchModalWindows(QTimer& timer) {
    static QPointer<QWidget> watched;
    static QElapsedTimer shownFor;
    QObject::connect(&timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != watched) {
            watched = modal;
            shownFor.start();
            return;
        }
        if (!modal || shownFor.elapsed() < kModalLimitMs)
            return;
        ADD_FAILURE() << "a modal " << modal->metaObject()->className() << " (\""
                      << modal->windowTitle().toStdString() << "\") stayed open for "
                      << kModalLimitMs / 1000 << " s with nobody answering it; closed";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        watched = nullptr;
    });
    timer.start(200);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTimer modalWatch;
    WatchModalWindows(modalWatch);
    return RUN_ALL_TESTS();
}
