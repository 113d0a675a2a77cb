// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual radio's test mode: the alignment exchanges answered with its own values. The
// values live in the radio's memory (0x1E00 on, outside every programming transfer), so a memory
// file keeps them between runs; the sixteen test channels are the radio's own too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/config/radio_config.h"
#include "sim/virtual_radio.h"

namespace kr4100::sim {

inline constexpr int kAlignmentBase = 0x1E00;

// Faults of the test-mode replies, each off by default; counters are 1-based over the test-mode
// replies the radio produces, so a fault strikes once.
struct TestModeFaults {
  int dropReply = 0;      // the n-th reply is never sent
  int corruptReply = 0;   // the n-th reply has its first byte changed
  int truncateReply = 0;  // the n-th reply loses its last byte
  int refuseReply = 0;    // the n-th reply, an acknowledge, comes as 0x15 instead
  int strayReply = 0;     // the n-th reply comes with a stray byte in front
  int overlongReply = 0;  // the n-th reply comes with one byte too many at its end
  int silentAfter = -1;   // after n replies nothing more is answered (cable pulled)
  // A radio that acknowledges a page select: its 0x06 goes out late, just ahead of the page's
  // values.
  bool ackPageSelect = false;
};

class TestModeResponder {
 public:
  // Attaches to the radio: from now on it answers "ALIGNS " and, in test mode, every test-mode
  // command. The radio must outlive this object or the responder must be detached first.
  explicit TestModeResponder(VirtualRadio& radio);
  ~TestModeResponder();

  // The radio's test channels 1..16 from a document's test frequencies (others absent).
  void setTestChannels(const RadioConfig& config);
  TestModeFaults& faults() { return faults_; }

  bool inTestMode() const { return inTestMode_; }
  bool pttKeyed() const { return pttKeyed_; }
  bool wide() const { return wide_; }
  int signalling() const { return signalling_; }
  int tunedItem() const { return tunedItem_; }
  int value(int code) const;  // an alignment value, -1 for a code the radio does not have
  // How often test mode was left (0x45); a memory file is worth storing after each.
  int testModeEnds() const { return ends_; }
  int replies() const { return replies_; }  // test-mode replies produced, dropped ones included
  void setValue(int code, int value);

 private:
  std::size_t consume(std::span<const std::uint8_t> buffered, std::vector<std::uint8_t>& reply);
  std::size_t consumeEntryWord(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply);
  std::size_t consumeChannelOrSignalling(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply);
  std::size_t consumePointCommand(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply,
                                  bool afterBlock);
  std::size_t consumeSingleByte(std::span<const std::uint8_t> b, std::vector<std::uint8_t>& reply,
                                bool afterBlock);
  void answer(std::vector<std::uint8_t>& reply, std::vector<std::uint8_t> bytes);
  std::vector<std::uint8_t> pageValues() const;

  VirtualRadio& radio_;
  TestModeFaults faults_;
  std::array<std::optional<std::array<std::uint8_t, 8>>, 17> channels_{};  // [1..16]
  bool inTestMode_ = false;
  bool pttKeyed_ = false;
  bool wide_ = true;
  int signalling_ = 1;
  int tunedItem_ = 0;
  int pageCode_ = 0;
  bool ackAnswered_ = false;  // the program's 0x06 after this reply is acknowledged
  bool afterBlock_ = false;   // the block was just read: "p 0x0D" tunes item p
  bool pageAckOwed_ = false;  // with ackPageSelect: a page select's 0x06 is still to go
  int replies_ = 0;
  int polls_ = 0;
  int ends_ = 0;
};

}  // namespace kr4100::sim
