// What the Wine-tier benchmarks share: a clock, medians of their runs, a sender that times how long
// the worker waits for each line it sends to the window, and the legacy driver made directly.
#pragma once

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "context/driver_model.h"
#include "context/package_files.h"
#include "context/platform.h"
#include "printsys/print_system.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "ui/resources.h"

inline LARGE_INTEGER Tick() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Largest(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Passes every send on and marks each: when it began (from Restart) and how long its sender waited,
// on whichever thread sent it.
class TimedSender : public MessageSender {
 public:
  struct Mark {
    uint32_t message;
    double at, took;
  };

  explicit TimedSender(MessageSender& real) : real_(real) {}
  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    const LARGE_INTEGER start = Tick();
    const intptr_t result = real_.Send(window, message, wParam, lParam);
    const LARGE_INTEGER end = Tick();
    std::lock_guard<std::mutex> lock(mutex_);
    marks_.push_back({message, Milliseconds(origin_, start), Milliseconds(start, end)});
    return result;
  }
  // Forgets the marks so far; later ones count from now.
  void Restart() {
    std::lock_guard<std::mutex> lock(mutex_);
    marks_.clear();
    origin_ = Tick();
  }
  std::vector<Mark> Marks() {
    std::lock_guard<std::mutex> lock(mutex_);
    return marks_;
  }
  // How long the sender waited for each send of one message.
  std::vector<double> Waits(uint32_t message) {
    std::vector<double> waits;
    for (const Mark& mark : Marks()) {
      if (mark.message == message) waits.push_back(mark.took);
    }
    return waits;
  }

 private:
  MessageSender& real_;
  std::mutex mutex_;
  LARGE_INTEGER origin_ = Tick();
  std::vector<Mark> marks_;
};

// Runs the thread's messages for a while: a page's slide, a new window's first frame and what
// follows it are over by then.
inline void RunMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  } while (GetTickCount() - start < milliseconds);
}

// The legacy route's calls without the worker: the files into the spooler's driver folder, then the
// driver.
inline void AddLegacyDriverDirectly(Platform& platform) {
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  const DriverModelInfo model = MakeLegacyDriverModel();
  const std::wstring environment = NativeDriverEnvironment(platform.system);
  const std::wstring folder = GetDriverDirectory(spooler, environment);
  std::vector<wchar_t> dependentFiles;
  const bool x64 = platform.system.NativeMachine() == Machine::kX64;
  for (const std::wstring& file : x64 ? model.legacy64Files : model.legacy32Files) {
    ExtractSkinFile(ui::Resources::Instance().Archive(), platform.files, platform.system, file, folder, dependentFiles);
    dependentFiles.push_back(L'\0');
  }
  dependentFiles.push_back(L'\0');
  spooler.AddDriver(MakeLegacyDriverRecord(model, dependentFiles, environment), kAddDriverCopyNewFiles);
}
