#include "app/process_end_win.h"

#include <windows.h>

#include "context/live_workers.h"

void EndAtOnceIfWorkersRun(int exitCode) {
  if (LiveWorkerCount() == 0) return;
  // ExitProcess would stop the workers wherever they are, maybe holding a lock, and then run the
  // static destructors and every DLL's detach; terminating skips all of that.
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
}
