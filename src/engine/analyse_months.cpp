// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/analyse_months.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "store/store_lock.h"

namespace trafikon {

namespace {

struct MonthJob {
    std::string key;
    bool started = false, done = false, skipped = false;
    int percent = -1;  // last progress of the analysis
    // A malformed-line question waiting for its turn, and its answer.
    bool asking = false, beingAsked = false, answered = false;
    std::int64_t lineNumber = 0;
    std::string line;
    MalformedLineAnswer answer = MalformedLineAnswer::Cancel;
    AnalysisResult result;
    std::exception_ptr error;
};

class MonthRun {
  public:
    MonthRun(const std::string& siteDir, const std::vector<std::string>& months,
             const std::string& siteUrl, const std::function<bool(const std::string&)>& wanted,
             MonthsObserver& observer, const std::string& countryDatabase)
        : siteDir_(siteDir),
          siteUrl_(siteUrl),
          countryDatabase_(countryDatabase),
          wanted_(wanted),
          observer_(observer) {
        jobs_.resize(months.size());
        for (std::size_t i = 0; i < months.size(); ++i)
            jobs_[i].key = months[i];
    }

    void Run(int monthsAtOnce) {
        const auto workers = std::min<std::size_t>(
            static_cast<std::size_t>(std::max(1, monthsAtOnce)), jobs_.size());
        std::vector<std::thread> threads;
        try {
            for (std::size_t i = 0; i < workers; ++i)
                threads.emplace_back([this] { Work(); });
            Report();
        } catch (...) {
            End();
            for (auto& t : threads)
                t.join();
            throw;
        }
        End();
        for (auto& t : threads)
            t.join();
    }

    // What the analysis of one month tells, kept for the reporting thread.
    class JobObserver : public AnalysisObserver {
      public:
        JobObserver(MonthRun& run, MonthJob& job) : run_(run), job_(job) {}
        void Progress(int percent) override {
            std::lock_guard lock(run_.mutex_);
            job_.percent = percent;
            run_.changed_.notify_all();
        }
        MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view line) override {
            std::unique_lock lock(run_.mutex_);
            job_.asking = true;
            job_.answered = job_.beingAsked = false;
            job_.lineNumber = lineNumber;
            job_.line.assign(line);
            run_.changed_.notify_all();
            run_.changed_.wait(lock,
                               [&] { return job_.answered || (run_.ended_ && !job_.beingAsked); });
            job_.asking = false;
            return job_.answered ? job_.answer : MalformedLineAnswer::Cancel;
        }
        bool StopRequested() override { return run_.ended_ || run_.observer_.StopRequested(); }

      private:
        MonthRun& run_;
        MonthJob& job_;
    };

  private:
    // No month starts any more; those under way stop, and a question left
    // unanswered (the reporting thread gone with an exception) is cancelled.
    void End() {
        std::lock_guard lock(mutex_);
        ended_ = true;
        for (MonthJob& job : jobs_)
            job.beingAsked = false;
        changed_.notify_all();
    }

    // A worker: takes the next month to start until none is left.
    void Work() {
        for (;;) {
            MonthJob* job;
            {
                std::lock_guard lock(mutex_);
                if (ended_ || next_ >= jobs_.size())
                    return;
                job = &jobs_[next_++];
                job->started = true;
            }
            AnalysisResult result;
            std::exception_ptr error;
            bool skipped = false;
            try {
                if (!wanted_(job->key)) {
                    skipped = true;
                } else {
                    JobObserver observer(*this, *job);
                    result =
                        AnalyseLog(siteDir_, job->key, siteUrl_, observer, countryDatabase_, true);
                }
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            job->result = result;
            job->error = error;
            job->skipped = skipped;
            job->done = true;
            changed_.notify_all();
        }
    }

    // The calling thread: reports each month in order.
    void Report() {
        using namespace std::chrono_literals;
        for (MonthJob& job : jobs_) {
            std::unique_lock lock(mutex_);
            if (ended_ && !job.started)
                return;
            lock.unlock();
            observer_.MonthInHand(job.key);
            lock.lock();
            int reported = -1;
            while (!job.done) {
                changed_.wait_for(lock, 50ms, [&] {
                    return job.done || job.percent != reported ||
                           (job.asking && !job.beingAsked && !job.answered);
                });
                if (!ended_ && observer_.StopRequested()) {
                    ended_ = true;
                    changed_.notify_all();
                }
                if (job.percent != reported && job.percent >= 0) {
                    reported = job.percent;
                    lock.unlock();
                    observer_.Progress(reported);
                    lock.lock();
                }
                if (job.asking && !job.beingAsked && !job.answered) {
                    job.beingAsked = true;
                    const std::int64_t lineNumber = job.lineNumber;
                    const std::string line = job.line;
                    lock.unlock();
                    const MalformedLineAnswer answer = observer_.MalformedLine(lineNumber, line);
                    lock.lock();
                    job.answer = answer;
                    job.answered = true;
                    job.beingAsked = false;
                    changed_.notify_all();
                }
            }
            const bool ended = ended_;
            lock.unlock();
            if (job.skipped)
                continue;
            if (job.error) {
                if (!observer_.MonthFailed(job.key, job.error)) {
                    End();
                    return;
                }
            } else {
                observer_.MonthEnded(job.key, job.result);
            }
            if (ended)
                return;
        }
    }

    const std::string& siteDir_;
    const std::string& siteUrl_;
    const std::string& countryDatabase_;
    const std::function<bool(const std::string&)>& wanted_;
    MonthsObserver& observer_;
    std::vector<MonthJob> jobs_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;            // the next month to start
    std::atomic<bool> ended_{false};  // no month starts any more; those under way stop
};

}  // namespace

int MonthsAtOnceFor(unsigned cores, std::uint64_t memoryBytes) {
    // A month's reading and counting threads keep about one core and a half
    // busy between them, so two cores take two months at once.
    std::uint64_t months = std::max(1u, (cores * 2 + 2) / 3);
    constexpr std::uint64_t kMonthMemory = std::uint64_t{256} << 20;
    if (memoryBytes != 0)
        months = std::min(months, memoryBytes / 4 / kMonthMemory);
    return static_cast<int>(std::clamp<std::uint64_t>(months, 1, 64));
}

int MonthsAtOnce() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    const std::uint64_t memory =
        pages > 0 && pageSize > 0
            ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
            : 0;
    return MonthsAtOnceFor(std::thread::hardware_concurrency(), memory);
}

void AnalyseMonths(const std::string& siteDir, const std::vector<std::string>& months,
                   const std::string& siteUrl,
                   const std::function<bool(const std::string&)>& wanted, MonthsObserver& observer,
                   int monthsAtOnce, const std::string& countryDatabase) {
    // One lock for the whole run: months written side by side never wait
    // for each other, and no other writer slips in between them.
    const StoreWriteLock lock(siteDir);
    MonthRun(siteDir, months, siteUrl, wanted, observer, countryDatabase).Run(monthsAtOnce);
}

}  // namespace trafikon
