// A ThreadStarter on real threads for tests: each body runs on a new thread, and the starter joins
// them all before it goes. Finished() counts the bodies that have returned.
#pragma once

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "context/platform.h"

class JoinedThreads : public ThreadStarter {
 public:
  ~JoinedThreads() override { JoinAll(); }

  SystemHandle Start(std::function<void()> body) override {
    threads_.emplace_back([this, body = std::move(body)] {
      body();
      ++finished_;
    });
    return reinterpret_cast<SystemHandle>(threads_.size());
  }
  int Finished() const { return finished_.load(); }
  void JoinAll() {
    for (std::thread& thread : threads_) {
      if (thread.joinable()) thread.join();
    }
  }

 private:
  std::vector<std::thread> threads_;
  std::atomic<int> finished_{0};
};
