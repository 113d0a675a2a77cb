// SPDX-License-Identifier: GPL-3.0-or-later
// The serial side of the radio commands. kr4100-cli-radio runs the platform's hosts over Qt's
// serial port and event loop; kr4100-cli.exe, built without Qt, runs the core's hosts over the
// Win32 serial API on their own wait loop. Each gives the commands the same few things: a
// session host and a test-mode host that run until a condition holds or a stop is requested, the
// system's serial ports and the per-user data folder.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/stop_signals.h"

#ifdef KR4100_SYSTEM_SERIAL
#include "core/serial/link_session_host.h"
#include "core/serial/link_test_mode_host.h"
#include "core/serial/port_description.h"
#include "core/serial/port_names.h"
#include "core/testmode/test_mode_listener.h"
#else
#include <QCoreApplication>
#include <array>
#include <optional>

#include "core/testmode/test_mode_listener.h"
#include "platform/serial_ports.h"
#include "platform/serial_session_host.h"
#include "platform/serial_test_mode_host.h"
#endif

namespace kr4100 {

// The program's per-user data folder, where the desktop program keeps its backups too.
std::filesystem::path ProgramDataFolder();

#ifdef KR4100_SYSTEM_SERIAL

inline std::vector<std::string> SystemSerialPorts() {
  return RegisteredSerialPorts();
}
inline bool SamePort(const std::string& listed, const std::string& named) {
  return SameSerialPort(listed, named);
}
inline std::vector<PortDescription> SystemSerialPortDescriptions() {
  return RegisteredSerialPortDescriptions();
}

// A host of the core over the system's serial line.
template <class LinkHost>
class SystemLinkHost final : public LinkHost {
 public:
  explicit SystemLinkHost(Prompter& prompter) : LinkHost(MakeSystemSerialLink(), prompter) {}
  // runUntil returns soon after a stop is requested.
  void watch(const StopSignals& stops) { this->watchStop(&stops.request()); }
};
using CliSessionHost = SystemLinkHost<LinkSessionHost>;
using CliTestModeHost = SystemLinkHost<LinkTestModeHost>;

#else

// Qt's event loop and serial port need an application object. The program's main has none (most
// commands never touch Qt), and a test calling RunCli has none either; one is made for the
// command and goes with it.
class QtApplicationScope {
 public:
  QtApplicationScope() {
    if (QCoreApplication::instance() == nullptr) app_.emplace(argc_, argv_.data());
  }

 private:
  static inline int argc_ = 1;
  static inline char name_[] = "kr4100-cli";
  static inline std::array<char*, 2> argv_{name_, nullptr};
  std::optional<QCoreApplication> app_;
};

// Runs Qt's events until done() holds (true), or limit has passed or stop is requested (false
// unless done() holds). wakeFd, readable once a stop is requested, wakes the wait for events.
bool RunQtEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                      const StopRequest* stop = nullptr, int wakeFd = -1);

// A host of the platform with the application it needs, which comes first: it must exist before
// the host's Qt objects.
template <class SerialHost>
class QtCliHost : private QtApplicationScope, public SerialHost {
 public:
  explicit QtCliHost(Prompter& prompter) : SerialHost(prompter) {}
  bool runUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::hours(24)) {
    return RunQtEventsUntil(done, limit, stop_, wakeFd_);
  }
  // runUntil returns soon after a stop is requested.
  void watch(const StopSignals& stops) {
    stop_ = &stops.request();
    wakeFd_ = stops.wakeFd();
  }

 private:
  const StopRequest* stop_ = nullptr;
  int wakeFd_ = -1;
};
using CliSessionHost = QtCliHost<SerialSessionHost>;

class CliTestModeHost final : public QtCliHost<SerialTestModeHost> {
 public:
  using QtCliHost::QtCliHost;
  // The host's signals go to the listener, as the host without Qt tells them.
  void listen(TestModeListener* listener);
};

#endif

}  // namespace kr4100
