// One run of the program at a time, whether wizard or command line: two runs would write the same
// install folder and race on the same spooler entries.
#pragma once

#include <windows.h>

class SingleInstanceLock {
 public:
  // Takes the machine-wide named mutex; held until the object goes.
  SingleInstanceLock();
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // False when another run of the program holds the mutex.
  bool First() const { return first_; }

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};
