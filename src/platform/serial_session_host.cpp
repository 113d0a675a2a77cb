#include "platform/serial_session_host.h"

#include "platform/serial_ports.h"

namespace kr4100 {

void ApplyPortSettings(QSerialPort& port, const PortSettings& settings) {
  port.setBaudRate(QSerialPort::Baud9600);
  port.setDataBits(QSerialPort::Data8);
  port.setParity(QSerialPort::NoParity);
  port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  switch (settings.handshaking) {
    case 1:
      port.setFlowControl(QSerialPort::SoftwareControl);
      break;
    case 2:
    case 3:
      port.setFlowControl(QSerialPort::HardwareControl);
      break;
    default:
      port.setFlowControl(QSerialPort::NoFlowControl);
      break;
  }
}

SerialSessionHost::SerialSessionHost(Prompter& prompter, QObject* parent)
    : QtSessionHost(prompter, parent) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialSessionHost::readAvailable);
}

bool SerialSessionHost::openPort(const PortSettings& settings) {
  if (port_.isOpen()) port_.close();
  port_.setPortName(QString::fromStdString(settings.port));
  if (!port_.open(QIODevice::ReadWrite)) return false;
  ApplyPortSettings(port_, settings);
  port_.clear();
  input_.clear();
  bytesOnWire_ = 0;
  forgetIdentity();
  return true;
}

void SerialSessionHost::closePort() {
  replyTimer_.stop();
  if (port_.isOpen()) port_.close();
  input_.clear();
}

void SerialSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // Each frame starts from empty buffers; a late reply to the last one must not count for this.
  input_.clear();
  if (port_.isOpen()) {
    port_.clear();
    port_.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    port_.flush();
  }
  threshold_ = std::max(1, expectedReplyLength);
  bytesOnWire_ += frame.size();
}

void SerialSessionHost::readAvailable() {
  input_.append(port_.readAll());
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
