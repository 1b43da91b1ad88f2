// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <thread>
#include <utility>

namespace trafikon {

// Runs a task on a thread of its own; Join() waits for it and rethrows what
// it threw. A thread left unjoined by an exception is waited for quietly.
class WorkThread {
  public:
    template <typename F>
    explicit WorkThread(F&& task)
        : thread_([this, task = std::forward<F>(task)]() mutable {
              try {
                  task();
              } catch (...) {
                  error_ = std::current_exception();
              }
          }) {}
    ~WorkThread() {
        if (thread_.joinable())
            thread_.join();
    }
    WorkThread(const WorkThread&) = delete;
    WorkThread& operator=(const WorkThread&) = delete;
    void Join() {
        thread_.join();
        if (error_)
            std::rethrow_exception(error_);
    }

  private:
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace trafikon
