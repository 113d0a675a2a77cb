// Test mode over a real serial port (a PortLine): a reply is handed over only once it has gone
// quiet, so that a stray or extra byte makes it the wrong length instead of shifting it; send
// completion from the port's bytesWritten; the last bytes drained before the port closes; and a
// port error or a vanished device ending test mode at once.
#pragma once

#include <QTimer>
#include <memory>

#include "platform/port_line.h"
#include "platform/qt_test_mode_host.h"

namespace kr4100 {

class SerialTestModeHost : public QtTestModeHost {
  Q_OBJECT
 public:
  explicit SerialTestModeHost(Prompter& prompter, QObject* parent = nullptr);
  // Over a line of the caller's (the tests put a virtual radio behind the core's line).
  SerialTestModeHost(Prompter& prompter, std::unique_ptr<PortLine> line, QObject* parent = nullptr);
  ~SerialTestModeHost() override;

  // TestModeHost
  bool openPort(const PortSettings& settings) override;
  PortOpenError openError() const override { return port_->openError(); }
  void closePort() override;
  void send(std::span<const std::uint8_t> bytes, int expectedReplyLength) override;
  void waitSent(std::chrono::milliseconds bound) override;

  bool portOpen() const { return port_->isOpen(); }

 protected:
  void settleNow() override;

 private:
  void readAvailable();
  void written(qint64 bytes);
  void deliverReply();
  void resetReply();

  std::unique_ptr<PortLine> port_;
  QTimer quiet_;
  QByteArray input_;
  qsizetype threshold_ = 0;  // 0: no reply awaited, whatever comes is dropped
  qint64 leaving_ = 0;       // bytes handed to the port and not yet written out
};

}  // namespace kr4100
