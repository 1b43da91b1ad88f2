// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analyse_all_qt.h"

#include "engine/analyse_log.h"
#include "engine/analyse_months.h"
#include "engine/analysed_check.h"
#include "engine/line_exclusions.h"
#include "engine/robot_signatures.h"
#include "store/data_store.h"
#include "store/month_file_names.h"
#include "store/store_lock.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/error_text_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {

// Hands what the run reports over to the interface thread.
class WorkerObserver : public MonthsObserver {
  public:
    WorkerObserver(TMyAllThread& worker, std::vector<std::string>& analysed)
        : worker_(worker), analysed_(analysed) {}
    void MonthInHand(const std::string& key) override {
        emit worker_.MonthInHand(QString::fromStdString(key));
    }
    void Progress(int percent) override { emit worker_.Progress(percent); }
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) override {
        MalformedLineAnswer answer = MalformedLineAnswer::Cancel;
        emit worker_.AskIgnoreLine(lineNumber, LogLineText(line), &answer);
        return answer;
    }
    void MonthEnded(const std::string& key, const AnalysisResult& result) override {
        const QString month = QString::fromStdString(key);
        if (result.cancelled)
            emit worker_.MonthCancelled(month);
        if (result.logChanged)  // a month that was not done is never passed over in silence
            emit worker_.Failure(month + QStringLiteral(" : ") + Tr(lang::kLogChangedNotAnalysed));
        if (result.completed) {
            emit worker_.MonthEnded(month);
            analysed_.push_back(key);
            if (result.ignoredLines > 0)
                emit worker_.LinesIgnored(month, static_cast<qint64>(result.ignoredLines));
        }
        emit worker_.Progress(0);
    }
    // Every failure of a month is reported and the run goes on with the next
    // month, but when another writer keeps the store.
    bool MonthFailed(const std::string& key, std::exception_ptr error) override {
        const QString month = QString::fromStdString(key);
        try {
            std::rethrow_exception(error);
        } catch (const StoreBusy& busy) {
            emit worker_.Failure(IoErrorText(busy));
            return false;
        } catch (const IoError& e) {
            emit worker_.Failure(IoErrorText(e));
        } catch (const std::exception& e) {
            emit worker_.Failure(month + QStringLiteral(" : ") + QString::fromLocal8Bit(e.what()));
        } catch (...) {
            emit worker_.Failure(month);
        }
        emit worker_.Progress(0);
        return true;
    }
    bool StopRequested() override { return worker_.stopRequested(); }

  private:
    TMyAllThread& worker_;
    std::vector<std::string>& analysed_;
};

}  // namespace

TMyAllThread::TMyAllThread(std::string siteDir, std::vector<std::string> months, bool allMonths,
                           std::string siteUrl, QObject* parent, std::string countryDatabase)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      months_(std::move(months)),
      allMonths_(allMonths),
      siteUrl_(std::move(siteUrl)),
      countryDatabase_(std::move(countryDatabase)),
      monthsAtOnce_(MonthsAtOnce()) {}

void TMyAllThread::run() {
    // Nothing may leave the thread: every failure of a month is reported and
    // the run goes on with the next month.
    WorkerObserver observer(*this, analysed_);
    try {
        // A line of the exclusions that is not one is told once a run, as the
        // months leave it out.
        const LineExclusions exclusions(siteDir_, ProgramDirOfSite(siteDir_), "", true);
        for (const std::string& problem : exclusions.problems())
            emit Failure(Tr(lang::kExclusionLeftOut)
                             .arg(QString::fromLocal8Bit(SiteFolderPrefix(siteDir_).c_str()) +
                                  FromCp1252(problem)));
        PrepareAnalysisRun(siteDir_);
    } catch (const IoError& error) {
        emit Failure(IoErrorText(error));
        return;
    }
    const auto wanted = [this](const std::string& key) {
        // A month deleted since the run began, or analysed already, is passed over.
        return FileExists(siteDir_ + LogFileName(key)) &&
               (allMonths_ || !IsMonthAnalysed(siteDir_, key));
    };
    try {
        AnalyseMonths(siteDir_, months_, siteUrl_, wanted, observer, monthsAtOnce_,
                      countryDatabase_);
    } catch (const IoError& error) {  // another writer keeps the store
        emit Failure(IoErrorText(error));
    } catch (const std::exception& error) {  // a thread that could not start
        emit Failure(QString::fromLocal8Bit(error.what()));
    }
}

}  // namespace trafikon
