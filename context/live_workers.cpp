#include "context/live_workers.h"

#include <atomic>
#include <memory>

namespace {

std::atomic<int> g_liveWorkers{0};

// Counted from creation until the first Release or its destruction, whichever comes first;
// copies of the wrapped body share one claim.
class LiveClaim {
 public:
  LiveClaim() { ++g_liveWorkers; }
  ~LiveClaim() { Release(); }
  LiveClaim(const LiveClaim&) = delete;
  LiveClaim& operator=(const LiveClaim&) = delete;
  void Release() {
    if (!released_.exchange(true)) --g_liveWorkers;
  }

 private:
  std::atomic<bool> released_{false};
};

}  // namespace

std::function<void()> TrackWorker(std::function<void()> body) {
  auto claim = std::make_shared<LiveClaim>();
  return [claim, body = std::move(body)] {
    if (body) body();
    claim->Release();
  };
}

int LiveWorkerCount() { return g_liveWorkers.load(); }
