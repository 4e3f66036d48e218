#include "tests/support/ui_thread_sender.h"

UiThreadSender::UiThreadSender(Handler handler)
    : handler_(std::move(handler)), uiThread_(std::this_thread::get_id()) {}

intptr_t UiThreadSender::Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (std::this_thread::get_id() == uiThread_) return handler_(window, message, wParam, lParam);
  Waiting waiting{window, message, wParam, lParam};
  std::unique_lock<std::mutex> lock(mutex_);
  waiting_.push_back(&waiting);
  changed_.notify_all();
  changed_.wait(lock, [&] { return waiting.handled; });
  return waiting.result;
}

int UiThreadSender::Pump() {
  int handled = 0;
  std::unique_lock<std::mutex> lock(mutex_);
  while (!waiting_.empty()) {
    Waiting* next = waiting_.front();
    waiting_.pop_front();
    lock.unlock();  // the handler may send again, on this thread
    const intptr_t result = handler_(next->window, next->message, next->wParam, next->lParam);
    lock.lock();
    next->result = result;
    next->handled = true;
    changed_.notify_all();
    ++handled;
  }
  return handled;
}

bool UiThreadSender::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // A worker may end without a last message: look at done() again now and then.
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(5), [&] { return !waiting_.empty(); });
  }
}
