#include "engine/analyse_all_qt.h"

#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "shell/error_text_qt.h"
#include "shell/text_convert_qt.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// Hands the calls of one analysis run over to the interface thread.
class WorkerObserver : public AnalysisObserver {
  public:
    explicit WorkerObserver(TMyAllThread& worker) : worker_(worker) {}
    void Progress(int percent) override { emit worker_.Progress(percent); }
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) override {
        MalformedLineAnswer answer = MalformedLineAnswer::Cancel;
        emit worker_.AskIgnoreLine(lineNumber, FromCp1252(line), &answer);
        return answer;
    }
    void Cancelled(const std::string& monthKey) override {
        emit worker_.MonthCancelled(QString::fromStdString(monthKey));
    }
    void MonthFinished(const std::string& monthKey) override {
        emit worker_.MonthEnded(QString::fromStdString(monthKey));
    }
    bool StopRequested() override { return worker_.stopRequested(); }

  private:
    TMyAllThread& worker_;
};

}  // namespace

TMyAllThread::TMyAllThread(std::string siteDir, std::vector<std::string> months, bool allMonths,
                           std::string siteUrl, QObject* parent)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      months_(std::move(months)),
      allMonths_(allMonths),
      siteUrl_(std::move(siteUrl)) {}

void TMyAllThread::run() {
    // Nothing may leave the thread: every failure of a month is reported and
    // the run goes on with the next month.
    WorkerObserver observer(*this);
    for (const std::string& key : months_) {
        if (stop_.Requested())
            break;
        const QString month = QString::fromStdString(key);
        emit MonthInHand(month);
        try {
            if (!allMonths_ && IsMonthAnalysed(siteDir_, key))
                continue;
            const AnalysisResult result = AnalyseLog(siteDir_, key, siteUrl_, observer);
            if (result.completed)
                analysed_.push_back(key);
            if (result.completed && result.ignoredLines > 0)
                emit LinesIgnored(QString::fromStdString(key),
                                  static_cast<qint64>(result.ignoredLines));
        } catch (const IoError& error) {
            emit Failure(IoErrorText(error));
        } catch (const std::exception& error) {
            emit Failure(month + QStringLiteral(" : ") + QString::fromLocal8Bit(error.what()));
        } catch (...) {
            emit Failure(month);
        }
        emit Progress(0);
    }
}

}  // namespace trafikon
