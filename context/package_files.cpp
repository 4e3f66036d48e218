#include "context/package_files.h"

#include <algorithm>

#include "ui/utf.h"

namespace {

// Error codes set when the archive, not the system, is the reason.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidData = 13;
constexpr uint32_t kErrorFileTooLarge = 223;

// Paths at most this long in ANSI bytes, as the folder helper has always supported.
constexpr size_t kMaxAnsiPath = 259;

}  // namespace

bool ExtractSkinFile(const ui::ZipArchive& archive, FileSystem& files, SystemInfo& system,
                     const std::wstring& sourcePath, const std::wstring& destinationFolder,
                     std::vector<wchar_t>& dependentFiles) {
  const size_t slash = sourcePath.rfind(L'\\');
  if (slash == std::wstring::npos) return false;
  const std::wstring fileName = sourcePath.substr(slash + 1);
  dependentFiles.insert(dependentFiles.end(), fileName.begin(), fileName.end());

  if (!archive.IsOpen()) {
    system.SetLastError(kErrorFileNotFound);
    return false;
  }
  std::wstring entryName = sourcePath;
  for (wchar_t& c : entryName) {
    if (c == L'\\') c = L'/';
  }
  const ui::ZipEntry* entry = archive.Find(ui::WideToUtf8(entryName));
  if (entry == nullptr || entry->uncompressedSize == 0) {
    system.SetLastError(kErrorFileNotFound);
    return false;
  }
  if (entry->uncompressedSize > kMaxExtractedFileSize) {
    system.SetLastError(kErrorFileTooLarge);
    return false;
  }
  std::vector<uint8_t> buffer(entry->uncompressedSize);
  const ui::ZipResult result = archive.Extract(*entry, buffer.data(), buffer.size());
  if (result != ui::ZipResult::kOk && result != ui::ZipResult::kMoreData) {
    system.SetLastError(kErrorInvalidData);
    return false;
  }
  return files.WriteWholeFile(destinationFolder + fileName, buffer.data(), buffer.size());
}

int MakeDirectoryTree(FileSystem& files, const std::wstring& path) {
  const std::string ansi = files.ToAnsi(path);
  std::string built;
  if (!files.CurrentDirectory(built)) return -1;
  // Longer paths used to be cut short silently, which created the wrong folders; refuse them.
  if (ansi.size() > kMaxAnsiPath) return -1;

  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= ansi.size()) {
    const size_t end = std::min(ansi.find('\\', start), ansi.size());
    if (end > start) parts.push_back(ansi.substr(start, end - start));
    start = end + 1;
  }
  if (parts.empty()) return -1;
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part.find(':') != std::string::npos) {
      built = part;
      continue;
    }
    built += "\\" + part;
    if (!files.FolderExists(built) && files.CreateFolder(built) == CreateFolderResult::kFailed) return -1;
  }
  return 1;
}

std::wstring InstallFolder(const SystemInfo& system) {
  const std::wstring programFiles = system.ProgramFilesFolder();
  if (programFiles.empty()) return {};
  return programFiles + L"\\PrinterDriver\\Calvane\\";
}
