// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/import_thread_qt.h"

#include "import/import_logs.h"
#include "store/text_file.h"
#include "ui/error_text_qt.h"

namespace trafikon {

namespace {

class WorkerObserver : public ImportObserver {
  public:
    explicit WorkerObserver(TMyThread& worker) : worker_(worker) {}
    void FileStarted(std::size_t index, const std::string&) override {
        emit worker_.FileInHand(static_cast<int>(index));
    }
    void Progress(int percent) override { emit worker_.Progress(percent); }
    bool StopRequested() override { return worker_.stopRequested(); }

  private:
    TMyThread& worker_;
};

}  // namespace

TMyThread::TMyThread(std::string siteDir, std::vector<std::string> files, FieldFormat format,
                     QObject* parent)
    : QThread(parent), siteDir_(std::move(siteDir)) {
    for (auto& path : files)
        files_.push_back({std::move(path), format});
}

TMyThread::TMyThread(std::string siteDir, std::vector<LogToImport> files, QObject* parent)
    : QThread(parent), siteDir_(std::move(siteDir)), files_(std::move(files)) {}

void TMyThread::run() {
    // Nothing may leave the thread: every failure becomes the failure text.
    WorkerObserver observer(*this);
    try {
        const ImportSummary summary =
            ImportLogs(siteDir_, files_, observer, routing_ ? &*routing_ : nullptr);
        refused_ = summary.refused;
        damaged_ = summary.damaged;
        months_ = summary.months;
        for (const auto& [site, keys] : summary.otherSiteMonths)
            if (!keys.empty())
                otherSites_.push_back(site);
        newSites_ = summary.newSites;
        linesPastSiteLimit_ = static_cast<long long>(summary.linesPastSiteLimit);
        damagedLines_ = static_cast<long long>(summary.damagedLines);
        unfiledLines_ = static_cast<long long>(summary.unfiledLines);
        fileResults_ = summary.files;
    } catch (const RunStopped&) {
        stopped_ = true;
    } catch (const IoError& error) {
        failure_ = IoErrorText(error);
    } catch (const std::exception& error) {
        failure_ = QString::fromLocal8Bit(error.what());
    } catch (...) {
        failure_ = QStringLiteral("?");
    }
}

}  // namespace trafikon
