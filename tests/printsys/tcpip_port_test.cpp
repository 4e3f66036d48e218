#include "printsys/tcpip_port.h"

#include <gtest/gtest.h>

#include "printsys/spooler_queries.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

uint32_t Uint32At(const std::vector<uint8_t>& record, size_t offset) {
  return record[offset] | (record[offset + 1] << 8) | (record[offset + 2] << 16) |
         (static_cast<uint32_t>(record[offset + 3]) << 24);
}

std::wstring TextAt(const std::vector<uint8_t>& record, size_t offset, size_t chars) {
  return WideFromRecord(record.data() + offset, 2 * chars);
}

TEST(PortData1, FieldsSitAtTheMonitorsOffsets) {
  const auto record = BuildPortData1(L"192.168.1.100_2", L"192.168.1.100");
  ASSERT_TRUE(record);
  ASSERT_EQ(record->size(), 964u);
  EXPECT_EQ(TextAt(*record, 0, 64), L"192.168.1.100_2");
  EXPECT_EQ(Uint32At(*record, 128), 1u);  // version
  EXPECT_EQ(Uint32At(*record, 132), 1u);  // raw TCP
  EXPECT_EQ(Uint32At(*record, 136), 964u);
  EXPECT_EQ(Uint32At(*record, 140), 0u);
  EXPECT_EQ(TextAt(*record, 144, 49), L"192.168.1.100");
  EXPECT_EQ(TextAt(*record, 242, 33), L"");  // SNMP community
  EXPECT_EQ(Uint32At(*record, 308), 0u);     // double spool
  EXPECT_EQ(TextAt(*record, 312, 33), L"");  // queue
  EXPECT_EQ(TextAt(*record, 378, 16), L"192.168.1.100");
  EXPECT_EQ(Uint32At(*record, 952), 9100u);
  EXPECT_EQ(Uint32At(*record, 956), 0u);  // SNMP off
  EXPECT_EQ(Uint32At(*record, 960), 0u);
  for (size_t i = 410; i < 952; ++i) ASSERT_EQ((*record)[i], 0) << "reserved byte " << i;
  EXPECT_EQ(PortNameOfPortData1(*record), L"192.168.1.100_2");
}

TEST(PortData1, RefusesWhatDoesNotFitItsField) {
  const std::wstring name63(63, L'p'), address15 = L"255.255.255.255";
  struct Case {
    std::wstring name, address;
    bool fits;
  };
  const Case cases[] = {{name63, address15, true},
                        {name63 + L"p", address15, false},
                        {name63, address15 + L"5", false},
                        {L"", address15, false},
                        {name63, L"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.size());
    const auto record = BuildPortData1(c.name, c.address);
    ASSERT_EQ(record.has_value(), c.fits);
    if (c.fits) {
      EXPECT_EQ(TextAt(*record, 0, 64), c.name);
      EXPECT_EQ((*record)[126], 0);  // the terminator fits inside the field
      EXPECT_EQ(TextAt(*record, 378, 16), c.address);
    }
  }
}

class StandardTcpIpPort : public ::testing::Test {
 protected:
  FakePlatform fake;
  FakePrintSystem print{fake.system};
};

TEST_F(StandardTcpIpPort, TheMonitorGetsTheRecordAndThePortAppears) {
  ASSERT_TRUE(AddStandardTcpIpPort(print.portMonitor, L"10.0.0.7", L"10.0.0.7"));
  ASSERT_EQ(print.portMonitor.records.size(), 1u);
  EXPECT_EQ(print.portMonitor.records[0].size(), 964u);
  EXPECT_TRUE(PortExists(print.spooler, L"10.0.0.7"));
  EXPECT_EQ(print.spooler.ports.back().monitorName, L"Standard TCP/IP Port");
}

TEST_F(StandardTcpIpPort, FailuresAnswerFalse) {
  EXPECT_FALSE(AddStandardTcpIpPort(print.portMonitor, std::wstring(64, L'p'), L"10.0.0.7"));
  EXPECT_TRUE(print.portMonitor.records.empty()) << "refused before the record is built";

  EXPECT_FALSE(AddStandardTcpIpPort(print.portMonitor, L"COM1:", L"10.0.0.7"))
      << "the monitor's status reports the existing port";

  print.portMonitor.addPortFails = true;
  EXPECT_FALSE(AddStandardTcpIpPort(print.portMonitor, L"10.0.0.8", L"10.0.0.8"));
  print.portMonitor.addPortFails = false;
  print.portMonitor.tcpIpMonitorPresent = false;
  EXPECT_FALSE(AddStandardTcpIpPort(print.portMonitor, L"10.0.0.8", L"10.0.0.8"));
  EXPECT_EQ(fake.system.lastError, kErrorUnknownPort);
  EXPECT_FALSE(PortExists(print.spooler, L"10.0.0.8"));
}

TEST(WideRecord, IsUtf16LittleEndianWithTerminator) {
  EXPECT_EQ(WideRecord(L"A\u00e9"), (std::vector<uint8_t>{0x41, 0, 0xe9, 0, 0, 0}));
  const std::vector<uint8_t> odd = {0x41, 0, 0x42};  // a stray last byte is not read
  EXPECT_EQ(WideFromRecord(odd.data(), odd.size()), L"A");
}

}  // namespace
