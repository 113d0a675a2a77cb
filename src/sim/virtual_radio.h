// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual KR-4100: the radio's side of the serial protocol with its own memory, identity and
// radio-information block, and faults that can be injected. It knows nothing about time; callers
// (the in-process simulated link, the pseudo-terminal program) decide when bytes travel.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/link/radio_image.h"

namespace kr4100::sim {

struct IdentitySettings {
  std::string modelCode = "HT52";  // up to four characters, blank padded in the reply
  std::uint8_t modelType = 248;
  std::uint8_t bandCode = 0;
  std::string firmware = "V600";  // the same
};

// Faults, each off by default. Counters are 1-based (3 means the third one) and count from the
// radio's start, so a fault strikes once and the program's retry then meets a sound radio.
struct Faults {
  int dropReply = 0;            // the n-th reply the radio produces is never sent
  int corruptBlock = 0;         // the n-th data block sent to the program has a wrong checksum
  bool ignoreAckOfAck = false;  // the program's acknowledge is not acknowledged
  bool ignoreEnd = false;       // the end frame is not acknowledged
  int silentAfterBlocks = -1;   // after n data blocks (read or written) nothing more is heard or
                                // answered, as if the cable were pulled
  int corruptReply = 0;         // the n-th reply has its first byte changed
  int truncateReply = 0;        // the n-th reply loses its last byte
  int refuseReply = 0;          // the n-th reply, an acknowledge, comes as 0x15 instead
  int silentAfterReplies = -1;  // after n replies nothing more is heard or answered (cable
                                // pulled at any step, not only between data blocks)
  int storeWrongAddress = -1;   // a written byte landing here is stored with storeWrongXor
  std::uint8_t storeWrongXor = 0x01;  // applied (a bad memory cell), every write, acknowledged
};

// A frame the radio recognised, as the radio saw it.
enum class FrameKind { Handshake, IdentityRequest, Ack, Read, Write, End, Other };

class VirtualRadio {
 public:
  VirtualRadio();  // fresh radio: the image a write of a new document leaves, identity included
  explicit VirtualRadio(IdentitySettings identity, Faults faults = {});

  // Bytes from the program, in any pieces; returns what the radio sends back (possibly nothing).
  // Complete frames are acted on as soon as their last byte is in.
  std::vector<std::uint8_t> receive(std::span<const std::uint8_t> bytes);

  // True while part of a frame is buffered, waiting for the rest. A transport that sees no byte
  // for a long time while this holds calls resetReceiver(), as a real radio's receiver gives up
  // on a broken frame, so that the next session does not start misaligned.
  bool framePending() const { return !pending_.empty(); }
  void resetReceiver() { pending_.clear(); }

  RadioImage& memory() { return memory_; }
  const RadioImage& memory() const { return memory_; }
  const IdentitySettings& identity() const { return identity_; }
  void setIdentity(const IdentitySettings& identity);
  Faults& faults() { return faults_; }

  // Every frame acted on, in order, with the address of read and write blocks (-1 otherwise).
  // Frames refused (bad checksum, outside the memory) and frames sent while the radio is silent
  // are not listed; a frame whose reply a fault dropped is.
  struct Event {
    FrameKind kind;
    int address;
  };
  const std::vector<Event>& events() const { return events_; }
  void clearEvents() { events_.clear(); }

  // Frames this radio does not know (test-mode commands) go to this handler when set; what it
  // puts into reply is sent back. It gets the buffered bytes, starting with the unknown one, and
  // says how many it consumed: 0 to wait for more, kNotMine when it does not know them either
  // (the radio then drops the first byte, as it does without a handler).
  using ExtraHandler = std::function<std::size_t(std::span<const std::uint8_t> buffered,
                                                 std::vector<std::uint8_t>& reply)>;
  static constexpr std::size_t kNotMine = static_cast<std::size_t>(-1);
  void setExtraHandler(ExtraHandler handler) { extra_ = std::move(handler); }
  // In test mode the radio gives some programming bytes other meanings (0x02 is answered with 8
  // bytes there): while set, the handler sees every frame first and the programming side only
  // what it declines with kNotMine.
  void setExtraHandlerFirst(bool first) { extraFirst_ = first; }

  // The image a write of a fresh new document leaves in a radio, with the given identity at
  // 0x1D90 and the default radio information.
  static RadioImage FreshImage(const IdentitySettings& identity);
  static RadioInfo DefaultRadioInfo();
  // The 14 bytes the radio answers an identity request with.
  static std::vector<std::uint8_t> IdentityReply(const IdentitySettings& identity);

 private:
  std::size_t consumeFrame(std::vector<std::uint8_t>& out);
  std::size_t consumeUnknown(std::vector<std::uint8_t>& out);
  std::size_t consumeByExtra(std::vector<std::uint8_t>& out);
  std::size_t consumeRead(std::vector<std::uint8_t>& out);
  std::size_t consumeWrite(std::vector<std::uint8_t>& out);
  void reply(std::vector<std::uint8_t>& out, std::vector<std::uint8_t> bytes);
  bool silent() const;

  IdentitySettings identity_;
  Faults faults_;
  RadioImage memory_{};
  std::vector<std::uint8_t> pending_;
  std::vector<Event> events_;
  ExtraHandler extra_;
  bool extraFirst_ = false;
  int replies_ = 0;     // replies produced, dropped ones included
  int blocksSent_ = 0;  // data blocks produced for the program
  int blocks_ = 0;      // data blocks read or written
};

}  // namespace kr4100::sim
