#include <windows.h>

#include "app/skin_package.h"
#include "ui/resources.h"

bool AttachSkinPackage(void* module, ui::Resources& resources) {
  const HMODULE instance = static_cast<HMODULE>(module);
  wchar_t exePath[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, exePath, MAX_PATH);
  std::wstring folder(exePath, length);
  folder.erase(folder.find_last_of(L'\\') + 1);
  resources.SetResourcePath(folder + L"skin\\Calvane\\");

  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(129), L"ZIPRES");
  if (info == nullptr) return false;
  HGLOBAL loaded = LoadResource(instance, info);
  if (loaded == nullptr) return false;
  const DWORD size = SizeofResource(instance, info);
  bool attached = false;
  if (size != 0) {
    attached = resources.AttachArchive(LockResource(loaded), size);
    if (attached) resources.LoadResourceMap("res.xml");
  }
  FreeResource(loaded);  // a no-op for module resources; the bytes stay mapped with the module
  return attached;
}
