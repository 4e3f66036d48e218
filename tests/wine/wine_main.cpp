// Entry of the Wine-tier test executables: GoogleTest with the wide-character GUI entry avoided, so
// the console runner of ctest sees the output.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
