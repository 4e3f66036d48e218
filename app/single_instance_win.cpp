#include "app/single_instance_win.h"

namespace {

// "Global\": one run per machine, not per session, since both change the same spooler. Only
// administrators may make global objects, so a standard user cannot hold the name beforehand.
constexpr wchar_t kMutexName[] = L"Global\\LabelDriverWizard.Run.5c1f0b2e";

}  // namespace

SingleInstanceLock::SingleInstanceLock() {
  mutex_ = CreateMutexW(nullptr, TRUE, kMutexName);
  const DWORD error = GetLastError();
  // Another run made it (ERROR_ALREADY_EXISTS), or holds it where this one may not open it.
  first_ = !(error == ERROR_ALREADY_EXISTS || (mutex_ == nullptr && error == ERROR_ACCESS_DENIED));
}

SingleInstanceLock::~SingleInstanceLock() {
  if (mutex_ == nullptr) return;
  if (first_) ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}
