// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a virtual radio on a pseudo-terminal, so a program can reach it through a real serial
// device path; optionally paced at the 9600-baud rate of the real cable in both directions.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "sim/virtual_radio.h"

namespace kr4100::sim {

struct PtyServerOptions {
  bool pace = false;     // real wire timing: 10 bit times of 1/9600 s per byte
  std::string savePath;  // memory is written there after every end frame; empty: not saved
  // The line settings the radio is set to. What the program sends while its side is set otherwise
  // never makes sense to the radio, as on a real line. Unset: any setting reaches the radio.
  std::optional<int> stopBits;     // 1 or 2
  std::optional<int> handshaking;  // 0 none, 1 XON/XOFF, 2 RTS/CTS (3, both, looks the same as 2)
  bool echo = false;  // the cable joins TX and RX: every byte the program sends comes back
  // A USB adapter's latency timer: what the radio sends reaches the program in packets of at
  // most 62 bytes, each once full or this long after its first byte. 0: no adapter.
  std::chrono::milliseconds adapterLatency{0};
};

class PtyServer {
 public:
  using Clock = std::chrono::steady_clock;
  // One byte on the wire, 10 bits at 9600 baud.
  static constexpr std::chrono::nanoseconds kByteTime{1'041'667};
  // A frame left half received this long is given up, as a real receiver would.
  static constexpr std::chrono::milliseconds kFrameGiveUp{500};

  PtyServer(VirtualRadio& radio, PtyServerOptions options);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Opens the pseudo-terminal with a raw slave side. False with a reason on failure.
  bool open(std::string& error);
  const std::string& slavePath() const { return slavePath_; }

  // Serves until stopFd becomes readable (true), or the pseudo-terminal fails (false, reason).
  bool serve(int stopFd, std::string& error);

  // Writes the radio's memory to the save path, atomically; true when there is none.
  bool save(std::string& error) const;

  // Asked after the radio has taken bytes: true stores the memory as an end frame does (test mode
  // left, say).
  void setSaveWanted(std::function<bool()> wanted) { saveWanted_ = std::move(wanted); }

 private:
  struct TimedByte {
    std::uint8_t byte;
    Clock::time_point at;  // paced: when it has fully crossed the wire
  };

  bool readInput(Clock::time_point now, std::string& error);
  bool lineSetAsRadio() const;
  bool deliverDue(Clock::time_point now, std::string& error);
  bool feedRadio(std::span<const std::uint8_t> bytes, Clock::time_point at, std::string& error);
  bool writeDue(Clock::time_point now, std::string& error);
  void queueOut(TimedByte byte);
  // When the packet that starts at outbound_[from] reaches the program, and its bytes.
  std::pair<Clock::time_point, std::size_t> packetAt(std::size_t from) const;
  std::optional<std::chrono::nanoseconds> pollTimeout(Clock::time_point now) const;

  VirtualRadio& radio_;
  PtyServerOptions options_;
  int master_ = -1;
  int slave_ = -1;  // held open so a client closing the device does not hang up the master
  std::string slavePath_;
  std::deque<TimedByte> inbound_;    // received, not yet handed to the radio (paced only)
  std::deque<TimedByte> outbound_;   // replies not yet written
  Clock::time_point inWireFree_{};   // when the inbound wire is free for the next byte
  Clock::time_point outWireFree_{};  // the same for the outbound wire
  Clock::time_point lastInput_{};
  bool outputBlocked_ = false;
  std::function<bool()> saveWanted_;  // the pseudo-terminal's buffer is full: wait until writable
};

}  // namespace kr4100::sim
