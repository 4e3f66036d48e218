#include "printsys/device_setup_win.h"

#include <cstddef>
#include <memory>

#include "printsys/win32_support_win.h"

namespace {

constexpr DWORD kInstanceIdChars = 256;
constexpr DWORD kPropertyBytes = 520;
constexpr DWORD kPortNameBytes = 254;  // at most 255 bytes, kept to whole characters

bool ReadProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  BYTE value[kPropertyBytes] = {};
  return SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr, value, sizeof(value), nullptr) !=
         FALSE;
}

std::wstring ReadPortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
  win32::RegistryKey key(SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
  if (!key) return {};
  wchar_t name[kPortNameBytes / sizeof(wchar_t)] = {};
  DWORD type = 0;
  DWORD size = kPortNameBytes;
  if (RegQueryValueExW(key.get(), L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  return win32::BoundedString(name, size / sizeof(wchar_t));
}

// The write's record and what its completion routine leaves: the routine gets the OVERLAPPED back,
// the first member, and finds the rest from it.
constexpr uint32_t kCancelPollMs = 50;

struct PendingWrite {
  OVERLAPPED overlapped{};
  DWORD error = 0;
  bool completed = false;
};

VOID CALLBACK WriteCompleted(DWORD error, DWORD, LPOVERLAPPED overlapped) {
  auto* write = reinterpret_cast<PendingWrite*>(overlapped);
  write->error = error;
  write->completed = true;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

bool Win32DeviceSetup::WriteToDevice(const std::wstring& devicePath, const std::vector<uint8_t>& data,
                                     uint32_t waitMs) {
  if (devicePath.empty()) return false;
  FileHandle device(CreateFileW(devicePath.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (device.get() == INVALID_HANDLE_VALUE) return false;
  // The record and the data stay until the system has finished with them: on the heap, given up
  // rather than freed when a cancelled write never completes.
  struct Write {
    PendingWrite pending;
    std::vector<uint8_t> bytes;
  };
  auto write = std::make_unique<Write>();
  write->bytes = data;
  if (!WriteFileEx(device.get(), write->bytes.data(), static_cast<DWORD>(write->bytes.size()),
                   &write->pending.overlapped, WriteCompleted)) {
    return false;
  }
  SleepEx(waitMs, TRUE);
  if (!write->pending.completed) {
    CancelIo(device.get());
    // A driver that ignores the cancel must not hold the window: the wait is bounded too.
    for (uint32_t waited = 0; !write->pending.completed && waited < waitMs; waited += kCancelPollMs) {
      SleepEx(kCancelPollMs, TRUE);
    }
  }
  if (!write->pending.completed) {
    write.release();  // the system may still write into it; a late completion finds it alive
    return false;
  }
  return write->pending.error == ERROR_SUCCESS;
}

bool Win32DeviceSetup::PresentInterfaces(const DeviceInterfaceQuery& query,
                                         std::vector<DeviceInterfaceInfo>& found) {
  found.clear();
  GUID interfaceClass = win32::ToGuid(query.interfaceClass);
  win32::DeviceInfoSet set(
      SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (!set) return false;
  std::vector<uint8_t> detailBuffer;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &interfaceClass, index, &interfaceData)) break;

    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    const bool fetched = win32::FillSizedBuffer(detailBuffer, [&](uint8_t* data, DWORD size, DWORD* needed) {
      auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(data);
      if (detail != nullptr) {
        if (size < sizeof(*detail)) return FALSE;
        detail->cbSize = sizeof(*detail);  // the fixed part only, as the call expects
      }
      return SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, detail, size, needed,
                                              detail != nullptr ? &device : nullptr);
    });
    if (!fetched) break;
    const auto* detail = reinterpret_cast<const SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detailBuffer.data());
    const DWORD needed = static_cast<DWORD>(detailBuffer.size());

    DeviceInterfaceInfo info;
    const size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    info.devicePath = win32::BoundedString(detail->DevicePath, (needed - pathOffset) / sizeof(wchar_t));
    wchar_t instanceId[kInstanceIdChars] = {};
    if (SetupDiGetDeviceInstanceIdW(set.get(), &device, instanceId, kInstanceIdChars, nullptr)) {
      info.hasInstanceId = true;
      info.instanceId = win32::BoundedString(instanceId, kInstanceIdChars);
    }
    if (query.readDescriptions && info.hasInstanceId) {
      info.descriptionsReadable = ReadProperty(set.get(), device, SPDRP_DEVICEDESC) &&
                                  ReadProperty(set.get(), device, SPDRP_HARDWAREID);
    }
    if (query.readPortName && info.hasInstanceId) info.portName = ReadPortName(set.get(), device);
    found.push_back(std::move(info));
  }
  return true;
}

bool Win32DeviceSetup::AnyPresentDeviceOfSetupClass(const SystemGuid& setupClass) {
  // With DIGCF_ALLCLASSES the set holds every present device, whatever class is named.
  win32::DeviceInfoSet set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
  if (!set) return false;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(device);
  for (DWORD index = 0; SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
    if (win32::SameGuid(device.ClassGuid, setupClass)) return true;
  }
  return false;
}

bool Win32Registry::ReadMachineDword(const std::wstring& keyPath, const std::wstring& valueName,
                                     uint32_t& value) {
  win32::RegistryKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD number = 0;
  DWORD size = sizeof(number);
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                       &size) != ERROR_SUCCESS ||
      size != sizeof(number)) {
    return false;
  }
  value = number;
  return true;
}
