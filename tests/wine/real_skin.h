// A test suite over the real exe's skin package, attached once for the suite, with the program's
// languages registered in the application context.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "app/skin_package.h"
#include "context/app_context.h"
#include "ui/edit.h"
#include "ui/resources.h"

class RealSkinSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Module() = LoadLibraryExW(LDW_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(AttachSkinPackage(Module(), ui::Resources::Instance()));
    RegisterLanguages(CAppContext::Instance());
  }
  static void TearDownTestSuite() {
    ui::Resources::Instance().Shutdown();
    FreeLibrary(Module());
  }

 private:
  static HMODULE& Module() {
    static HMODULE module = nullptr;
    return module;
  }
};

// Runs a new window's messages until what it does after its first frame is done: its hidden
// pages' native edits, its tooltip and its shadow come then.
inline void FinishFirstFrame() {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  } while (GetTickCount() - start < 60);
}

// Runs the window's messages until the log's native window has every line written to it (they go
// there at the window's next frame), or for two seconds at most.
inline void ShowLogLines(const ui::RichEdit& log) {
  const DWORD start = GetTickCount();
  while (!log.ViewUpToDate() && GetTickCount() - start < 2000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  }
}
