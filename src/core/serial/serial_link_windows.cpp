// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line over the Win32 API. The core's sources are taken by folder, so this file is
// compiled everywhere and holds something only on Windows.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <setupapi.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "core/link/line_states.h"
#include "core/link/port_failure.h"
#include "core/serial/port_names.h"
#include "core/serial/serial_link.h"

namespace kr4100 {
namespace {

std::wstring Wide(const std::string& text) {
  const int n =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  if (n > 0)
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const wchar_t* wide) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(n - 1));
  return text;
}

class Win32SerialLink final : public SerialLink {
 public:
  ~Win32SerialLink() override { close(); }

  bool open(const PortSettings& settings) override {
    close();
    openError_ = {};
    port_ = ::CreateFileW(Wide(SerialDevicePath(settings.port)).c_str(),
                          GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port_ == INVALID_HANDLE_VALUE) {
      openError_.failure = FailureFromWin32Error(::GetLastError());
      return false;
    }
    if (!configure(settings)) {
      close();
      return false;
    }
    return true;
  }

  PortOpenError openError() const override { return openError_; }

  void close() override {
    if (port_ == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
  }

  bool isOpen() const override { return port_ != INVALID_HANDLE_VALUE; }

  bool write(std::span<const std::uint8_t> bytes) override {
    if (!isOpen()) return false;
    DWORD written = 0;
    // A write the line does not take in time (RTS/CTS, and nobody raises CTS) is no failure of
    // the line: the bytes are lost as on a wire, and the reply time-out decides.
    if (::WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_TIMEOUT || error == ERROR_SEM_TIMEOUT ? true : fail();
  }

  bool drain(std::chrono::milliseconds bound) override {
    // FlushFileBuffers would wait for ever on a line held up by its handshake.
    const ULONGLONG end =
        ::GetTickCount64() +
        static_cast<ULONGLONG>(std::max<std::chrono::milliseconds::rep>(bound.count(), 0));
    for (;;) {
      if (!isOpen()) return false;
      COMSTAT status{};
      DWORD errors = 0;
      if (!::ClearCommError(port_, &errors, &status)) return fail();
      if (status.cbOutQue == 0 || ::GetTickCount64() >= end) return true;
      ::Sleep(2);
    }
  }

  void purge(bool output) override {
    if (!isOpen()) return;
    ::PurgeComm(port_,
                PURGE_RXCLEAR | PURGE_RXABORT | (output ? PURGE_TXCLEAR | PURGE_TXABORT : 0));
  }

  bool read(std::vector<std::uint8_t>& into, std::size_t count,
            std::chrono::milliseconds wait) override {
    if (!isOpen()) {
      ::Sleep(static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
      return true;
    }
    // Reading exactly what is awaited, with a total time-out, returns as soon as it is in: the
    // mode that returns on the first byte is not honoured everywhere (wine waits it out).
    if (!readSome(into, count, wait)) return false;
    COMSTAT status{};
    DWORD errors = 0;
    if (!::ClearCommError(port_, &errors, &status)) return fail();
    return status.cbInQue == 0 || readSome(into, status.cbInQue, std::chrono::milliseconds(0));
  }

 private:
  bool configure(const PortSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(port_, &dcb)) return false;
    // Both (3) keeps XON/XOFF only for what we receive: obeying the radio's XOFF would also
    // swallow every 0x11 and 0x13 of its binary replies, and a read or verify would fail where
    // RTS/CTS alone, as the Linux program has it for 3, goes through.
    const bool rtsCts = settings.handshaking == 2 || settings.handshaking == 3;
    const bool xonXoffOut = settings.handshaking == 1;
    const bool xonXoffIn = settings.handshaking == 1 || settings.handshaking == 3;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = rtsCts;
    // The modem lines as on Linux: cables that take their power from them work on both.
    const LineStates lines = LineStatesFor(settings);
    dcb.fRtsControl = lines.rtsByHandshaking ? RTS_CONTROL_HANDSHAKE
                      : lines.rtsRaised      ? RTS_CONTROL_ENABLE
                                             : RTS_CONTROL_DISABLE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fDtrControl = lines.dtrRaised ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fOutX = xonXoffOut;
    dcb.fInX = xonXoffIn;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 256;
    dcb.XoffLim = 256;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(port_, &dcb)) return false;
    ::SetupComm(port_, 4096, 4096);
    timeoutSet_.reset();
    return setReadTimeout(std::chrono::milliseconds(0)) &&
           ::PurgeComm(port_, PURGE_RXCLEAR | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_TXABORT);
  }

  bool setReadTimeout(std::chrono::milliseconds wait) {
    const DWORD ms = static_cast<DWORD>(
        std::clamp<std::chrono::milliseconds::rep>(wait.count(), 0, MAXDWORD - 1));
    if (timeoutSet_ == ms) return true;
    COMMTIMEOUTS timeouts{};
    // No wait: return at once with what is in. A constant of 0 alone would wait for ever.
    timeouts.ReadIntervalTimeout = ms == 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = ms;
    // A frame is at most a few hundred bytes, about 1 ms each at 9600 baud.
    timeouts.WriteTotalTimeoutMultiplier = 2;
    timeouts.WriteTotalTimeoutConstant = 100;
    if (!::SetCommTimeouts(port_, &timeouts)) return false;
    timeoutSet_ = ms;
    return true;
  }

  bool readSome(std::vector<std::uint8_t>& into, std::size_t count,
                std::chrono::milliseconds wait) {
    if (!setReadTimeout(wait)) return fail();
    const std::size_t at = into.size();
    into.resize(at + count);
    DWORD got = 0;
    const bool ok = ::ReadFile(port_, into.data() + at, static_cast<DWORD>(count), &got, nullptr);
    into.resize(at + (ok ? got : 0));
    return ok ? true : fail();
  }

  // The adapter went away, or the driver refuses the port: it is closed, as a pulled USB
  // adapter leaves nothing to talk to.
  bool fail() {
    close();
    return false;
  }

  HANDLE port_ = INVALID_HANDLE_VALUE;
  std::optional<DWORD> timeoutSet_;
  PortOpenError openError_;
};

}  // namespace

