// Paths where the elevated program writes: no link followed, no folder a standard user could own.
#pragma once

#include <string>

#include "context/platform.h"

enum class FolderRefusal {
  kNone,
  kLink,          // a junction or symbolic link: the writes would go where it leads
  kForeignOwner,  // there already, but neither the Administrators' nor SYSTEM's
  kCannotMake,    // could not be made or examined (error says why)
};
struct FolderCheck {
  FolderRefusal refusal = FolderRefusal::kNone;
  std::wstring path;   // the folder refused
  uint32_t error = 0;  // the system's reason, for kCannotMake
};

// Every folder of path below trustedBase (which path begins with) exists afterwards and is safe to
// write into: made now, for Administrators and SYSTEM alone, or there already, owned by them and
// no link. Stops at the first refusal and makes nothing beyond it.
FolderCheck MakePrivateFolderTree(FileSystem& files, const SystemInfo& system,
                                  const std::wstring& trustedBase, const std::wstring& path);

// The first folder or file of a full path ("C:\a\b" or "\\server\share\a") that is a link, or
// empty when none is; the drive or share itself is not examined, nor anything below a missing part.
std::wstring FirstLinkOnPath(const FileSystem& files, const std::wstring& fullPath);
