#include "app/startup_trace_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "ui/startup_trace.h"

namespace {

constexpr char kLastStage[] = "frame";

struct Trace {
  std::mutex mutex;
  std::wstring path;
  ULONGLONG created = 0;  // 100-ns units
  std::vector<std::pair<std::string, double>> stages;
  bool written = false;
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

ULONGLONG Units(const FILETIME& time) { return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

void Record(const char* stage) {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  Trace& trace = TheTrace();
  std::lock_guard<std::mutex> lock(trace.mutex);
  if (trace.written) return;
  for (const auto& seen : trace.stages) {
    if (seen.first == stage) return;
  }
  trace.stages.emplace_back(stage, (Units(now) - trace.created) / 10000.0);
  if (std::strcmp(stage, kLastStage) != 0) return;
  trace.written = true;
  if (FILE* file = _wfopen(trace.path.c_str(), L"w")) {
    for (const auto& [name, ms] : trace.stages) std::fprintf(file, "%s %.1f\n", name.c_str(), ms);
    std::fclose(file);
  }
}

}  // namespace

void RecordStartupWhenAsked() {
#ifndef LDW_MEASUREMENT_BUILD
  return;  // the product runs elevated; the variable comes from whoever started it
#endif
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"LDW_STARTUP_TRACE", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  Trace& trace = TheTrace();
  trace.path = path;
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  trace.created = Units(created);
  ui::SetStartupRecorder(Record);
}
