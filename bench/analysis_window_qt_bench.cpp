// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real analysis window on a big analysed month and prints what the
// user waits for: the window opening (time, memory), the status-200 detail
// showing its first log lines, and the longest stall of the event loop while
// the log-line panel is scrolled to its end and back, with the memory it took.
//
// usage: analysis_window_qt_bench STORE_DIR MONTH
//   STORE_DIR holds the month analysed (trafikon-batch import and analyse,
//   then PROGRAM_DIR/data/1), MONTH is its key, e.g. 2025-03.
//   Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "state/app_state.h"
#include "text/language_table.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/analysis_window.h"
#include "views/analysis/log_lines_widget.h"

using namespace trafikon;

namespace {

double RssMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / 1048576.0;
}

double PeakMb() {
    struct rusage u {};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// Runs the event loop for `ms` while `step` is called every `everyMs`;
// returns the longest time the loop did not answer a 1 ms timer.
int g_step = -1;       // the step under way
int g_worstStep = -1;  // the step during the longest stall

qint64 LongestStall(int ms, int everyMs, const std::function<void()>& step) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (now - last > worst) {
            worst = now - last;
            g_worstStep = g_step;
        }
        last = now;
    });
    tick.start(1);
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, step);
    driver.start(everyMs);
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return worst;
}

void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s STORE_DIR MONTH\n", argv[0]);
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    App().siteDir = std::string(argv[1]) + "/";
    App().language.Assign(BuiltInEnglish());
    App().settings.values.fill(std::string());
    App().settings[1] = "http://www.example.org";
    App().settings[2] = "Retour On";  // every status code listed
    App().settings[3] = "0";
    const std::string key = argv[2];

    const double before = RssMb();
    QElapsedTimer t;
    t.start();
    auto w = std::make_unique<TFAnalyse>(key);
    w->resize(TFAnalyse::kOpeningSize);
    w->show();  // loads the month
    QApplication::processEvents();
    const qint64 openMs = t.elapsed();
    std::printf(
        "open: %lld ms, memory %.0f MB (peak %.0f MB, %.0f MB before the window)   "
        "target < 2000 ms, < 300 MB\n",
        static_cast<long long>(openMs), RssMb(), PeakMb(), before);
    t.restart();
    const std::size_t lines = w->logIndex().lineCount();
    std::printf("log line index ready %lld ms later: %zu lines, memory %.0f MB\n",
                static_cast<long long>(t.elapsed()), lines, RssMb());

    w->tabs()->setCurrentIndex(TFAnalyse::kStatus);
    QApplication::processEvents();
    auto* codes = w->tabPage(TFAnalyse::kStatus)->findChild<QTreeWidget*>();
    if (!codes || codes->topLevelItemCount() < 4) {
        std::fprintf(stderr, "no status list\n");
        return 1;
    }
    const double beforeDetail = RssMb();
    LogLinesModel* model = w->logLines();
    LogLinesView* view = w->logLinesView();
    t.restart();
    codes->setCurrentItem(codes->topLevelItem(3));  // 200
    QApplication::processEvents();                  // painted
    const qint64 firstMs = t.elapsed();
    const QString first = model->data(model->index(0, 1), Qt::DisplayRole).toString();
    std::printf("status 200 detail: %d rows, first lines shown in %lld ms (%s)   target < 200 ms\n",
                model->rowCount(), static_cast<long long>(firstMs),
                first.isEmpty() ? "EMPTY" : "first line read");

    // The user scrolls: to the end, page by page back, the bar dragged about.
    view->setFocus();
    int step = 0;
    const qint64 stall = LongestStall(4000, 40, [&] {
        QScrollBar* bar = view->verticalScrollBar();
        g_step = step % 8;
        switch (step++ % 8) {
            case 0:
                Key(view, Qt::Key_End);
                break;
            case 1:
            case 2:
                Key(view, Qt::Key_PageUp);
                break;
            case 3:
                bar->setValue(bar->maximum() / 2);
                break;
            case 4:
                bar->setValue(bar->maximum() / 3);
                break;
            case 5:
                Key(view, Qt::Key_Home);
                break;
            case 6:
                bar->setValue(bar->maximum());
                break;
            default:
                view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        }
    });
    const QString last =
        model->data(model->index(model->rowCount() - 1, 0), Qt::DisplayRole).toString();
    std::printf(
        "scrolled for 4 s: longest stall %lld ms (step %d), last row number %s, reading done: %s; "
        "memory %.0f MB (+%.0f MB for the detail)   target < 100 ms, < +50 MB\n",
        static_cast<long long>(stall), g_worstStep, last.toLatin1().constData(),
        model->reading() ? "no" : "yes", RssMb(), RssMb() - beforeDetail);
    return 0;
}
