// Where the bytes a host receives meet what it waits for: they are gathered into the reply the
// transfer session or the test-mode driver awaits, and handed over once, whole. Every host runs
// its replies through one, whatever runs its port and timers (Qt's, or the core's line and wait
// loop), so a new rule for received bytes (a cable that echoes what is sent) belongs here.
#pragma once

#include <cstddef>
#include <cstdint>
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

  explicit ReplyAssembly(Ending ending) : ending_(ending) {}

  // A frame went out (or was meant to, on a line that is closed) and replyLength bytes answer
  // it: a late reply to an earlier frame must not count for this one. Length arms at least one
  // byte; Quiet with 0 awaits nothing, and whatever comes until the next frame is dropped.
  void sent(std::span<const std::uint8_t> frame, int replyLength);
  // Nothing awaited, nothing held (the port closed, the radio on the cable changed); opened()
  // starts the count anew as well.
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

  // How many bytes the line is read for: those still missing, else one (while a reply settles
  // any byte more counts, and makes it too long).
  std::size_t awaited() const;
  // Bytes over the wire both ways since opened(): frames sent and replies handed over (for
  // measurements).
  std::size_t bytesOnWire() const { return bytesOnWire_; }

 private:
  Reply handOver();

  Ending ending_;
  Reply input_;
  std::size_t threshold_ = 0;  // 0: nothing awaited (Length awaits one byte then)
  bool settling_ = false;
  std::size_t bytesOnWire_ = 0;
};

}  // namespace kr4100
