// Creating ports through a port monitor's configuration channel: the Standard TCP/IP port of a
// network printer, and local ports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "printsys/print_spooler.h"

// The Standard TCP/IP monitor's PORT_DATA_1 record and the offsets of its fields.
constexpr size_t kPortData1Size = 964;
constexpr size_t kPortDataPortNameOffset = 0;  // 64 wide characters
constexpr size_t kPortDataVersionOffset = 128;
constexpr size_t kPortDataProtocolOffset = 132;
constexpr size_t kPortDataSizeOffset = 136;
constexpr size_t kPortDataHostAddressOffset = 144;  // 49 wide characters
constexpr size_t kPortDataIpAddressOffset = 378;    // 16 wide characters
constexpr size_t kPortDataPortNumberOffset = 952;
constexpr size_t kPortDataSnmpEnabledOffset = 956;
constexpr size_t kMaxTcpIpPortNameLength = 63;
constexpr size_t kMaxTcpIpAddressLength = 15;
constexpr uint32_t kRawTcpPortNumber = 9100;
// DELETE_PORT_DATA_1: the port name (64 wide characters), 98 reserved ones, then the version.
constexpr size_t kDeletePortData1Size = 332;
constexpr size_t kDeletePortDataVersionOffset = 324;

// Raw TCP on 9100, SNMP off, the address in both address fields. Nothing when the name or the
// address does not fit (over 63 or 15 characters) or either is empty.
std::optional<std::vector<uint8_t>> BuildPortData1(const std::wstring& portName, const std::wstring& address);

// The port name of a PORT_DATA_1 record, for whatever stands in for the monitor.
std::wstring PortNameOfPortData1(const std::vector<uint8_t>& record);

// Text as the monitors read it: UTF-16 little-endian code units and a terminating 0.
std::vector<uint8_t> WideRecord(const std::wstring& text);
std::wstring WideFromRecord(const uint8_t* data, size_t byteCount);

// "AddPort" on ",XcvMonitor Standard TCP/IP Port"; true when the monitor accepted the record and
// reported success.
bool AddStandardTcpIpPort(PortMonitorChannel& channel, const std::wstring& portName,
                          const std::wstring& address);
bool AddStandardTcpIpPort(const std::wstring& portName, const std::wstring& address);

// "DeletePort" on ",XcvMonitor Standard TCP/IP Port": the port a failed run made goes again,
// without the dialog DeletePortW may show. True when the monitor reported it deleted.
bool RemoveStandardTcpIpPort(PortMonitorChannel& channel, const std::wstring& portName);

constexpr wchar_t kTcpIpMonitorName[] = L"Standard TCP/IP Port";
// The Standard TCP/IP port this system already has for the address: named as the address, or
// "IP_" and the address as Windows' own Add Printer wizard names it; nothing when there is none.
std::optional<std::wstring> TcpIpPortForAddress(PrintSpooler& spooler, const std::wstring& address);

// "AddPort" on ",XcvMonitor Local Port" with the port name: a local port without any dialog.
bool AddLocalPort(PortMonitorChannel& channel, const std::wstring& portName);
