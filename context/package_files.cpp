#include "context/package_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "driver/catalog/sha1.h"
#include "ui/utf.h"

namespace {

// Error codes set when the archive, not the system, is the reason.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidData = 13;
constexpr uint32_t kErrorFileTooLarge = 223;

// Paths at most this long in ANSI bytes, as the folder helper has always supported.
constexpr size_t kMaxAnsiPath = 259;

bool ReadPackageEntry(const ui::ZipArchive& archive, const std::wstring& path, std::vector<uint8_t>& bytes) {
  std::string name = ui::WideToUtf8(path);
  std::replace(name.begin(), name.end(), '\\', '/');
  return archive.IsOpen() && archive.ReadEntry(name, bytes, kMaxExtractedFileSize);
}

// The marker in one byte per character (text stand-ins) or in UTF-16 (a version resource).
bool CarriesStandInMarker(const std::vector<uint8_t>& bytes) {
  const std::string marker = "TEST STAND-IN";
  std::string wide;
  for (char c : marker) wide += std::string{c, '\0'};
  const auto holds = [&](const std::string& what) {
    return std::search(bytes.begin(), bytes.end(), what.begin(), what.end()) != bytes.end();
  };
  return holds(marker) || holds(wide);
}

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

bool PackageIsTestBuild(const ui::ZipArchive& archive) {
  for (const wchar_t* family : {L"Driver32", L"Driver64"}) {
    for (const wchar_t* file :
         {L"UNIDRV.DLL", L"UNIDRVUI.DLL", L"UNIRES.DLL", L"STDNAMES.GPD", L"UNIDRV.HLP"}) {
      std::vector<uint8_t> bytes;
      const std::wstring path = std::wstring(L"driver\\label\\") + family + L"\\" + file;
      if (ReadPackageEntry(archive, path, bytes) && CarriesStandInMarker(bytes)) return true;
    }
  }
  return false;
}

uint64_t PackageDriverVersion(const ui::ZipArchive& archive, const std::wstring& infPath) {
  std::vector<uint8_t> bytes;
  if (!ReadPackageEntry(archive, infPath, bytes)) return 0;
  // An INF is ANSI or UTF-16; the line wanted is ASCII either way.
  std::string text;
  for (uint8_t byte : bytes) {
    if (byte != 0) text += static_cast<char>(std::tolower(byte));
  }
  for (size_t at = text.find("driverver"); at != std::string::npos; at = text.find("driverver", at + 1)) {
    if (at != 0 && text[at - 1] != '\n') continue;
    const size_t comma = text.find(',', at);
    const size_t end = text.find_first_of("\r\n;", at);
    if (comma == std::string::npos || comma > end) return 0;
    unsigned parts[4] = {};
    const int read =
        std::sscanf(text.c_str() + comma + 1, " %u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
    if (read < 1) return 0;
    uint64_t version = 0;
    for (unsigned part : parts) version = (version << 16) | (part & 0xFFFF);
    return version;
  }
  return 0;
}

std::wstring DriverVersionText(uint64_t version) {
  return std::to_wstring(version >> 48) + L"." + std::to_wstring((version >> 32) & 0xFFFF) + L"." +
         std::to_wstring((version >> 16) & 0xFFFF) + L"." + std::to_wstring(version & 0xFFFF);
}

std::wstring PackageCertificateHash(const ui::ZipArchive& archive, const std::wstring& certificatePath) {
  std::vector<uint8_t> bytes;
  if (!ReadPackageEntry(archive, certificatePath, bytes)) return {};
  catalog::Sha1 sha1;
  sha1.Update(bytes.data(), bytes.size());
  std::wstring hex;
  for (uint8_t byte : sha1.Final()) {
    const wchar_t digits[] = L"0123456789abcdef";
    hex += digits[byte >> 4];
    hex += digits[byte & 0xF];
  }
  return hex;
}

std::wstring InstallFolder(const SystemInfo& system) {
  const std::wstring programFiles = system.ProgramFilesFolder();
  if (programFiles.empty()) return {};
  return programFiles + L"\\PrinterDriver\\Calvane\\";
}
