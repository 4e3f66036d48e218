// Process entry: COM and OLE, the skin package, the languages, then the orderly end.
#include <objbase.h>
#include <ole2.h>
#include <windows.h>

#include "app/localisation.h"
#include "app/skin_package.h"
#include "context/app_context.h"
#include "ui/resources.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (FAILED(CoInitialize(nullptr))) return 0;
  OleInitialize(nullptr);

  ui::Resources& resources = ui::Resources::Instance();
  resources.SetInstanceHandle(instance);
  AttachSkinPackage(instance, resources);
  RegisterLanguages(CAppContext::Instance());

  resources.Shutdown();
  OleUninitialize();
  CoUninitialize();
  return 0;
}
