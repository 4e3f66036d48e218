// Closing the program while a worker runs: the process ends at once with code 0, skipping the
// teardown the worker would otherwise find pulled from under it; with no worker it ends in order.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct ChildEnd {
  DWORD exitCode = 99;
  bool teardownRan = false;
};

ChildEnd RunChild(const wchar_t* mode) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe(path, length < MAX_PATH ? length : 0);
  exe = exe.substr(0, exe.rfind(L'\\') + 1) + L"worker_exit_child.exe";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring mark = std::wstring(temp) + L"ldw_worker_exit_" + mode + L".txt";
  DeleteFileW(mark.c_str());

  std::wstring command = L"\"" + exe + L"\" " + mode + L" \"" + mark + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ChildEnd end;
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    ADD_FAILURE() << "cannot start " << exe.size();
    return end;
  }
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the child did not end";
    TerminateProcess(process.hProcess, 98);
  }
  GetExitCodeProcess(process.hProcess, &end.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  end.teardownRan = GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
  DeleteFileW(mark.c_str());
  return end;
}

TEST(ProcessEnd, ClosingDuringAWorkerRunEndsAtOnceWithoutTeardown) {
  const ChildEnd end = RunChild(L"worker");
  EXPECT_EQ(end.exitCode, 0u);
  EXPECT_FALSE(end.teardownRan);
}

TEST(ProcessEnd, WithoutWorkersTheEndIsOrderly) {
  const ChildEnd end = RunChild(L"none");
  EXPECT_EQ(end.exitCode, 0u);
  EXPECT_TRUE(end.teardownRan);
}

}  // namespace
