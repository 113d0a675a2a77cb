#include "platform/serial_session_host.h"

#include "platform/serial_ports.h"

namespace kr4100 {

SerialSessionHost::SerialSessionHost(Prompter& prompter, QObject* parent)
    : SerialSessionHost(prompter, MakeSystemPortLine(), parent) {}

SerialSessionHost::SerialSessionHost(Prompter& prompter, std::unique_ptr<PortLine> line,
                                     QObject* parent)
    : QtSessionHost(prompter, parent), port_(std::move(line)) {
  connect(port_.get(), &PortLine::readyRead, this, &SerialSessionHost::readAvailable);
}

bool SerialSessionHost::openPort(const PortSettings& settings) {
  if (!port_->open(settings)) return false;
  input_.clear();
  bytesOnWire_ = 0;
  forgetIdentity();
  return true;
}

void SerialSessionHost::closePort() {
  replyTimer_.stop();
  port_->close();
  input_.clear();
}

void SerialSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // Each frame starts from empty buffers; a late reply to the last one must not count for this.
  input_.clear();
  if (port_->isOpen()) {
    port_->clear(true);
    port_->write(frame);
  }
  threshold_ = std::max(1, expectedReplyLength);
  bytesOnWire_ += frame.size();
}

void SerialSessionHost::readAvailable() {
  input_.append(port_->readAll());
  // The session sees a reply only once the armed number of bytes is in, then all that is in.
  if (input_.size() < threshold_ || !session_) return;
  const QByteArray reply = std::exchange(input_, QByteArray());
  bytesOnWire_ += static_cast<std::size_t>(reply.size());
  deliver(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(reply.constData()),
                                        static_cast<std::size_t>(reply.size())));
}

std::vector<std::string> SerialSessionHost::ownCandidatePorts() {
  return SystemSerialPorts();
}

}  // namespace kr4100
