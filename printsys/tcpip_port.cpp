#include "printsys/tcpip_port.h"

#include "printsys/print_system.h"
#include "printsys/spooler_queries.h"

namespace {

constexpr size_t kPortNameField = 64;
constexpr size_t kHostAddressField = 49;
constexpr size_t kIpAddressField = 16;

void PutUint32(std::vector<uint8_t>& record, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) record[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutUnit(std::vector<uint8_t>& bytes, size_t offset, uint16_t unit) {
  bytes[offset] = static_cast<uint8_t>(unit);
  bytes[offset + 1] = static_cast<uint8_t>(unit >> 8);
}

std::vector<uint16_t> Utf16Units(const std::wstring& text) {
  std::vector<uint16_t> units;
  for (wchar_t c : text) {
    const uint32_t code = static_cast<uint32_t>(c);
    if (code > 0xFFFF && code <= 0x10FFFF) {
      units.push_back(static_cast<uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
      units.push_back(static_cast<uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<uint16_t>(code));
    }
  }
  return units;
}

// Bounded copy: at most fieldChars - 1 units, the rest of the field stays zero.
bool PutText(std::vector<uint8_t>& record, size_t offset, size_t fieldChars, const std::wstring& text) {
  const std::vector<uint16_t> units = Utf16Units(text);
  if (units.size() >= fieldChars) return false;
  for (size_t i = 0; i < units.size(); ++i) PutUnit(record, offset + 2 * i, units[i]);
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> BuildPortData1(const std::wstring& portName,
                                                   const std::wstring& address) {
  if (portName.empty() || address.empty()) return std::nullopt;
  if (portName.size() > kMaxTcpIpPortNameLength || address.size() > kMaxTcpIpAddressLength)
    return std::nullopt;
  std::vector<uint8_t> record(kPortData1Size, 0);
  if (!PutText(record, kPortDataPortNameOffset, kPortNameField, portName) ||
      !PutText(record, kPortDataHostAddressOffset, kHostAddressField, address) ||
      !PutText(record, kPortDataIpAddressOffset, kIpAddressField, address)) {
    return std::nullopt;  // characters outside the basic plane made the text too long
  }
  PutUint32(record, kPortDataVersionOffset, 1);
  PutUint32(record, kPortDataProtocolOffset, 1);  // raw TCP
  PutUint32(record, kPortDataSizeOffset, kPortData1Size);
  PutUint32(record, kPortDataPortNumberOffset, kRawTcpPortNumber);
  PutUint32(record, kPortDataSnmpEnabledOffset, 0);
  return record;
}

std::wstring PortNameOfPortData1(const std::vector<uint8_t>& record) {
  if (record.size() < kPortData1Size) return {};
  return WideFromRecord(record.data() + kPortDataPortNameOffset, 2 * kPortNameField);
}

std::vector<uint8_t> WideRecord(const std::wstring& text) {
  std::vector<uint16_t> units = Utf16Units(text);
  units.push_back(0);
  std::vector<uint8_t> bytes(2 * units.size());
  for (size_t i = 0; i < units.size(); ++i) PutUnit(bytes, 2 * i, units[i]);
  return bytes;
}

std::wstring WideFromRecord(const uint8_t* data, size_t byteCount) {
  std::wstring text;
  for (size_t i = 0; i + 1 < byteCount; i += 2) {
    const uint16_t unit = static_cast<uint16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(static_cast<wchar_t>(unit));
  }
  return text;
}

bool AddStandardTcpIpPort(PortMonitorChannel& channel, const std::wstring& portName,
                          const std::wstring& address) {
  const std::optional<std::vector<uint8_t>> record = BuildPortData1(portName, address);
  if (!record) return false;
  // XcvDataW succeeds whenever the monitor was reached; its status tells whether the port was made.
  uint32_t status = 0;
  return channel.SendCommand(kTcpIpMonitorName, L"AddPort", *record, status) && status == 0;
}

bool AddStandardTcpIpPort(const std::wstring& portName, const std::wstring& address) {
  return AddStandardTcpIpPort(DefaultPrintSystem().portMonitor, portName, address);
}

bool RemoveStandardTcpIpPort(PortMonitorChannel& channel, const std::wstring& portName) {
  std::vector<uint8_t> record(kDeletePortData1Size, 0);
  if (portName.empty() || !PutText(record, 0, kPortNameField, portName)) return false;
  PutUint32(record, kDeletePortDataVersionOffset, 1);
  uint32_t status = 0;
  return channel.SendCommand(kTcpIpMonitorName, L"DeletePort", record, status) && status == 0;
}

std::optional<std::wstring> TcpIpPortForAddress(PrintSpooler& spooler, const std::wstring& address) {
  if (address.empty()) return std::nullopt;
  for (const std::wstring& name : {address, L"IP_" + address}) {
    const PortSummary port = FindPort(spooler, name);
    if (!port.name.empty() && port.monitorName == kTcpIpMonitorName) return port.name;
  }
  return std::nullopt;
}

bool AddLocalPort(PortMonitorChannel& channel, const std::wstring& portName) {
  if (portName.empty()) return false;
  uint32_t status = 0;
  return channel.SendCommand(L"Local Port", L"AddPort", WideRecord(portName), status) && status == 0;
}
