// The INF variant's driver package as the installer writes it: taken out of the real exe's skin
// package with the product's own extraction, one folder per processor family.
#pragma once

#include <string>

#include "tests/wine/real_skin.h"

class ExtractedPackageSuite : public RealSkinSuite {
 protected:
  static void SetUpTestSuite();
  // The folder holding Driver32\ and Driver64\, ending in a backslash.
  static const std::wstring& Root();
  // The family of this test program's own bitness.
  static std::wstring OwnFamily() { return Root() + (sizeof(void*) == 8 ? L"Driver64\\" : L"Driver32\\"); }
};
