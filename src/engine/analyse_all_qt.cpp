#include "engine/analyse_all_qt.h"

#include "shell/error_text_qt.h"
#include "store/text_file.h"

namespace trafikon {

TMyAllThread::TMyAllThread(std::string siteDir, std::vector<std::string> months, bool allMonths,
                           std::string siteUrl, QObject* parent)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      months_(std::move(months)),
      allMonths_(allMonths),
      siteUrl_(std::move(siteUrl)) {}

void TMyAllThread::run() {
    for (const std::string& key : months_) {
        if (isInterruptionRequested())
            break;
        emit MonthInHand(QString::fromStdString(key));
        msleep(1);
        // Placeholder until the analysis engine lands: nothing is analysed.
    }
}

}  // namespace trafikon
