#include "context/safe_paths.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kErrorAlreadyExists = 183;

// The path's parts after its start (a drive "C:" or a share "\\server\share"), each with the path
// up to and including it.
std::vector<std::wstring> PrefixesBelow(const std::wstring& path, size_t start) {
  std::vector<std::wstring> prefixes;
  while (start < path.size()) {
    const size_t end = std::min(path.find(L'\\', start), path.size());
    if (end > start) prefixes.push_back(path.substr(0, end));
    start = end + 1;
  }
  return prefixes;
}

}  // namespace

FolderCheck MakePrivateFolderTree(FileSystem& files, const SystemInfo& system,
                                  const std::wstring& trustedBase, const std::wstring& path) {
  size_t base = trustedBase.size();
  while (base > 0 && trustedBase[base - 1] == L'\\') --base;
  for (const std::wstring& folder : PrefixesBelow(path, base)) {
    const PathFacts facts = files.Examine(folder);
    switch (facts.kind) {
      case PathKind::kFolder:
        if (!facts.ownedByAdministrators) return {FolderRefusal::kForeignOwner, folder, 0};
        break;
      case PathKind::kMissing:
        if (!files.CreatePrivateFolder(folder))
          return {FolderRefusal::kCannotMake, folder, system.LastError()};
        break;
      case PathKind::kLink:
        return {FolderRefusal::kLink, folder, 0};
      case PathKind::kFile:
        return {FolderRefusal::kCannotMake, folder, kErrorAlreadyExists};
      case PathKind::kUnreadable:
        return {FolderRefusal::kCannotMake, folder, system.LastError()};
    }
  }
  return {};
}

std::wstring FirstLinkOnPath(const FileSystem& files, const std::wstring& fullPath) {
  size_t start = 0;
  if (fullPath.rfind(L"\\\\", 0) == 0) {  // \\server\share: both parts belong to the start
    const size_t server = fullPath.find(L'\\', 2);
    start = server == std::wstring::npos ? fullPath.size() : fullPath.find(L'\\', server + 1);
    if (start == std::wstring::npos) start = fullPath.size();
  } else if (fullPath.size() >= 2 && fullPath[1] == L':') {
    start = 2;
  }
  for (const std::wstring& part : PrefixesBelow(fullPath, start)) {
    const PathKind kind = files.Examine(part).kind;
    if (kind == PathKind::kLink) return part;
    if (kind == PathKind::kMissing) break;
  }
  return {};
}
