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

// Whether the package is a test build: a Unidrv core file of either family (UNIDRV.DLL,
// UNIDRVUI.DLL, UNIRES.DLL, STDNAMES.GPD, UNIDRV.HLP) is one of the build's test stand-ins, which
// say "TEST STAND-IN" in their text or version resource. Its certificate is then the build's own
// test certificate too. A core file that the package lacks counts as no stand-in.
bool PackageIsTestBuild(const ui::ZipArchive& archive);
// The DriverVer version of a package INF (archive path with backslashes) packed as
// dwlDriverVersion packs it, four 16-bit parts with the first the highest; 0 without one.
uint64_t PackageDriverVersion(const ui::ZipArchive& archive, const std::wstring& infPath);
// "a.b.c.d" of such a version, for the log.
std::wstring DriverVersionText(uint64_t version);
// The SHA-1 hash of the package's certificate in hexadecimal, as certutil names a certificate;
// empty when the archive lacks it.
std::wstring PackageCertificateHash(const ui::ZipArchive& archive, const std::wstring& certificatePath);

// Program files + "\PrinterDriver\Calvane\"; empty when the system cannot name the program-files
// folder (there is no fallback: a folder outside it could be a standard user's).
std::wstring InstallFolder(const SystemInfo& system);
