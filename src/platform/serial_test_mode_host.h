// SPDX-License-Identifier: GPL-3.0-or-later
// Test mode over a real serial port (a PortLine): the quiet wait of its replies on a QTimer, send
// completion from the port's bytesWritten, the last bytes drained before the port closes.
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
  void settle() override;
  void stopQuietWait() override { quiet_.stop(); }

 private:
  void readAvailable();
  void written(qint64 bytes);

  std::unique_ptr<PortLine> port_;
  QTimer quiet_;
  qint64 leaving_ = 0;  // bytes handed to the port and not yet written out
};

}  // namespace kr4100
