// SPDX-License-Identifier: GPL-3.0-or-later
// A serial line as the hosts without Qt use it: opened with the program's port settings, written,
// drained, purged and read with a wait. One implementation per system's serial API
// (serial_link_windows.cpp); the tests put a virtual radio behind it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/link/session_host.h"
#include "core/serial/port_description.h"

namespace kr4100 {

class SerialLink {
 public:
  virtual ~SerialLink() = default;

  // 9600 baud, 8 data bits, no parity, with the settings' stop bits and handshaking; nothing of
  // an earlier use is left in either direction. False: the port cannot be opened or set so.
  virtual bool open(const PortSettings& settings) = 0;
  // Why the last open failed, as far as the system told.
  virtual PortOpenError openError() const { return {}; }
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Hands the bytes to the line. False: the line has failed (and is closed).
  virtual bool write(std::span<const std::uint8_t> bytes) = 0;
  // Returns once everything written has left the system, or after bound. False: the line has
  // failed (and is closed).
  virtual bool drain(std::chrono::milliseconds bound) = 0;
  // Drops what came in and was not read; with output, also what was written and has not left.
  virtual void purge(bool output) = 0;
  // Waits until count bytes have come or wait has passed, whichever is first, and appends what
  // came and whatever else is in by then. A closed line waits out the wait. False: the line has
  // failed (the adapter went away) and is closed.
  virtual bool read(std::vector<std::uint8_t>& into, std::size_t count,
                    std::chrono::milliseconds wait) = 0;
};

// The line over this system's serial API.
std::unique_ptr<SerialLink> MakeSystemSerialLink();

// The serial ports the system has registered, by the name a port is opened with ("COM3"), in
// the order of their numbers.
std::vector<std::string> RegisteredSerialPorts();
// The same ports with what the system's device list knows of each (description, maker, USB ids,
// the adapter's latency timer), in the same order; names alone where it knows nothing.
std::vector<PortDescription> RegisteredSerialPortDescriptions();

}  // namespace kr4100
