// The count of live workers that the exit path reads: it must cover a worker from before its
// thread exists until its body has returned, and nothing longer.
#include "context/live_workers.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

TEST(LiveWorkers, CountFromWrappingUntilTheBodyReturns) {
  ASSERT_EQ(LiveWorkerCount(), 0);
  std::mutex mutex;
  std::condition_variable changed;
  bool running = false, release = false;
  std::function<void()> body = TrackWorker([&] {
    std::unique_lock<std::mutex> lock(mutex);
    running = true;
    changed.notify_all();
    changed.wait(lock, [&] { return release; });
  });
  EXPECT_EQ(LiveWorkerCount(), 1);  // before the thread exists

  std::function<void()> copy = body;  // a starter may keep a copy of what it ran
  std::thread worker(std::move(body));
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return running; });
    EXPECT_EQ(LiveWorkerCount(), 1);
    release = true;
    changed.notify_all();
  }
  worker.join();
  EXPECT_EQ(LiveWorkerCount(), 0);
  copy = nullptr;
  EXPECT_EQ(LiveWorkerCount(), 0);
}

TEST(LiveWorkers, ABodyDroppedUnrunStopsCounting) {
  // No thread could be made: the starter drops the body, and the exit path must not wait on it.
  {
    std::function<void()> body = TrackWorker([] { FAIL() << "never runs"; });
    std::function<void()> second = TrackWorker(nullptr);
    EXPECT_EQ(LiveWorkerCount(), 2);
    second();  // an empty body finishes at once
    EXPECT_EQ(LiveWorkerCount(), 1);
  }
  EXPECT_EQ(LiveWorkerCount(), 0);
}

TEST(LiveWorkers, WorkersEndingTogetherLeaveNoneCounted) {
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) threads.emplace_back(TrackWorker([] { std::this_thread::yield(); }));
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(LiveWorkerCount(), 0);
}

}  // namespace
