// Built twice; the prefix makes Wine report 6.1 to one exe name and 6.2 to the other.
#include <gtest/gtest.h>

#include "context/app_context.h"

namespace {

TEST(WindowsVersion, ChoosesTheDriverModelVariant) {
  OsVersion version;
  ASSERT_TRUE(DefaultPlatform().system.QueryVersion(version));
  EXPECT_EQ(version.major, 6u);
  EXPECT_EQ(version.minor, EXPECT_WINDOWS_8 ? 2u : 1u);
  CAppContext& context = CAppContext::Instance();
  EXPECT_EQ(context.IsWindows8OrNewer(), static_cast<bool>(EXPECT_WINDOWS_8));
  ASSERT_EQ(context.m_driverModels.size(), 1u);
  EXPECT_EQ(context.m_driverModels[0].infName.empty(), !EXPECT_WINDOWS_8);
  EXPECT_EQ(context.IsWow64(), sizeof(void*) == 4);  // the 32-bit product runs under WOW64
}

}  // namespace
