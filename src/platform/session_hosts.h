// SPDX-License-Identifier: GPL-3.0-or-later
// Which transfer session a radio command runs over: a serial port, or the in-process virtual
// radio a user without hardware picks as "Virtual radio". Each is made on first use and kept,
// with its host, for the program's run.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/version_table.h"
#include "core/link/transfer_session.h"
#include "core/serial/port_description.h"
#include "core/texts/bilingual.h"
#include "platform/qt_session_host.h"

namespace kr4100 {

class SerialSessionHost;
class VirtualRadioHost;

// The virtual radio's port as the settings store it, as it is shown, and its memory file.
inline constexpr const char* kVirtualRadioPort = "Virtual radio";
inline constexpr Bilingual kVirtualRadioShown{"Virtual radio", "虚拟对讲机"};
inline constexpr const char* kVirtualRadioFile = "virtual-radio.img";

// True for the virtual radio by its stored name or by its Chinese one.
bool IsVirtualRadioPort(std::string_view port);
// The port a session is given: the virtual radio always by its stored name.
std::string SessionPortName(std::string_view port);
// What the port dialog offers: the system's serial ports, then the virtual radio.
std::vector<PortDescription> PortChoices();

class SessionHosts {
 public:
  // userDataDir: the virtual radio keeps its memory there (as it is when the radio is first
  // used); empty keeps none.
  SessionHosts(Prompter& prompter, const VersionTable& versions,
               const std::filesystem::path& userDataDir);
  // A session still running is aborted without its end being reported: the port is never left
  // open behind the program.
  ~SessionHosts();

  struct Link {
    TransferSession& session;
    QtSessionHost& host;
  };
  Link forPort(std::string_view port);

  VirtualRadioHost& virtualHost();  // made on first use
  // The virtual radio's pace, also for a host not yet made: 1 real 9600 baud, 0 replies at once.
  void setVirtualSpeed(double factor);
  double virtualSpeed() const { return virtualSpeed_; }
  // Stores the virtual radio's memory; false when there is none to store or it failed.
  bool saveVirtualMemory();

 private:
  Prompter& prompter_;
  const VersionTable& versions_;
  const std::filesystem::path& userDataDir_;
  double virtualSpeed_ = 1.0;
  // Hosts before their sessions: a session holds on to its host until it goes.
  std::unique_ptr<SerialSessionHost> serialHost_;
  std::unique_ptr<VirtualRadioHost> virtualHost_;
  std::unique_ptr<TransferSession> serialSession_;
  std::unique_ptr<TransferSession> virtualSession_;
};

}  // namespace kr4100
