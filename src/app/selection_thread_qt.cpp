// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/selection_thread_qt.h"

#include "engine/analysis_observer.h"
#include "store/text_file.h"
#include "ui/error_text_qt.h"

namespace trafikon {

namespace {

// A selection drops malformed lines without asking: nobody waits on the
// thread to answer, and its lines are a copy of months analysed already.
class SelectionObserver : public AnalysisObserver {
  public:
    explicit SelectionObserver(SelectionThread& worker) : worker_(worker) {}
    void Progress(int percent) override { emit worker_.Progress(percent); }
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::IgnoreAll;
    }
    bool StopRequested() override { return worker_.stopRequested(); }

  private:
    SelectionThread& worker_;
};

}  // namespace

SelectionThread::SelectionThread(std::string siteDir, Selection selection, std::string folder,
                                 std::string siteUrl, std::string countryDatabase, QObject* parent)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      selection_(std::move(selection)),
      folder_(std::move(folder)),
      siteUrl_(std::move(siteUrl)),
      countryDatabase_(std::move(countryDatabase)) {}

void SelectionThread::run() {
    // Nothing may leave the thread: a failure waits in failure_.
    SelectionObserver observer(*this);
    try {
        result_ = RunSelection(siteDir_, selection_, folder_, siteUrl_, observer, countryDatabase_);
    } catch (const RunStopped&) {
        result_.analysis.stopped = true;
    } catch (const IoError& e) {
        failure_ = IoErrorText(e);
    } catch (const std::exception& e) {
        failure_ = QString::fromLocal8Bit(e.what());
    }
}

}  // namespace trafikon
