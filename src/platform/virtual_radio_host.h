// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer session's host when the "port" is the in-process virtual radio: frames go straight
// to a sim::VirtualRadio and its replies come back after their 9600-baud wire time, so a user with
// no radio sees sessions run at the pace of a real one. The radio's memory is kept in a file.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "platform/qt_session_host.h"
#include "platform/virtual_wire.h"
#include "sim/virtual_radio.h"

namespace kr4100 {

// In a group write the next radio is taken on only after the last one has been quiet for a while
// (kUnpluggedQuiet); the virtual radio stays away this long between two radios, as if swapped.
inline constexpr std::chrono::milliseconds kVirtualRadioSwapTime{1500};

class VirtualRadioHost : public QtSessionHost {
 public:
  // memoryFile empty: the radio starts fresh each run and nothing is stored.
  explicit VirtualRadioHost(Prompter& prompter, std::filesystem::path memoryFile = {},
                            QObject* parent = nullptr);

  // 1: the real pace; 10: ten times faster; 0 or less: replies arrive on the next turn of the
  // event loop. The session's own time-outs and the swap time between radios are not scaled.
  void setSpeedFactor(double factor) { wire_.setSpeedFactor(factor); }
  double speedFactor() const { return wire_.speedFactor(); }

  // The radio at the end of the cable, created on first use from the memory file when that holds
  // a whole image.
  sim::VirtualRadio& radio();
  const std::filesystem::path& memoryFile() const { return memoryFile_; }
  // Stores the radio's memory now; false when it could not be written (or there is no file).
  bool saveMemory();

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;
  void nextRadio(int radioNumber) override;

 private:
  std::filesystem::path memoryFile_;
  std::unique_ptr<sim::VirtualRadio> radio_;
  VirtualWire wire_;
  bool open_ = false;
  qint64 swappedInUs_ = 0;  // the radio is away until then (group write)
};

}  // namespace kr4100
