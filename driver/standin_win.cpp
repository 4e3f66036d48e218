// The test stand-ins of UNIDRV.DLL and UNIDRVUI.DLL (UNIRES.DLL is only its version resource). They
// exist so that the everyday build's package is complete and loadable in tests; they render
// nothing and show nothing, and every entry that would do real work fails with
// ERROR_NOT_SUPPORTED. The distribution build packs the genuine files instead.
#include <windows.h>

namespace {

BOOL Refuse() {
  OutputDebugStringW(L"LABEL driver package: a TEST STAND-IN of a Unidrv core file was called\n");
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

}  // namespace

extern "C" {

BOOL WINAPI DrvEnableDriver(ULONG, ULONG, void*) { return Refuse(); }
BOOL WINAPI DrvQueryDriverInfo(DWORD, void*, DWORD, DWORD*) { return Refuse(); }
LONG WINAPI DrvDocumentPropertySheets(void*, LPARAM) { return Refuse() ? 1 : -1; }
LONG WINAPI DrvDevicePropertySheets(void*, LPARAM) { return Refuse() ? 1 : -1; }
DWORD WINAPI DrvDeviceCapabilities(HANDLE, wchar_t*, WORD, void*, DEVMODEW*) {
  return Refuse() ? 0 : GDI_ERROR;
}
BOOL WINAPI DrvConvertDevMode(wchar_t*, DEVMODEW*, DEVMODEW*, LONG*, DWORD) { return Refuse(); }
// Installing and removing a driver calls these; a stand-in has nothing to set up or clean up.
BOOL WINAPI DrvDriverEvent(DWORD, DWORD, BYTE*, LPARAM) { return TRUE; }
BOOL WINAPI DrvPrinterEvent(wchar_t*, INT, DWORD, LPARAM) { return TRUE; }
BOOL WINAPI DrvUpgradePrinter(DWORD, BYTE*) { return TRUE; }

}  // extern "C"