std::unique_ptr<SerialLink> MakeSystemSerialLink() {
  return std::make_unique<Win32SerialLink>();
}

std::vector<std::string> RegisteredSerialPorts() {
  std::vector<std::string> ports;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
    return ports;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    wchar_t data[256];
    DWORD dataBytes = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataBytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataBytes / sizeof(wchar_t)] = L'\0';
    if (std::string port = Narrow(data); !port.empty()) ports.push_back(std::move(port));
  }
  ::RegCloseKey(key);
  SortSerialPorts(ports);
  return ports;
}

namespace {

// The class of COM and LPT ports ({4d36e978-e325-11ce-bfc1-08002be10318}), spelt out: taking it
// from devguid.h needs the GUID instantiated in exactly one unit.
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// A string property of a device (a list of strings: its first and the rest joined by NULs).
std::wstring DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  std::vector<wchar_t> buffer(512, L'\0');
  DWORD type = 0;
  if (!::SetupDiGetDeviceRegistryPropertyW(
          set, &device, property, &type, reinterpret_cast<BYTE*>(buffer.data()),
          static_cast<DWORD>((buffer.size() - 2) * sizeof(wchar_t)), nullptr))
    return {};
  return std::wstring(buffer.data(), buffer.size() - 2);
}

// "USB\VID_0403&PID_6001..." or "FTDIBUS\COMPORT&VID_0403&PID_6001": the number after key.
std::optional<std::uint16_t> HardwareIdNumber(const std::wstring& ids, const wchar_t* key) {
  const auto at = ids.find(key);
  if (at == std::wstring::npos) return std::nullopt;
  const std::wstring digits = ids.substr(at + std::wcslen(key), 4);
  if (digits.size() != 4 ||
      digits.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos)
    return std::nullopt;
  return static_cast<std::uint16_t>(std::wcstoul(digits.c_str(), nullptr, 16));
}

// The port's device key (for FTDI's driver, its "Device Parameters"): the COM name it was given
// and, where the driver keeps one, the latency timer. Read-only, so no administrator is needed.
std::string ReadDeviceKey(HKEY key, std::optional<unsigned>& latency) {
  wchar_t name[64] = {};
  DWORD bytes = sizeof name - sizeof(wchar_t);
  DWORD type = 0;
  std::string port;
  if (::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes) ==
          ERROR_SUCCESS &&
      type == REG_SZ)
    port = Narrow(name);
  DWORD timer = 0;
  bytes = sizeof timer;
  if (::RegQueryValueExW(key, L"LatencyTimer", nullptr, &type, reinterpret_cast<BYTE*>(&timer),
                         &bytes) == ERROR_SUCCESS &&
      type == REG_DWORD)
    latency = timer;
  return port;
}

std::optional<PortDescription> DescribeDevice(HDEVINFO set, SP_DEVINFO_DATA& device) {
  const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return std::nullopt;
  PortDescription port;
  port.port = ReadDeviceKey(key, port.latencyTimerMs);
  ::RegCloseKey(key);
  if (port.port.empty()) return std::nullopt;
  port.name = port.port;
  port.description = Narrow(DeviceProperty(set, device, SPDRP_DEVICEDESC).c_str());
  port.manufacturer = Narrow(DeviceProperty(set, device, SPDRP_MFG).c_str());
  const std::wstring ids = DeviceProperty(set, device, SPDRP_HARDWAREID);
  port.vendorId = HardwareIdNumber(ids, L"VID_");
  port.productId = HardwareIdNumber(ids, L"PID_");
  return port;
}

// The present COM ports of the device list.
std::vector<PortDescription> DevicePorts() {
  std::vector<PortDescription> ports;
  const HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &device); ++index)
    if (auto port = DescribeDevice(set, device)) ports.push_back(std::move(*port));
  ::SetupDiDestroyDeviceInfoList(set);
  return ports;
}

}  // namespace

std::vector<PortDescription> RegisteredSerialPortDescriptions() {
  std::vector<PortDescription> described = DevicePorts();
  std::vector<PortDescription> ports;
  // Every registered port, described where the device list knows it; then the device list's
  // ports that are not (yet) registered.
  for (const std::string& name : RegisteredSerialPorts()) {
    const auto known =
        std::find_if(described.begin(), described.end(),
                     [&name](const PortDescription& p) { return SameSerialPort(p.port, name); });
    if (known == described.end()) {
      ports.push_back(NamesOnly({name}).front());
      continue;
    }
    ports.push_back(std::move(*known));
    described.erase(known);
  }
  for (PortDescription& port : described) ports.push_back(std::move(port));
  SortSerialPorts(ports);
  return ports;
}

}  // namespace kr4100

#endif  // _WIN32
