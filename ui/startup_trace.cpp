#include "ui/startup_trace.h"

#include <atomic>

namespace ui {

namespace {
std::atomic<StartupRecorder> g_recorder{nullptr};
}  // namespace

void SetStartupRecorder(StartupRecorder recorder) { g_recorder = recorder; }

void MarkStartup(const char* stage) {
  if (StartupRecorder recorder = g_recorder.load()) recorder(stage);
}

}  // namespace ui
