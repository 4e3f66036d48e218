#include "printsys/runtime_imports_win.h"

#include "bluetooth/bluetooth_mingw_gaps_win.h"
#include "ui/win/system_library_win.h"

namespace runtime_imports {

namespace {

// A library loaded for one call and released afterwards; the last error of the call survives.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* name) : module_(ui::LoadSystemLibrary(name)) {}
  ~LoadedLibrary() {
    if (module_ == nullptr) return;
    const DWORD error = GetLastError();
    FreeLibrary(module_);
    SetLastError(error);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  template <typename Function>
  Function Find(const char* nameOrOrdinal) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, nameOrOrdinal)));
  }

 private:
  HMODULE module_;
};

using SetDefaultPrinterFn = BOOL(WINAPI*)(LPCWSTR);
using DeletePackageFn = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR);
using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
using SetServiceStateFn = DWORD(WINAPI*)(HANDLE, BLUETOOTH_DEVICE_INFO*, GUID*, DWORD);
using SetLocalServiceInfoFn = DWORD(WINAPI*)(HANDLE, const GUID*, ULONG, const BLUETOOTH_LOCAL_SERVICE_INFO*);

constexpr WORD kSetDefaultPrinterOrdinal = 204;

}  // namespace

std::optional<BOOL> SetDefaultPrinterByOrdinal(const wchar_t* printerName) {
  LoadedLibrary spooler(L"winspool.drv");
  const auto function = spooler.Find<SetDefaultPrinterFn>(MAKEINTRESOURCEA(kSetDefaultPrinterOrdinal));
  if (function == nullptr) return std::nullopt;
  return function(printerName);
}

std::optional<HRESULT> DeleteDriverPackage(const wchar_t* infPath, const wchar_t* environment) {
  LoadedLibrary spooler(L"winspool.drv");
  const auto function = spooler.Find<DeletePackageFn>("DeletePrinterDriverPackageW");
  if (function == nullptr) return std::nullopt;
  return function(nullptr, infPath, environment);
}

std::optional<USHORT> NativeMachineOfThisSystem() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto function = kernel == nullptr ? nullptr
                                          : reinterpret_cast<IsWow64Process2Fn>(reinterpret_cast<void*>(
                                                GetProcAddress(kernel, "IsWow64Process2")));
  USHORT process = 0, native = 0;
  if (function == nullptr || !function(GetCurrentProcess(), &process, &native)) return std::nullopt;
  return native;
}

std::optional<DWORD> BluetoothAuthenticateDevice(BLUETOOTH_DEVICE_INFO* device, wchar_t* passkey,
                                                 ULONG passkeyLength) {
  LoadedLibrary bluetooth(L"bthprops.cpl");
  const auto function = bluetooth.Find<BluetoothAuthenticateDeviceFn>("BluetoothAuthenticateDevice");
  if (function == nullptr) return std::nullopt;
  return function(nullptr, nullptr, device, passkey, passkeyLength);
}

std::optional<DWORD> BluetoothSetServiceState(BLUETOOTH_DEVICE_INFO* device, GUID* service, DWORD flags) {
  LoadedLibrary bluetooth(L"bthprops.cpl");
  const auto function = bluetooth.Find<SetServiceStateFn>("BluetoothSetServiceState");
  if (function == nullptr) return std::nullopt;
  return function(nullptr, device, service, flags);
}

std::optional<DWORD> BluetoothSetLocalServiceInfo(const GUID* service, ULONG instance,
                                                  const BLUETOOTH_LOCAL_SERVICE_INFO* info) {
  LoadedLibrary bluetooth(L"bthprops.cpl");
  const auto function = bluetooth.Find<SetLocalServiceInfoFn>("BluetoothSetLocalServiceInfo");
  if (function == nullptr) return std::nullopt;
  return function(nullptr, service, instance, info);
}

}  // namespace runtime_imports
