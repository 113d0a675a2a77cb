// SPDX-License-Identifier: GPL-3.0-or-later
// The test-mode driver: a queue of command entries sent one exchange at a time, each exchange
// one send and at most one awaited reply. A pure state machine like the transfer session:
// everything it does goes through its host, and it moves on replies, send completions and timer
// ticks that the host passes in.
//
// How the queue is read. An exchange starts at the entry after the read index and takes every
// following entry that is sent with it (reply checks -76 and -1) into the same send; the reply
// length of its last entry is how many bytes are awaited. The awaited reply is checked by the
// entry after the exchange (its reply check), and that entry then starts the next exchange: for
// the identity request (0x02) the 8-byte reply is checked by the entry that sends the 0x06, whose
// own one-byte reply is checked by the step's closing entry. An exchange that awaits nothing
// lets the driver go on once its bytes have left (send complete, or the send timer's tick).
// Bytes that arrive while nothing is awaited are dropped. A reply is taken only when it has
// exactly the awaited length and passes its check; one that fails makes the whole exchange
// fail (nothing of it is stored or shown), and the wait time-out decides.
//
// Whatever way test mode ends, the radio is left as found: a keyed transmitter is released and,
// once the entry word has gone out, the leave bytes follow unless the radio acknowledged them;
// both have left the port before it closes.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/config/radio_config.h"
#include "core/link/identity.h"
#include "core/link/session_host.h"
#include "core/testmode/test_mode_commands.h"

namespace kr4100 {

inline constexpr std::chrono::milliseconds kTestWaitTimeout{300};
inline constexpr std::chrono::milliseconds kTestSendInterval{100};
inline constexpr std::chrono::milliseconds kTestEndDelay{300};
inline constexpr int kTestQueueSlots = 101;
// How long the last bytes may take to leave the port before it closes.
inline constexpr std::chrono::milliseconds kTestDrainBound{500};
// How long the line must stay quiet after the awaited bytes are in before the reply counts as
// whole: some twenty character times at 9600 baud, more than a USB adapter's latency timer.
inline constexpr std::chrono::milliseconds kReplyQuietGap{20};

enum class TestModeMessage {
  QueueFull,  // "Comm List is full!"
  Mismatch,   // the radio's test channels differ from the document's test frequencies
};

// The text a message shows, in both languages.
const Bilingual& TestModeMessageText(TestModeMessage message);

// One test channel as the radio reported it: RX and TX as the hexadecimal text of their 4 bytes
// (the stored form of a frequency, "28000000").
struct TestChannel {
  int channel = 0;
  std::string rx;
  std::string tx;
  friend bool operator==(const TestChannel&, const TestChannel&) = default;
};

// The test channels and the document's test frequencies agree: the same channel numbers, with
// the same stored RX and TX texts.
bool TestChannelsMatch(const std::vector<TestChannel>& radio, const RadioConfig& config);
// The lowest row among the document's test frequencies; 16 when there are none.
int LowestTestChannel(const RadioConfig& config);

class TestModeHost {
 public:
  virtual ~TestModeHost() = default;
  virtual bool openPort(const PortSettings& settings) = 0;
  // Why the last openPort failed, as far as the system told.
  virtual PortOpenError openError() const { return {}; }
  virtual void closePort() = 0;
  // Drops what the radio sent so far, arms the receive threshold at expectedReplyLength (0: no
  // reply awaited) and writes the bytes after any still leaving. The reply is handed to
  // onReceived once, whole: everything that arrived for the exchange, extra bytes included, so
  // that the driver can refuse a reply of the wrong length.
  virtual void send(std::span<const std::uint8_t> bytes, int expectedReplyLength) = 0;
  // Returns once every byte sent has left the port, or after bound; closing a port may cut off
  // what is still leaving.
  virtual void waitSent(std::chrono::milliseconds bound) = 0;
  virtual void startWaitTimer(std::chrono::milliseconds interval) = 0;
  virtual void stopWaitTimer() = 0;
  virtual void startSendTimer(std::chrono::milliseconds interval) = 0;
  virtual void stopSendTimer() = 0;
  virtual void startEndTimer(std::chrono::milliseconds interval) = 0;
  virtual void stopEndTimer() = 0;
  // "Check Connection. Retry or Cancel?" with Retry and Cancel.
  virtual Answer askRetry() = 0;
  virtual void tell(TestModeMessage message) = 0;
  // The radio that answered is not the document's model.
  virtual void identityRefused(const IdentityCheck& check) = 0;

