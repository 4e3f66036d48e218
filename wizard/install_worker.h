// The install worker: what happens between Next on the summary page and the finish row.
#pragma once

#include <cstdint>
#include <functional>

class CAppContext;

// The step that ended a run early, for callers that report it (the command line's exit code).
// kDefaultPrinter: the printer was made but could not become the default printer.
enum class InstallFailure : uint8_t { kNone, kPort, kDriver, kPrinter, kDefaultPrinter };

struct InstallOutcome {
  uint8_t printerInstalled = 0;
  uint8_t networkPortAdded = 0;
  InstallFailure failure = InstallFailure::kNone;
};

// Tries while the call answers false, pausing between tries, at most this often.
constexpr int kBluetoothServiceTries = 41;
constexpr uint32_t kBluetoothRetryPauseMs = 250;

// The worker thread's body: a fresh outcome, the install, then the completion step with it.
void InstallThreadProc(CAppContext& context, const std::function<void(const InstallOutcome*)>& finished);
