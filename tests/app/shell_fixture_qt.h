// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the shell's widget tests: a program folder in a temporary folder,
// generated logs, waiting for workers and answering modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "state/app_state.h"
#include "support/generated_log.h"
#include "support/scripted_messages_qt.h"
#include "support/temp_dir.h"
#include "text/language_table.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace trafikon::testing {

// "Français (fr)" as Windows-1252 bytes.
inline const std::string kFrenchEntry =
    "Fran\xe7"
    "ais (fr)";

// Processes events until `done` holds; false, with a failure that says so,
// when `ms` milliseconds pass first (a worker or a dialog that never ends).
inline bool WaitUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            ADD_FAILURE() << "gave up waiting after " << ms
                          << " ms: the worker or dialog waited on did not finish";
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs `answer` on the first modal dialog of type T that shows, from inside its
// event loop (the caller then starts the code that opens it). When none shows
// within `ms` milliseconds, the test fails and the watch ends.
template <typename T>
void WhenModalShows(std::function<void(T*)> answer, int ms = 10000) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QElapsedTimer since;
    since.start();
    QObject::connect(poll, &QTimer::timeout, [poll, answer, since, ms] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        } else if (since.elapsed() > ms) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the awaited " << T::staticMetaObject.className()
                          << " did not show within " << ms << " ms";
        }
    });
    poll->start();
}

// Writes a generated log of `lines` lines over `months` months from `start` (YYYY-MM).
inline void GenerateLog(const std::string& path, int lines, int months, const std::string& start,
                        int seed = 7, const std::string& format = "combined") {
    WriteGeneratedLog(path, {"--lines", std::to_string(lines), "--months", std::to_string(months),
                             "--start", start, "--seed", std::to_string(seed), "--format", format});
}

// A program folder in a temporary folder. Prepared() gives a folder that has
// been run before (language files, store and settings in French), so that
// the start-up shows no chooser.
class ProgramFolder {
  public:
    ProgramFolder() { App().analysisRunning = false; }
    ~ProgramFolder() {
        App().analysisRunning = false;
        ShutDown();
    }
    std::string dir() const { return temp.path() + "/"; }
    std::string site() const { return dir() + "data/1/"; }

    void Prepare(const std::string& language = kFrenchEntry) {
        BuiltInTexts(dir());
        std::string param = "\r\nRetour Off\r\n40\r\n" + language + "\r\n";
        for (int i = 5; i <= 13; ++i)
            param += "\r\n";
        WriteRaw(site() + "param.tfd", param);
    }

    TempDir temp;
    ScriptedMessages messages;
};

}  // namespace trafikon::testing
