// Putting the driver package on disk: one file out of the skin archive, and folder trees.
#pragma once

#include <string>
#include <vector>

#include "context/platform.h"
#include "ui/zip_archive.h"

// Largest package file the program writes out.
constexpr size_t kMaxExtractedFileSize = 4u << 20;

// sourcePath is an archive path with backslashes; destinationFolder ends in a backslash. The file
// name is appended to dependentFiles (without terminator) before anything can fail, as the legacy
// install's dependent-file list expects. On failure the system's last error says why.
bool ExtractSkinFile(const ui::ZipArchive& archive, FileSystem& files, SystemInfo& system,
                     const std::wstring& sourcePath, const std::wstring& destinationFolder,
                     std::vector<wchar_t>& dependentFiles);

// 1 when every folder of the path exists afterwards, -1 otherwise. Stops at the first folder that
// cannot be created and leaves the ones made before it.
int MakeDirectoryTree(FileSystem& files, const std::wstring& path);

// Program files + "\PrinterDriver\Calvane\"; empty when the system cannot name the program-files
// folder (there is no fallback: a folder outside it could be a standard user's).
std::wstring InstallFolder(const SystemInfo& system);
