// SPDX-License-Identifier: GPL-3.0-or-later
// Where the bytes a host receives meet what it waits for: they are gathered into the reply the
// transfer session or the test-mode driver awaits, and handed over once, whole. Every host runs
// its replies through one, whatever runs its port and timers (Qt's, or the core's line and wait
// loop), so a rule for received bytes belongs here: some cables join TX and RX, and every byte
// sent comes back ahead of the radio's reply. The first frame after an open tells (it comes back
// whole, or something else comes first); on such a line each frame's echo is taken and checked
// before its reply, and a wrong echo spoils the exchange as a corrupted reply would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace kr4100 {

class ReplyAssembly {
 public:
  using Reply = std::vector<std::uint8_t>;

  // When an awaited reply is whole.
  enum class Ending {
    // A transfer's frame: as soon as the armed number of bytes is in, with all that is in by
    // then; the session judges its length.
    Length,
    // A test-mode exchange: once the line has stayed quiet for kReplyQuietGap after the awaited
    // bytes, so that a stray or extra byte makes the reply the wrong length instead of shifting
    // the next one. The host runs that wait and calls settle() when it is over.
    Quiet,
  };

  // What the cable does with the bytes sent, as far as it has shown since the open.
  enum class Line { Unknown, Plain, Echoing };

  // The echo of what was sent, once it is all back (intact) or as far as it went wrong. For the
  // trace: the echo is no reply and never reaches the session.
  using EchoHeard = std::function<void(std::span<const std::uint8_t> echo, bool intact)>;

  explicit ReplyAssembly(Ending ending) : ending_(ending) {}

  void onEcho(EchoHeard heard) { echoHeard_ = std::move(heard); }

  // A frame went out (or was meant to, on a line that is closed) and replyLength bytes answer
  // it: a late reply to an earlier frame must not count for this one. Length arms at least one
  // byte; Quiet with 0 awaits nothing, and whatever comes until the next frame is dropped. On an
  // echoing line the frame's echo is awaited first; a test-mode frame that awaited nothing may
  // still owe its echo, which then comes ahead of this one's.
  void sent(std::span<const std::uint8_t> frame, int replyLength);
  // Nothing awaited, nothing held (the port closed, the radio on the cable changed); opened()
  // starts the count anew as well, and the next frame tells again whether the cable echoes.
  void clear();
  void opened();

  // Bytes from the line. Length: the reply once it is whole. Quiet: never a reply here; while
  // settling() holds the host (re)starts its quiet wait.
  std::optional<Reply> take(std::span<const std::uint8_t> bytes);
  // Quiet: the awaited bytes are in and the line has not been quiet long enough yet.
  bool settling() const { return settling_; }
  // Quiet: the line stayed quiet, or the exchange's own wait ran out while the reply settled (a
  // reply all in counts as in time). The reply, once, when it is whole.
  std::optional<Reply> settle();

  // How many bytes the line is read for: those still missing (echo included), else one (while a
  // reply settles any byte more counts, and makes it too long).
  std::size_t awaited() const;
  // Bytes over the wire both ways since opened(): frames sent and replies handed over (for
  // measurements; an echo shares the wire time of its frame).
  std::size_t bytesOnWire() const { return bytesOnWire_; }

  Line line() const { return line_; }
  // Echo of frames sent is still to come: what came in must not be dropped before a send.
  bool echoOwed() const { return echoAt_ < echo_.size(); }

 private:
  Reply handOver();
  // One byte while it is open whether the first frame comes back.
  void probe(std::uint8_t byte);
  void echoByte(std::uint8_t byte);
  void replyByte(std::uint8_t byte);
  void reportEcho(bool intact);

  Ending ending_;
  Reply input_;
  std::size_t threshold_ = 0;  // 0: nothing awaited (Length awaits one byte then)
  bool settling_ = false;
  std::size_t bytesOnWire_ = 0;

  Line line_ = Line::Unknown;
  Reply probe_;                  // the frame that may come back, while the line is unknown
  Reply held_;                   // what came of it so far: its echo, or the start of a reply
  Reply echo_;                   // echoing: the bytes sent whose echo is awaited ...
  std::size_t echoAt_ = 0;       // ... and how far it has come back
  bool spoilt_ = false;          // the echo came back wrong: nothing more of this exchange counts
  bool awaitedNothing_ = false;  // the last frame awaited no reply (its echo may be owed)
  EchoHeard echoHeard_;
};

}  // namespace kr4100
