// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial_session_host.h"

#include "platform/serial_ports.h"

namespace kr4100 {

SerialSessionHost::SerialSessionHost(Prompter& prompter, QObject* parent)
    : SerialSessionHost(prompter, MakeSystemPortLine(), parent) {}

SerialSessionHost::SerialSessionHost(Prompter& prompter, std::unique_ptr<PortLine> line,
                                     QObject* parent)
    : QtSessionHost(prompter, parent), port_(std::move(line)) {
  connect(port_.get(), &PortLine::readyRead, this, [this] { received(AsBytes(port_->readAll())); });
}

bool SerialSessionHost::openPort(const PortSettings& settings) {
  if (!port_->open(settings)) return false;
  replies_.opened();
  forgetIdentity();
  return true;
}

void SerialSessionHost::closePort() {
  replyTimer_.stop();
  port_->close();
  replies_.clear();
}

void SerialSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  replies_.sent(frame, expectedReplyLength);
  if (!port_->isOpen()) return;
  port_->clear(true);
  port_->write(frame);
}

std::vector<std::string> SerialSessionHost::ownCandidatePorts() {
  return SystemSerialPorts();
}

}  // namespace kr4100
