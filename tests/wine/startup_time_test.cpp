// Time from process start to the first painted frame of the main window, against two anchors in
// the same run: a bare Win32 window, and the least GDI+ program that draws one line of text. All
// paint the caption blue; the frame counts once that pixel is on screen. The main window's runs
// (the exe built for measurement, the product's code otherwise) also write their own breakdown
// (LDW_STARTUP_TRACE), printed as medians per stage.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/process_window.h"

namespace {

// The stages the program wrote, "stage milliseconds" a line, in order.
std::vector<std::pair<std::string, double>> ReadTrace(const std::wstring& path) {
  std::vector<std::pair<std::string, double>> stages;
  if (FILE* file = _wfopen(path.c_str(), L"r")) {
    char name[64];
    double ms = 0;
    while (std::fscanf(file, "%63s %lf", name, &ms) == 2) stages.emplace_back(name, ms);
    std::fclose(file);
  }
  return stages;
}

constexpr COLORREF kCaptionBlue = RGB(0x2a, 0x84, 0xd0);

// A window that has just gone can leave its picture on the screen for a moment, and the next
// program's window may open over it: the next measurement starts once the spot is repainted.
void WaitUntilNotBlue(HDC screen, POINT spot) {
  for (int i = 0; i < 2000 && GetPixel(screen, spot.x, spot.y) == kCaptionBlue; ++i) Sleep(1);
}

double MillisecondsToFirstFrame(const std::wstring& exe, const wchar_t* windowClass) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  double elapsed = -1;
  HDC screen = GetDC(nullptr);
  POINT spot{-1, -1};
  for (int i = 0; i < 20000 && elapsed < 0; ++i) {
    HWND window = FindProcessWindow(process.dwProcessId, windowClass, nullptr);
    RECT rect{};
    if (window != nullptr && GetWindowRect(window, &rect)) {
      const COLORREF pixel = GetPixel(screen, rect.left + 4, rect.top + 4);
      if (pixel == kCaptionBlue) {
        QueryPerformanceCounter(&now);
        elapsed = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
        spot = {rect.left + 4, rect.top + 4};
      }
    }
    if (elapsed < 0) Sleep(1);
  }
  // Only the start is measured; an orderly end under Wine takes seconds of its own.
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  // Every window of this benchmark covers the centre of the others' places.
  WaitUntilNotBlue(screen, spot);
  WaitUntilNotBlue(screen, {400, 350});
  ReleaseDC(nullptr, screen);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

TEST(StartupTime, MainWindowFirstFrameAgainstABareWindow) {
  constexpr int kRuns = 9;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring tracePath = std::wstring(temp) + L"ldw_startup_trace.txt";
  std::vector<double> bare, text, wizard;
  std::vector<std::vector<std::pair<std::string, double>>> traces;
  for (int run = 0; run < kRuns; ++run) {
    bare.push_back(MillisecondsToFirstFrame(LDW_BARE_WINDOW_PATH, L"BareWindow"));
    text.push_back(MillisecondsToFirstFrame(LDW_TEXT_WINDOW_PATH, L"GdiplusTextWindow"));
    DeleteFileW(tracePath.c_str());
    SetEnvironmentVariableW(L"LDW_STARTUP_TRACE", tracePath.c_str());
    wizard.push_back(MillisecondsToFirstFrame(LDW_EXE_PATH, L"MainWnd"));
    SetEnvironmentVariableW(L"LDW_STARTUP_TRACE", nullptr);
    traces.push_back(ReadTrace(tracePath));
  }
  DeleteFileW(tracePath.c_str());
  for (double t : bare) ASSERT_GT(t, 0) << "the bare window never painted";
  for (double t : text) ASSERT_GT(t, 0) << "the GDI+ text window never painted";
  for (double t : wizard) ASSERT_GT(t, 0) << "the main window never painted";
  const double bareMedian = Median(bare), textMedian = Median(text), wizardMedian = Median(wizard);
  std::printf("first painted frame, median of %d: bare window %.0f ms, GDI+ text window %.0f ms, main window %.0f ms "
              "(%.2fx the bare window, %.2fx the GDI+ text window)\n",
              kRuns, bareMedian, textMedian, wizardMedian, wizardMedian / bareMedian, wizardMedian / textMedian);
  // The program's own stages, in the order of the first run that wrote them, as medians since
  // process creation.
  const auto written = std::find_if(traces.begin(), traces.end(), [](const auto& trace) { return !trace.empty(); });
  ASSERT_NE(written, traces.end()) << "the main window wrote no start-up breakdown";
  for (const auto& stage : *written) {
    std::vector<double> times;
    for (const auto& trace : traces) {
      for (const auto& [name, ms] : trace) {
        if (name == stage.first) times.push_back(ms);
      }
    }
    std::printf("  %-9s %6.1f ms\n", stage.first.c_str(), Median(times));
  }
  RecordProperty("bare_ms", static_cast<int>(bareMedian));
  RecordProperty("main_ms", static_cast<int>(wizardMedian));
  // A regression guard with room for a loaded machine, not a target.
  EXPECT_LT(wizardMedian, bareMedian * 10 + 2000);
}

}  // namespace
