// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session_hosts.h"

#include "platform/serial_ports.h"
#include "platform/serial_session_host.h"
#include "platform/virtual_radio_host.h"

namespace kr4100 {

bool IsVirtualRadioPort(std::string_view port) {
  return port == kVirtualRadioPort || port == kVirtualRadioShown.zh;
}

std::string SessionPortName(std::string_view port) {
  return IsVirtualRadioPort(port) ? std::string(kVirtualRadioPort) : std::string(port);
}

std::vector<PortDescription> PortChoices() {
  std::vector<PortDescription> ports = SystemSerialPortDescriptions();
  ports.push_back({kVirtualRadioPort, kVirtualRadioPort, {}, {}, {}, {}});
  return ports;
}

SessionHosts::SessionHosts(Prompter& prompter, const VersionTable& versions,
                           const std::filesystem::path& userDataDir)
    : prompter_(prompter), versions_(versions), userDataDir_(userDataDir) {}

SessionHosts::~SessionHosts() {
  for (TransferSession* session : {serialSession_.get(), virtualSession_.get()}) {
    if (session == nullptr || !session->active()) continue;
    if (serialHost_) serialHost_->onFinished = nullptr;
    if (virtualHost_) virtualHost_->onFinished = nullptr;
    session->abort();
  }
}

SessionHosts::Link SessionHosts::forPort(std::string_view port) {
  if (IsVirtualRadioPort(port)) {
    virtualHost();
    return {*virtualSession_, *virtualHost_};
  }
  if (!serialSession_) {
    serialHost_ = std::make_unique<SerialSessionHost>(prompter_);
    serialSession_ = std::make_unique<TransferSession>(*serialHost_, versions_);
    serialHost_->attach(serialSession_.get());
  }
  return {*serialSession_, *serialHost_};
}

VirtualRadioHost& SessionHosts::virtualHost() {
  if (virtualHost_) return *virtualHost_;
  const std::filesystem::path file =
      userDataDir_.empty() ? std::filesystem::path() : userDataDir_ / kVirtualRadioFile;
  virtualHost_ = std::make_unique<VirtualRadioHost>(prompter_, file);
  virtualHost_->setSpeedFactor(virtualSpeed_);
  // The search has one place to look.
  virtualHost_->onCandidatePorts = [] { return std::vector<std::string>{kVirtualRadioPort}; };
  virtualSession_ = std::make_unique<TransferSession>(*virtualHost_, versions_);
  virtualHost_->attach(virtualSession_.get());
  return *virtualHost_;
}

void SessionHosts::setVirtualSpeed(double factor) {
  virtualSpeed_ = factor;
  if (virtualHost_) virtualHost_->setSpeedFactor(factor);
}

bool SessionHosts::saveVirtualMemory() {
  return virtualHost_ && virtualHost_->saveMemory();
}

}  // namespace kr4100
