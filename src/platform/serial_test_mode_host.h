// Test mode over a real serial port (QSerialPort): the receive threshold of the awaited reply,
// send completion from the port's bytesWritten, and a port error or a vanished device ending
// test mode at once.
#pragma once

#include <QSerialPort>

#include "platform/qt_test_mode_host.h"

namespace kr4100 {

class SerialTestModeHost : public QtTestModeHost {
 public:
  explicit SerialTestModeHost(Prompter& prompter, QObject* parent = nullptr);

  // TestModeHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> bytes, int expectedReplyLength) override;

  bool portOpen() const { return port_.isOpen(); }

 private:
  void readAvailable();
  void written(qint64 bytes);
  void failed(QSerialPort::SerialPortError error);

  QSerialPort port_;
  QByteArray input_;
  qsizetype threshold_ = 0;  // 0: no reply awaited, whatever comes is dropped
  qint64 leaving_ = 0;       // bytes handed to the port and not yet written out
};

}  // namespace kr4100
