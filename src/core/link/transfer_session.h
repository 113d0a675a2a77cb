// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer session: moves the radio image between program and radio one frame at a time,
// driven by replies and reply time-outs, with the port search and the group write. A pure state
// machine: everything it does goes through its SessionHost.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/config/document.h"
#include "core/config/radio_config.h"
#include "core/config/version_table.h"
#include "core/link/frames.h"
#include "core/link/identity.h"
#include "core/link/port_search.h"
#include "core/link/radio_image.h"
#include "core/link/session_host.h"

namespace kr4100 {

// Group write: how long no acknowledge must come before the next one counts as a new radio.
inline constexpr std::chrono::milliseconds kUnpluggedQuiet{1000};

// Percentage of the image done, rounded half to even.
int ProgressPercent(int currentAddress, int imageEnd);

// The number of radios typed for a group write: a whole number of at least 1, or nothing.
std::optional<int> ParseRadioCount(std::string_view text);

class SerialTrace;

class TransferSession {
 public:
  TransferSession(SessionHost& host, const VersionTable& versions);

  // Every port event, frame and decision from here on goes to the trace too; null: none.
  void setTrace(SerialTrace* trace);

  void setPortSettings(const PortSettings& settings) { port_ = settings; }
  const PortSettings& portSettings() const { return port_; }
  // The document's model code and band code, for the identity check.
  void setProgramIdentity(std::string modelCode, int bandCode);

  // Step 1 of every session: sets the kind and opens the port. False: the port could not be
  // opened (the caller shows the port error) and the session stays idle.
  bool open(SessionKind kind);
  // The user declined to go on after the port was opened.
  void cancel();
  // Image preparation: 0xFF everywhere, the bitmaps zero; for a write the record is packed in.
  // A write the radio's memory cannot hold is refused here, before anything is sent (the port is
  // closed and the session idle again).
  void prepareRead();
  std::optional<ImageError> prepareWrite(const RadioConfig& config);

  // Verify: after each radio's write the session reads the radio's memory back (same port, no
  // identity check) before it ends or takes on the next radio.
  void setReadBack(bool on) { readBack_ = on; }
  bool readBack() const { return readBack_; }
  bool readingBack() const;

  // Sends the handshake. For a group write, radios is the number of radios to write.
  void start();
  void startGroupWrite(int radios);

  void onReceived(std::span<const std::uint8_t> bytes);
  // An echoing cable gave the frame back (or got it wrong): for the trace alone, as the host
  // keeps the echo from the replies.
  void onEcho(std::span<const std::uint8_t> echo, bool intact);
  void onTimer();
  // Ends a running session with failure (the group progress window was closed).
  void abort();

  SessionKind kind() const { return kind_; }
  bool active() const { return kind_ != SessionKind::Idle; }
  bool groupWrite() const { return radios_ > 0; }
  int radioNumber() const { return radioNumber_; }
  int radiosToWrite() const { return radios_; }
  const RadioImage& image() const { return image_; }
  RadioImage& image() { return image_; }
  const std::optional<RadioIdentity>& radioIdentity() const { return identity_; }
  // What the last read-back brought (0xFF where nothing came).
  const RadioImage& readBackImage() const { return readBackImage_; }
  // After a successful read: the image into the document's working record, with the band of the
  // identity reply this session received (the radio's memory may say otherwise).
  std::optional<ImageError> unpackRead(Document& doc) const;

 private:
  // Where the session stands, one value at a time: within a transfer, what it waits for (named
  // after the frame it sent last); between transfers, why it waits.
  enum class Step {
    Idle,
    Handshake,        // the handshake's acknowledge
    IdentityRequest,  // the identity reply
    IdentityAck,      // the acknowledge of our acknowledge of the identity
    Block,            // read: the data block requested; write: the acknowledge of the block sent
    BlockAck,         // read: the acknowledge of our acknowledge of the block
    End,              // the end frame's acknowledge; the transfer succeeded
    EndRefused,       // the same after the identity check refused the radio
    Asking,           // a question is open: nothing that arrives is looked at
    // A group write between radios, sending handshakes: first until the radio just written stops
    // acknowledging (it was unplugged), then until the next one answers.
    RadioLeaving,
    NextRadio,
  };

  void setGeometry(bool restart);
  void sendFrame(const std::vector<std::uint8_t>& frame, int expectedReplyLength);
  void sendHandshake();
  void beginHandshake(Step step = Step::Handshake);
  void sendIdentityRequest();
  void sendAck();
  void sendEnd(Step next);
  bool advanceBlock();
  void requestNextBlock();
  void sendNextBlock();
  void reportProgress(int address);
  void resetProgress();

  bool openPort(const PortSettings& settings);
  void closePort();
  void handleTransferReply(ReplyType type, std::span<const std::uint8_t> bytes);
  void afterIdentityAck();
  void storeIdentity(std::span<const std::uint8_t> bytes);
  void storeBlock(std::span<const std::uint8_t> bytes);

  void handleTimeout();
  void retryOrSearch(int& retries, void (TransferSession::*resend)());
  // The connection question (read, write) or the retry question (radio information): going on
  // repeats the transfer from the handshake, anything else ends it.
  void askAndRestart(Question question);
  bool repeatTransfer();  // false when the port cannot be opened again
  bool betweenRadios() const { return step_ == Step::RadioLeaving || step_ == Step::NextRadio; }
  // The kind the session runs under, also while a port search has interrupted it.
  SessionKind sessionKind() const { return kind_ == SessionKind::Search ? interrupted_ : kind_; }

  void startSearch();
  void searchStepped(PortSearch::Result result, std::span<const std::uint8_t> bytes);
  void searchFound();
  void searchExhausted();
  void takeSearchResult(const PortSettings& found);

  void groupWaitingReply(ReplyType type);
  void groupWaitingTimeout();

  void endAcknowledged();
  void startReadBack();
  void finish(bool success);

  SessionHost& host_;
  const VersionTable& versions_;
  PortSettings port_;
  std::string programModel_ = "HT52";
  int programBand_ = 0;

  SessionKind kind_ = SessionKind::Idle;
  // What the frames move now: the session's kind, except that a write's read-back moves as a read.
  SessionKind moving_ = SessionKind::Idle;
  Step step_ = Step::Idle;
  int currentAddress_ = 0;
  int blockSize_ = 0;
  int imageEnd_ = 0;
  int lastProgress_ = 0;
  int handshakeRetries_ = 0;
  int identityRetries_ = 0;
  bool portOpen_ = false;  // the host's port is ours to close
  PortSettings openSettings_;
  RadioImage image_{};
  std::optional<RadioIdentity> identity_;

  // Read-back after a write.
  bool readBack_ = false;
  RadioImage readBackImage_{};
  int sentFrom_ = 0;
  std::chrono::milliseconds radioStarted_{0};
  // A data block of this radio's write went out and its end has not been acknowledged.
  bool blocksSent_ = false;

  // Group write; radios_ is 0 for any other session.
  int radios_ = 0;
  int radioNumber_ = 0;
  std::chrono::milliseconds lastAck_{0};

  // Port search: the kind it interrupted goes on once it has ended.
  SessionKind interrupted_ = SessionKind::Idle;
  PortSearch search_{host_};
  SerialTrace* trace_ = nullptr;
  const char* stepName() const;
};

}  // namespace kr4100
