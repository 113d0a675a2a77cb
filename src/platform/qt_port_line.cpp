// SPDX-License-Identifier: GPL-3.0-or-later
// The line over Qt's serial port: the Linux program's.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QThread>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <grp.h>
#if defined(Q_OS_LINUX)
#include <linux/serial.h>
#endif
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif
#include <string>

#include "core/link/line_states.h"
#include "platform/port_line.h"

namespace kr4100 {
namespace {

// Handshaking 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both (hardware flow control: Qt has no combined
// mode, and the radio cable uses RTS/CTS then).
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

// A USB adapter holds what it received until its buffer fills or its latency timer runs out (16 ms
// on the most common chip); a driver that has serial settings is asked to hand bytes on at once.
// A pseudo-terminal has none, and goes on as it is.
void AskForLowLatency(QSerialPort& port) {
#if defined(Q_OS_LINUX) && defined(ASYNC_LOW_LATENCY)
  serial_struct serial{};
  if (::ioctl(port.handle(), TIOCGSERIAL, &serial) != 0) return;
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(port.handle(), TIOCSSERIAL, &serial);
#else
  (void)port;
#endif
}

// Bytes the system still holds for the line; 0 where it cannot tell.
qint64 SystemOutputQueue(QSerialPort& port) {
#if defined(Q_OS_WIN)
  DWORD errors = 0;
  COMSTAT status{};
  if (ClearCommError(reinterpret_cast<HANDLE>(port.handle()), &errors, &status))
    return status.cbOutQue;
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

PortFailure ReportedFailure(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::PermissionError:
      return PortFailure::NoPermission;
    case QSerialPort::DeviceNotFoundError:
      return PortFailure::Gone;
    default:
      return PortFailure::Unknown;
  }
}

// Why the port would not open. Qt reports a permission error for a port we may not use and for
// one another program holds alike; the device itself tells them apart.
PortOpenError ExplainOpenFailure(const QSerialPort& port, const std::string& name) {
  const PortFailure reported = ReportedFailure(port.error());
#if defined(Q_OS_WIN)
  (void)name;
  // Windows refuses a port another program has open as access denied.
  return {reported == PortFailure::NoPermission ? PortFailure::Busy : reported, {}};
#else
  // A short name is a device under /dev, as Qt opens it.
  const std::string device = name.starts_with('/') ? name : "/dev/" + name;
  struct stat status {};
  const int statError = ::stat(device.c_str(), &status) == 0 ? 0 : errno;
  const int accessError = statError != 0 || ::access(device.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
  std::string group;
  if (accessError != 0)
    if (const ::group* owner = ::getgrgid(status.st_gid)) group = owner->gr_name;
  PortOpenError error = ExplainPosixOpenFailure(statError, accessError, std::move(group), reported);
  if (error.failure == PortFailure::Gone && IsUsbSerialDeviceName(device))
    error.claimedBy = FindBrailleClaim(UdevRuleDirs());
  return error;
#endif
}

class QtPortLine final : public PortLine {
 public:
  QtPortLine() {
    connect(&port_, &QSerialPort::readyRead, this, &PortLine::readyRead);
    // Queued: a host sends its next bytes from this signal, and a write made while the port is
    // still emitting bytesWritten would never have its own reported.
    connect(&port_, &QSerialPort::bytesWritten, this, &PortLine::bytesWritten,
            Qt::QueuedConnection);
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
      // Opening reports its own failure; a time-out is not a failure of the line.
      if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen() ||
          settingLines_)
        return;
      emit failed();
    });
  }

  bool open(const PortSettings& settings) override {
    if (port_.isOpen()) port_.close();
    port_.setPortName(QString::fromStdString(settings.port));
    openError_ = {};
    if (!port_.open(QIODevice::ReadWrite)) {
      openError_ = ExplainOpenFailure(port_, settings.port);
      return false;
    }
    ApplyPortSettings(port_, settings);
    applyLineStates(settings);
    AskForLowLatency(port_);
    // Whatever the line held before this use is not an answer to it.
    port_.clear();
    return true;
  }
  void close() override {
    if (port_.isOpen()) port_.close();
  }
  bool isOpen() const override { return port_.isOpen(); }
  PortOpenError openError() const override { return openError_; }
  void clear(bool output) override {
    if (port_.isOpen()) port_.clear(output ? QSerialPort::AllDirections : QSerialPort::Input);
  }
  void write(std::span<const std::uint8_t> bytes) override {
    if (!port_.isOpen()) return;
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    port_.flush();
  }
  QByteArray readAll() override { return port_.readAll(); }
  void drain(std::chrono::milliseconds bound) override {
    if (!port_.isOpen()) return;
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] {
      return static_cast<int>(std::max<qint64>(0, bound.count() - clock.elapsed()));
    };
    while (port_.bytesToWrite() > 0 && left() > 0) port_.waitForBytesWritten(left());
    while (SystemOutputQueue(port_) > 0 && left() > 0) QThread::msleep(2);
  }

 private:
  // Cables that take their power from DTR and RTS find them as on Windows. A port without modem
  // lines (a pseudo-terminal) refuses them, which is no failure of the line.
  void applyLineStates(const PortSettings& settings) {
    const LineStates lines = LineStatesFor(settings);
    settingLines_ = true;
    port_.setDataTerminalReady(lines.dtrRaised);
    if (!lines.rtsByHandshaking) port_.setRequestToSend(lines.rtsRaised);
    settingLines_ = false;
    port_.clearError();
  }

  QSerialPort port_;
  PortOpenError openError_;
  bool settingLines_ = false;
};

}  // namespace

std::unique_ptr<PortLine> MakeSystemPortLine() {
  return std::make_unique<QtPortLine>();
}

}  // namespace kr4100
