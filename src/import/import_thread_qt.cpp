#include "import/import_thread_qt.h"

#include "import/import_logs.h"
#include "shell/error_text_qt.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

class WorkerObserver : public ImportObserver {
  public:
    explicit WorkerObserver(TMyThread& worker) : worker_(worker) {}
    void FileStarted(std::size_t index, const std::string&) override {
        emit worker_.FileInHand(static_cast<int>(index));
    }
    void Progress(int percent) override { emit worker_.Progress(percent); }

  private:
    TMyThread& worker_;
};

}  // namespace

TMyThread::TMyThread(std::string siteDir, std::vector<std::string> files, FieldFormat format,
                     QObject* parent)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      files_(std::move(files)),
      format_(std::move(format)) {}

void TMyThread::run() {
    WorkerObserver observer(*this);
    try {
        const ImportSummary summary = ImportLogs(siteDir_, files_, format_, observer);
        damagedLines_ = static_cast<long long>(summary.damagedLines);
        unfiledLines_ = static_cast<long long>(summary.unfiledLines);
    } catch (const IoError& error) {
        failure_ = IoErrorText(error);
    }
}

}  // namespace trafikon
