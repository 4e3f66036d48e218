// Ends the way the program ends after its message loop, with a worker still reading texts (first
// argument "worker") or with none. The second argument names a file that a static destructor
// writes to, so the test sees whether the orderly teardown ran.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/localisation.h"
#include "app/process_end_win.h"
#include "context/live_workers.h"
#include "ui/resources.h"

namespace {

std::wstring g_markFile;

struct TeardownMark {
  ~TeardownMark() {
    if (FILE* file = _wfopen(g_markFile.c_str(), L"w")) {
      std::fputs("static destructors ran", file);
      std::fclose(file);
    }
  }
};

DWORD WINAPI RunWorker(void* parameter) {
  auto* body = static_cast<std::function<void()>*>(parameter);
  (*body)();
  delete body;
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  g_markFile = argv[2];
  static TeardownMark mark;
  ui::Resources& resources = ui::Resources::Instance();
  if (!resources.LoadLanguage("<Res><Text id=\"tip.close\" value=\"Close\"/></Res>")) return 3;

  if (std::wstring(argv[1]) == L"worker") {
    HANDLE reading = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto* body = new std::function<void()>(TrackWorker([reading] {
      for (;;) {
        if (GetText(L"tip.close") == L"Close") SetEvent(reading);
      }
    }));
    HANDLE thread = CreateThread(nullptr, 0, RunWorker, body, 0, nullptr);
    if (thread == nullptr) return 4;
    CloseHandle(thread);
    if (WaitForSingleObject(reading, 10000) != WAIT_OBJECT_0) return 5;
  }

  // What the entry does once its message loop has ended.
  EndAtOnceIfWorkersRun(0);
  resources.Shutdown();
  return 0;
}
