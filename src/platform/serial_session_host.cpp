#include "platform/serial_session_host.h"

#include <QElapsedTimer>
#include <QThread>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <sys/ioctl.h>
#endif

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

namespace {

// Bytes the system still holds for the line; 0 where it cannot tell.
qint64 SystemOutputQueue(QSerialPort& port) {
#if defined(Q_OS_WIN)
  DWORD errors = 0;
  COMSTAT status{};
  if (ClearCommError(reinterpret_cast<HANDLE>(port.handle()), &errors, &status)) return status.cbOutQue;
  return 0;
#elif defined(TIOCOUTQ)
  int pending = 0;
  if (::ioctl(port.handle(), TIOCOUTQ, &pending) == 0) return pending;
  return 0;
#else
  (void)port;
  return 0;
#endif
}

}  // namespace

void DrainOutput(QSerialPort& port, std::chrono::milliseconds bound) {
  if (!port.isOpen()) return;
  QElapsedTimer clock;
  clock.start();
  const auto left = [&] { return static_cast<int>(std::max<qint64>(0, bound.count() - clock.elapsed())); };
  while (port.bytesToWrite() > 0 && left() > 0) port.waitForBytesWritten(left());
  while (SystemOutputQueue(port) > 0 && left() > 0) QThread::msleep(2);
}

SerialSessionHost::SerialSessionHost(Prompter& prompter, QObject* parent)
    : QtSessionHost(prompter, parent) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialSessionHost::readAvailable);
}

bool OpenSerialPort(QSerialPort& port, const PortSettings& settings) {
  if (port.isOpen()) port.close();
  port.setPortName(QString::fromStdString(settings.port));
  if (!port.open(QIODevice::ReadWrite)) return false;
  ApplyPortSettings(port, settings);
  // Whatever the line held before this session is not an answer to it.
  port.clear();
  return true;
}

bool SerialSessionHost::openPort(const PortSettings& settings) {
  if (!OpenSerialPort(port_, settings)) return false;
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
