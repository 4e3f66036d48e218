// How the process ends after its message loop.
#pragma once

// While a worker still runs, ends the process at once with the code: no framework shutdown, no
// static destructors and no DLL detach, so nothing the worker reads (texts, the skin archive, the
// application context) is torn down under it. Returns only when no worker runs; the caller then
// shuts down in order.
void EndAtOnceIfWorkersRun(int exitCode);
