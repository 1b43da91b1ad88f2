// SPDX-License-Identifier: GPL-3.0-or-later
// A request to end a long run over the store (an analysis, an import) before
// its end: one thread asks, the running one looks between batches of lines and
// leaves the store as a run cut short by a failure would (nothing half-written).
#pragma once

#include <atomic>

namespace trafikon {

class StopFlag {
  public:
    void Request() { requested_.store(true, std::memory_order_relaxed); }
    bool Requested() const { return requested_.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> requested_{false};
};

// Thrown by a run that saw the request where it cannot simply return.
struct RunStopped {};

}  // namespace trafikon
