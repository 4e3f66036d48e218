// Each family's catalogue read with the system's catalogue API: it lists every file the INF
// installs, and the INF itself, under the hash the system computes for that file, and it is signed
// with the package's certificate.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <wincrypt.h>
#include <mscat.h>
// clang-format on

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/driver/wine/extracted_package.h"

namespace {

std::wstring SystemHashTag(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"<unreadable>";
  BYTE hash[20];
  DWORD size = sizeof(hash);
  const BOOL done = CryptCATAdminCalcHashFromFileHandle(file, &size, hash, 0);
  CloseHandle(file);
  if (!done) return L"<no hash>";
  std::wstring tag;
  for (DWORD i = 0; i < size; ++i) {
    wchar_t hex[3];
    swprintf(hex, 3, L"%02X", hash[i]);
    tag += hex;
  }
  return tag;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Windows hashes a PE image without its checksum field (the Authenticode hash); Wine 8 hashes every
// file whole. A copy of the DLL with another checksum tells which this system does.
bool SystemHashesPeImages(const std::wstring& dll) {
  std::string bytes = FileBytes(dll);
  const uint32_t header = *reinterpret_cast<const uint32_t*>(bytes.data() + 0x3C);
  bytes[header + 24 + 64] ^= 0x5A;
  const std::wstring copy = dll + L".checksum";
  std::ofstream(copy.c_str(), std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const bool same = SystemHashTag(copy) == SystemHashTag(dll);
  DeleteFileW(copy.c_str());
  return same;
}

using DriverCatalogue = ExtractedPackageSuite;

TEST_F(DriverCatalogue, ListsEveryInstalledFileUnderTheSystemsHash) {
  for (const wchar_t* family : {L"Driver32\\", L"Driver64\\"}) {
    SCOPED_TRACE(family);
    std::wstring path = Root() + family + L"printer.cat";
    HANDLE cat = CryptCATOpen(path.data(), CRYPTCAT_OPEN_EXISTING, 0, 0, 0);
    ASSERT_NE(cat, INVALID_HANDLE_VALUE) << GetLastError();
    std::set<std::wstring> tags;
    for (CRYPTCATMEMBER* member = CryptCATEnumerateMember(cat, nullptr); member;
         member = CryptCATEnumerateMember(cat, member)) {
      tags.insert(member->pwszReferenceTag);
    }
    CryptCATClose(cat);
    EXPECT_EQ(tags.size(), 5u);
    for (const wchar_t* file : {L"Ombrevia.inf", L"Ombrevia.gpd", L"Ombrevia.ini"}) {
      EXPECT_EQ(tags.count(SystemHashTag(Root() + family + file)), 1u) << file;
    }
    if (!SystemHashesPeImages(Root() + family + L"LABELCORE.dll")) continue;
    for (const wchar_t* file : {L"LABELCORE.dll", L"LABELUI.dll"}) {
      EXPECT_EQ(tags.count(SystemHashTag(Root() + family + file)), 1u) << file;
    }
  }
  if (!SystemHashesPeImages(OwnFamily() + L"LABELCORE.dll")) {
    GTEST_SKIP() << "this system hashes PE images whole, not as Windows does; the DLLs' entries are "
                    "checked by osslsigncode (ctest driver_catalogue.*)";
  }
}

TEST_F(DriverCatalogue, IsSignedWithThePackagesCertificate) {
  const std::string certificate = FileBytes(Root() + L"qmvt.cer");
  ASSERT_FALSE(certificate.empty());
  for (const wchar_t* family : {L"Driver32\\", L"Driver64\\"}) {
    SCOPED_TRACE(family);
    const std::wstring path = Root() + family + L"printer.cat";
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    ASSERT_TRUE(CryptQueryObject(CERT_QUERY_OBJECT_FILE, path.c_str(), CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED,
                                 CERT_QUERY_FORMAT_FLAG_BINARY, 0, nullptr, nullptr, nullptr, &store,
                                 &message, nullptr))
        << GetLastError();
    DWORD size = 0;
    ASSERT_TRUE(CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, nullptr, &size));
    std::string signer(size, '\0');
    ASSERT_TRUE(CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, signer.data(), &size));
    PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                                      CERT_FIND_SUBJECT_CERT, signer.data(), nullptr);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(found->pbCertEncoded), found->cbCertEncoded),
              certificate);
    CertFreeCertificateContext(found);
    CryptMsgClose(message);
    CertCloseStore(store, 0);
  }
}

}  // namespace
