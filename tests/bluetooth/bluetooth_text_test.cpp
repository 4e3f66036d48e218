#include "bluetooth/bluetooth_text.h"

#include <gtest/gtest.h>

namespace {

TEST(BluetoothAddressText, MostSignificantByteFirst) {
  EXPECT_EQ(FormatBluetoothAddress(0x001B350AFFC2, true), L"00-1B-35-0A-FF-C2");
  EXPECT_EQ(FormatBluetoothAddress(0x001B350AFFC2, false), L"001B350AFFC2");
  EXPECT_EQ(FormatBluetoothAddress(0, true), L"00-00-00-00-00-00");
  EXPECT_EQ(FormatBluetoothAddress(0xFFFF123456789ABC, false), L"123456789ABC")
      << "the top 16 bits are no address";
}

TEST(BluetoothAddressText, ComInstanceMatchOnTheSecondToLastPiece) {
  struct Case {
    const wchar_t* instanceId;
    bool matches;
  };
  const Case cases[] = {
      {L"BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&000F\\7&1&0_001B350AFFC2_C00000000", true},
      {L"BTHENUM\\X_7&1&0_001b350affc2_C0", true},    // case does not matter
      {L"BTHENUM\\X_7&1&0_99001B350AFFC2_C0", true},  // the last 12 characters count
      {L"BTHENUM\\X_001B350AFFC2", false},            // the address is the last piece
      {L"BTHENUM\\X_1B350AFFC2_C0", false},           // shorter than 12
      {L"BTHENUM\\X001B350AFFC2", false},             // no "_"
      {L"BTHENUM\\X_001B350AFFC3_C0", false},
      {L"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComInstanceMatchesAddress(c.instanceId, L"001B350AFFC2"), c.matches) << c.matches;
  }
}

TEST(BluetoothPin, CheckAndInputFilter) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* filtered;
    bool valid;
  };
  const Case cases[] = {
      {L"5917", L"5917", true},      {L"ab12CD", L"ab12CD", true},    {L"59 17", L"5917", false},
      {L"12-34", L"1234", false},    {L"\u00e9t\u00e9", L"t", false}, {L"", L"", false},
      {L"\uff11\uff12", L"", false},  // full-width digits are not ASCII
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterPinInput(c.typed), c.filtered);
    EXPECT_EQ(IsValidBluetoothPin(c.typed), c.valid);
    EXPECT_EQ(IsValidBluetoothPin(FilterPinInput(c.typed)), *c.filtered != 0);
  }
}

}  // namespace
