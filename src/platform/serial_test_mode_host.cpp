// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial_test_mode_host.h"

namespace kr4100 {

SerialTestModeHost::SerialTestModeHost(Prompter& prompter, QObject* parent)
    : SerialTestModeHost(prompter, MakeSystemPortLine(), parent) {}

SerialTestModeHost::SerialTestModeHost(Prompter& prompter, std::unique_ptr<PortLine> line,
                                       QObject* parent)
    : QtTestModeHost(prompter, parent), port_(std::move(line)) {
  quiet_.setSingleShot(true);
  quiet_.setTimerType(Qt::PreciseTimer);
  quiet_.setInterval(kReplyQuietGap);
  connect(&quiet_, &QTimer::timeout, this, &SerialTestModeHost::settle);
  connect(port_.get(), &PortLine::readyRead, this, &SerialTestModeHost::readAvailable);
  connect(port_.get(), &PortLine::bytesWritten, this, &SerialTestModeHost::written);
  connect(port_.get(), &PortLine::failed, this, &SerialTestModeHost::linkLost);
}

SerialTestModeHost::~SerialTestModeHost() {
  closePort();
}

bool SerialTestModeHost::openPort(const PortSettings& settings) {
  if (!port_->open(settings)) return false;
  quiet_.stop();
  replies_.opened();
  leaving_ = 0;
  return true;
}

void SerialTestModeHost::closePort() {
  if (port_->isOpen()) {
    waitSent(kTestDrainBound);
    port_->close();
  }
  quiet_.stop();
  replies_.clear();
  leaving_ = 0;
}

void SerialTestModeHost::send(std::span<const std::uint8_t> bytes, int expectedReplyLength) {
  quiet_.stop();
  const bool echoOwed = replies_.echoOwed();
  replies_.sent(bytes, expectedReplyLength);
  if (!port_->isOpen()) return;
  // Only what came in is dropped: an exchange that awaits nothing may still be on its way out,
  // and clearing the output would cut it off on a real line; on an echoing cable what came in
  // may be its echo, still to be checked.
  if (!echoOwed) port_->clear(false);
  leaving_ += static_cast<qint64>(bytes.size());
  port_->write(bytes);
}

void SerialTestModeHost::waitSent(std::chrono::milliseconds bound) {
  port_->drain(bound);
}

void SerialTestModeHost::readAvailable() {
  replies_.take(AsBytes(port_->readAll()));
  if (replies_.settling()) quiet_.start();
}

void SerialTestModeHost::settle() {
  stopQuietWait();
  QtTestModeHost::settle();
}

void SerialTestModeHost::written(qint64 bytes) {
  leaving_ = std::max<qint64>(0, leaving_ - bytes);
  if (leaving_ == 0) sendComplete();
}

}  // namespace kr4100
