// A MessageSender that behaves like SendMessageW between threads, for tests whose workers run on
// real threads: Send() from a worker hands the message to the UI thread and returns only when the
// UI thread has handled it; Send() on the UI thread handles it at once. The UI thread handles
// waiting messages whenever it pumps, between steps of its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "context/platform.h"

class UiThreadSender : public MessageSender {
 public:
  using Handler =
      std::function<intptr_t(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)>;

  // The thread that makes the sender is its UI thread.
  explicit UiThreadSender(Handler handler);

  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  // UI thread only: handles the messages waiting now; the number handled.
  int Pump();
  // UI thread only: pumps until done() holds (asked between messages); false when time runs out.
  bool PumpUntil(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  struct Waiting {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    intptr_t result = 0;
    bool handled = false;
  };

  Handler handler_;
  const std::thread::id uiThread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Waiting*> waiting_;  // each lives on its sender's stack until handled
};
