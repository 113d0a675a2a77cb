// The transfer session's host over a real serial port (QSerialPort) and Qt timers. What the user
// must see or answer goes to a Prompter, so the command line and the windows can each answer in
// their own way.
#pragma once

#include <QSerialPort>
#include <chrono>
#include <vector>

#include "platform/qt_session_host.h"

namespace kr4100 {

// QSerialPort settings for the program's port settings: 9600 baud, 8 data bits, no parity, the
// stop bits, and handshaking 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both (hardware flow control,
// Qt has no combined mode; the radio cable uses RTS/CTS then).
void ApplyPortSettings(QSerialPort& port, const PortSettings& settings);
// Opens the port read-write with those settings and nothing left in its buffers; what both the
// transfer and the test-mode hosts do. False: it cannot be opened.
bool OpenSerialPort(QSerialPort& port, const PortSettings& settings);

// Waits until what was written has left Qt's buffer and the system's output queue, or until
// bound: closing a port may cancel output still pending (Windows does).
void DrainOutput(QSerialPort& port, std::chrono::milliseconds bound);

class SerialSessionHost : public QtSessionHost {
 public:
  explicit SerialSessionHost(Prompter& prompter, QObject* parent = nullptr);

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;

  // Bytes that went over the wire in both directions since the last open (for measurements).
  std::size_t bytesOnWire() const { return bytesOnWire_; }

 protected:
  std::vector<std::string> ownCandidatePorts() override;  // the system's serial ports

 private:
  void readAvailable();

  QSerialPort port_;
  QByteArray input_;
  qsizetype threshold_ = 1;
  std::size_t bytesOnWire_ = 0;
};

}  // namespace kr4100
