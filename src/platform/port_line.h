// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line as the Qt hosts use it, one interface over two implementations: Qt's own
// serial port, and the core's SerialLink on a thread of its own, which is what the Windows
// program runs on (the same Win32 line as kr4100-cli.exe, so Windows needs no Qt serial module).
#pragma once

#include <QByteArray>
#include <QObject>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>

#include "core/link/session_host.h"

namespace kr4100 {

class SerialLink;

class PortLine : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // 9600 baud, 8N1 or 8N2, the settings' handshaking; nothing of an earlier use left in its
  // buffers. False: the port cannot be opened or set so.
  virtual bool open(const PortSettings& settings) = 0;
  // Why the last open failed, as far as the system told.
  virtual PortOpenError openError() const { return {}; }
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Drops what came in and was not read; with output, also what was written and has not left.
  virtual void clear(bool output) = 0;
  virtual void write(std::span<const std::uint8_t> bytes) = 0;
  // Everything that came since the last call (or the last clear).
  virtual QByteArray readAll() = 0;
  // Returns once what was written has left the program and the system, or after bound: closing
  // a port may cancel output still pending (Windows does).
  virtual void drain(std::chrono::milliseconds bound) = 0;

 signals:
  void readyRead();
  // Bytes of earlier writes that have been handed to the system. Emitted from the event loop,
  // never from inside write().
  void bytesWritten(qint64 bytes);
  // The line failed or the adapter went away; the port is still open until close().
  void failed();
};

// What came from a line, as the core's reply assembly takes it.
inline std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

// The system's serial port as this build has it.
std::unique_ptr<PortLine> MakeSystemPortLine();
// The core's line on a reader thread.
std::unique_ptr<PortLine> MakeLinkPortLine(std::unique_ptr<SerialLink> link);

}  // namespace kr4100