  // The radio is in test mode and its test channels match: the test mode window may open.
  virtual void entered() {}
  // A tune was acknowledged; the item's adjustment block arrived before it.
  virtual void tuned(std::span<const std::uint8_t> block) { (void)block; }
  // The values of a selected page, one per point of the item, in tab order.
  virtual void valuesArrived(std::span<const std::uint8_t> values) { (void)values; }
  virtual void polled(int value) { (void)value; }
  // Test mode is over: queue empty, timers stopped, port closed.
  virtual void ended() {}
};

// One adjustment point to store: its code and value.
struct StoredPoint {
  int code = 0;
  int value = 0;
  friend bool operator==(const StoredPoint&, const StoredPoint&) = default;
};

class SerialTrace;

class TestModeDriver {
 public:
  explicit TestModeDriver(TestModeHost& host);

  // Every port event, exchange and time-out from here on goes to the trace too; null: none.
  void setTrace(SerialTrace* trace) { trace_ = trace; }

  // Opens the port and starts entering test mode for the document (its model code for the
  // identity check, its test frequencies for the channel comparison). False: the port did not
  // open, and nothing else happened.
  bool start(const PortSettings& settings, const RadioConfig& config);
  // Queues an action; nothing happens when test mode is not running.
  void act(TestAction action, int p = 0, int q = 0);
  // Closing the adjustment window: for each point given its page and value, then the closing
  // command on the item's test point. No points: nothing is sent.
  void storeValues(int item, const std::vector<StoredPoint>& points);
  // Leaves test mode as closing the window does: PTT released first if it is keyed.
  void leave(int signalling);
  // Ends at once (port error, cable pulled, wrong radio, retry cancelled, program closing): the
  // release and leave bytes go out unanswered where the radio may need them.
  void end();

  void onReceived(std::span<const std::uint8_t> bytes);
  // An echoing cable gave the bytes sent back (or got them wrong): for the trace alone.
  void onEcho(std::span<const std::uint8_t> echo, bool intact);
  void onSendComplete();
  void onSendTimer();
  void onWaitTimeout();
  // The wait ran out while the reply was still settling: what was in by then (settled now)
  // counts as in time, and the wait's end counts only if that reply is refused. Taken, the
  // exchange is over, and the wait now running is the next exchange's.
  void onWaitTimeout(const std::optional<std::vector<std::uint8_t>>& settled);
  void onEndTimer();

  bool active() const { return active_; }
  bool pttKeyed() const { return pttKeyed_; }
  bool empty() const { return read_ == write_; }
  // Running, nothing queued or in flight and no question open: a poll may go out.
  bool idle() const { return active_ && empty() && !awaiting_ && !sending_ && !asking_; }
  const std::vector<TestChannel>& channels() const { return channels_; }
  const std::array<std::uint8_t, kAdjustBlockLength>& block() const { return block_; }

 private:
  static int next(int index) { return (index + 1) % kTestQueueSlots; }
  void enqueue(const std::vector<QueueEntry>& entries);
  void clearQueue();
  void run();
  void runIfIdle(bool wasIdle);
  bool nothingInFlight() const { return empty() && !awaiting_ && !sending_; }
  std::vector<std::uint8_t> farewellBytes() const;
  bool checkReply(const QueueEntry& checker, std::span<const std::uint8_t> reply) const;
  void process(const QueueEntry& checker, std::span<const std::uint8_t> reply);
  void channelReply(const QueueEntry& checker, std::span<const std::uint8_t> reply);

  void traceSent(const QueueEntry& last, std::span<const std::uint8_t> bytes);

  TestModeHost& host_;
  SerialTrace* trace_ = nullptr;
  std::array<QueueEntry, kTestQueueSlots> ring_{};
  int read_ = 0;           // the entry sent last
  int write_ = 0;          // the entry queued last
  int exchangeStart_ = 0;  // the read index before the exchange in flight, for Retry
  bool active_ = false;
  bool awaiting_ = false;  // a reply is awaited
  int awaitLength_ = 0;
  bool replyFailed_ = false;   // the awaited reply came wrong: only the time-out moves on
  bool asking_ = false;        // the retry question is open: nothing goes out
  bool overflowTold_ = false;  // "Comm List is full!" shown for the current overflow
  bool telling_ = false;       // a message is open: no second one over it
  bool sending_ = false;       // an exchange without reply is leaving; the driver goes on after it
  bool mayOpenWindow_ = false;
  bool pttKeyed_ = false;
  bool keyedOnAir_ = false;       // a PTT press went out and no release has been acknowledged since
  bool radioInTestMode_ = false;  // the entry word went out and no leave was acknowledged since
  int signalling_ = 1;            // the last signalling chosen, to leave with
  int channelsRead_ = 0;
  std::string modelCode_;
  RadioConfig config_;
  std::vector<TestChannel> channels_;
  std::array<std::uint8_t, kAdjustBlockLength> block_{};
};

}  // namespace kr4100
