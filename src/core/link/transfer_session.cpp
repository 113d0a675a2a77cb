// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/transfer_session.h"

#include <algorithm>

#include "core/config/numbers.h"
#include "core/link/frames.h"
#include "core/link/serial_trace.h"

namespace kr4100 {
namespace {

constexpr int kReadBlock = 64;
constexpr int kWriteBlock = 16;
constexpr int kInfoBlock = 16;
// The current address runs one block behind: each request or block first adds the block size.
constexpr int kInfoStart = image_map::kRadioInfoBlock - kInfoBlock;
constexpr int kInfoEnd = static_cast<int>(kImageSize);
// A read asks for whole blocks until the next one would start at or past the image end, so its
// last block runs on to the end of the read area.
static_assert((image_map::kConfigEnd + kReadBlock - 1) / kReadBlock * kReadBlock ==
              image_map::kConfigEndRead);

}  // namespace

int ProgressPercent(int currentAddress, int imageEnd) {
  if (imageEnd <= 0 || currentAddress <= 0) return 0;
  const long long numerator = static_cast<long long>(currentAddress) * 100;
  long long quotient = numerator / imageEnd;
  const long long twiceRemainder = 2 * (numerator % imageEnd);
  if (twiceRemainder > imageEnd || (twiceRemainder == imageEnd && quotient % 2 == 1)) ++quotient;
  return static_cast<int>(quotient);
}

std::optional<int> ParseRadioCount(std::string_view text) {
  const auto value = ParseInteger16(text);
  if (!value || *value < 1) return std::nullopt;
  return value;
}

TransferSession::TransferSession(SessionHost& host, const VersionTable& versions)
    : host_(host), versions_(versions) {}

void TransferSession::setTrace(SerialTrace* trace) {
  trace_ = trace;
  search_.setTrace(trace);
}

// By the frame it waits after, as Step names them.
const char* TransferSession::stepName() const {
  static constexpr const char* kNames[] = {"idle",   "handshake", "identity",  "ident-ack",
                                           "block",  "block-ack", "end",       "end-refuse",
                                           "asking", "leaving",   "next-radio"};
  return kind_ == SessionKind::Search ? "search" : kNames[static_cast<std::size_t>(step_)];
}

void TransferSession::setProgramIdentity(std::string modelCode, int bandCode) {
  programModel_ = std::move(modelCode);
  programBand_ = bandCode;
}

// ---------------------------------------------------------------------------------------------
// Opening, preparing, starting

void TransferSession::setGeometry(bool restart) {
  // A repeated write starts over: what was read back belongs to the attempt before.
  if (readingBack()) host_.readingBack(false);
  moving_ = kind_;
  switch (kind_) {
    case SessionKind::Read:
      blockSize_ = kReadBlock;
      currentAddress_ = -kReadBlock;
      imageEnd_ = image_map::kConfigEnd;
      break;
    case SessionKind::Write:
      blockSize_ = kWriteBlock;
      // The first attempt starts with the channel records; a repeat and a group write send the
      // whole image.
      currentAddress_ =
          restart || groupWrite() ? -kWriteBlock : image_map::kChannelBase - kWriteBlock;
      imageEnd_ = image_map::kConfigEnd;
      sentFrom_ = currentAddress_ + blockSize_;
      break;
    case SessionKind::ReadInfo:
    case SessionKind::WriteInfo:
      blockSize_ = kInfoBlock;
      currentAddress_ = kInfoStart;
      imageEnd_ = kInfoEnd;
      break;
    default:
      blockSize_ = 0;
      currentAddress_ = 0;
      imageEnd_ = 0;
      break;
  }
}

bool TransferSession::open(SessionKind kind) {
  if (active()) return false;
  kind_ = kind;
  radios_ = 0;
  identity_.reset();
  setGeometry(false);
  if (portOpen_) closePort();
  if (trace_) trace_->begin(SessionKindName(kind));
  if (!openPort(port_)) {
    if (trace_) trace_->outcome(SessionKindName(kind), false);
    kind_ = SessionKind::Idle;
    return false;
  }
  return true;
}

void TransferSession::cancel() {
  closePort();
  kind_ = SessionKind::Idle;
  moving_ = SessionKind::Idle;
  step_ = Step::Idle;
}

void TransferSession::prepareRead() {
  PrepareImage(image_);
}

std::optional<ImageError> TransferSession::prepareWrite(const RadioConfig& config) {
  RadioImage image;
  PrepareImage(image);
  if (auto error = PackImage(config, image)) {
    cancel();
    return error;
  }
  image_ = image;
  return std::nullopt;
}

void TransferSession::start() {
  if (!active()) return;
  radioStarted_ = host_.now();
  blocksSent_ = false;
  lastProgress_ = 0;
  beginHandshake();
}

void TransferSession::startGroupWrite(int radios) {
  if (kind_ != SessionKind::Write || radios < 1) return;
  radios_ = radios;
  radioNumber_ = 1;
  setGeometry(false);
  start();
}

bool TransferSession::readingBack() const {
  return sessionKind() == SessionKind::Write && moving_ == SessionKind::Read;
}

std::optional<ImageError> TransferSession::unpackRead(Document& doc) const {
  if (!identity_) return UnpackImage(image_, doc);
  // The read brings the radio's memory over the identity reply stored at the start; the band the
  // radio announced is the one it checks a write against, so the document takes that one.
  RadioImage image = image_;
  image[static_cast<std::size_t>(image_map::kIdentityBandCode)] =
      static_cast<std::uint8_t>(identity_->bandCode);
  return UnpackImage(image, doc);
}

// ---------------------------------------------------------------------------------------------
// Port and frames

bool TransferSession::openPort(const PortSettings& settings) {
  portOpen_ = host_.openPort(settings);
  openSettings_ = settings;
  if (trace_)
    portOpen_ ? trace_->opened(settings) : trace_->openFailed(settings, host_.openError());
  return portOpen_;
}

void TransferSession::closePort() {
  if (portOpen_) {
    host_.closePort();
    if (trace_) trace_->closed();
  }
  portOpen_ = false;
}

void TransferSession::sendFrame(const std::vector<std::uint8_t>& frame, int expectedReplyLength) {
  host_.startReplyTimer(kReplyTimeout);
  if (trace_) trace_->sent(stepName(), frame);
  host_.send(frame, expectedReplyLength);
}

void TransferSession::sendHandshake() {
  sendFrame(BuildHandshake(), 1);
}

// Every transfer, repeat and radio starts here: the retries are counted afresh.
void TransferSession::beginHandshake(Step step) {
  handshakeRetries_ = 0;
  identityRetries_ = 0;
  step_ = step;
  sendHandshake();
}
void TransferSession::sendIdentityRequest() {
  sendFrame(BuildIdentityRequest(), kIdentityReplyLength);
}
void TransferSession::sendAck() {
  sendFrame(BuildAck(), 1);
}

void TransferSession::sendEnd(Step next) {
  step_ = next;
  sendFrame(BuildEnd(), 1);
}

// On to the next block; past the image's end the end frame goes instead (false).
bool TransferSession::advanceBlock() {
  currentAddress_ += blockSize_;
  if (currentAddress_ >= imageEnd_) {
    sendEnd(Step::End);
    return false;
  }
  step_ = Step::Block;
  return true;
}

void TransferSession::requestNextBlock() {
  if (advanceBlock()) sendFrame(BuildReadRequest(currentAddress_, blockSize_), blockSize_ + 5);
}

void TransferSession::sendNextBlock() {
  if (!advanceBlock()) return;
  reportProgress(currentAddress_);
  blocksSent_ = true;
  const auto data = std::span<const std::uint8_t>(image_).subspan(
      static_cast<std::size_t>(currentAddress_), static_cast<std::size_t>(blockSize_));
  sendFrame(BuildDataBlock(currentAddress_, data), 1);
}

void TransferSession::reportProgress(int address) {
  if (!IsConfigTransfer(kind_)) return;
  const int percent = ProgressPercent(address, imageEnd_);
  if (percent - lastProgress_ >= 1) {
    lastProgress_ = percent;
    host_.progress(percent);
  }
}

void TransferSession::resetProgress() {
  lastProgress_ = 0;
  if (IsConfigTransfer(kind_)) host_.progress(0);
}

// ---------------------------------------------------------------------------------------------
// Replies

void TransferSession::onReceived(std::span<const std::uint8_t> bytes) {
  if (trace_ && active()) trace_->received(stepName(), bytes);
  // While a question is open the session decides nothing; what arrives meanwhile is dropped.
  if (!active() || step_ == Step::Asking || kind_ == SessionKind::TestMode) return;
  const ReplyType reply = ClassifyReply(bytes, currentAddress_, blockSize_);
  if (reply == ReplyType::Unknown) return;  // the reply timer decides
  if (kind_ == SessionKind::Search) {
    searchStepped(search_.onReply(reply, bytes), bytes);
  } else if (betweenRadios()) {
    groupWaitingReply(reply);
  } else if (kind_ == SessionKind::Read || kind_ == SessionKind::Write ||
             kind_ == SessionKind::ReadInfo) {
    handleTransferReply(reply, bytes);
  } else if (kind_ == SessionKind::WriteInfo) {
    // The radio takes no information: whatever it answers, the session ends without success.
    finish(false);
  }
}

void TransferSession::onEcho(std::span<const std::uint8_t> echo, bool intact) {
  if (trace_ && active()) trace_->echoed(stepName(), echo, intact);
}

void TransferSession::storeIdentity(std::span<const std::uint8_t> bytes) {
  identity_ = ParseIdentityReply(bytes);
  std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), kIdentityReplyLength),
              image_.begin() + image_map::kIdentity);
}

void TransferSession::storeBlock(std::span<const std::uint8_t> bytes) {
  RadioImage& target = readingBack() ? readBackImage_ : image_;
  const auto address = static_cast<std::size_t>(currentAddress_);
  const auto length = static_cast<std::size_t>(blockSize_);
  if (address + length > target.size() || bytes.size() < length + 4) return;
  std::copy_n(bytes.begin() + 4, length, target.begin() + static_cast<std::ptrdiff_t>(address));
}

void TransferSession::afterIdentityAck() {
  // The radio of a read-back was checked (or, in a group write, taken as it is) a moment ago.
  const bool checked = !(groupWrite() && kind_ == SessionKind::Write) && !readingBack();
  if (checked) {
    const IdentityCheck check =
        CheckIdentity(programModel_, programBand_, identity_.value_or(RadioIdentity{}), versions_,
                      static_cast<int>(kind_));
    if (!check.passed()) {
      host_.stopReplyTimer();
      step_ = Step::Asking;
      host_.identityRefused(check);
      if (!active()) return;
      sendEnd(Step::EndRefused);
      return;
    }
  }
  if (moving_ == SessionKind::Read) {
    requestNextBlock();
  } else {
    sendNextBlock();
  }
}

// One table for reads, writes and radio-information reads: they differ only in what the block
// step expects (a data block to store, or the acknowledge of one sent) and in the identity
// handling.
void TransferSession::handleTransferReply(ReplyType type, std::span<const std::uint8_t> bytes) {
  const bool writing = moving_ == SessionKind::Write;
  switch (step_) {
    case Step::Handshake:
      if (type != ReplyType::Ack) return;
      step_ = Step::IdentityRequest;
      sendIdentityRequest();
      return;
    case Step::IdentityRequest:
      if (type != ReplyType::Identity) return;
      // The write image keeps the identity heard before its blocks went out.
      if (IsConfigTransfer(kind_) && !readingBack()) storeIdentity(bytes);
      step_ = Step::IdentityAck;
      sendAck();
      return;
    case Step::IdentityAck:
      if (type != ReplyType::Ack) return;
      if (IsConfigTransfer(kind_)) {
        afterIdentityAck();
      } else {
        requestNextBlock();
      }
      return;
    case Step::Block:
      if (writing) {
        if (type == ReplyType::Ack) sendNextBlock();
        return;
      }
      if (type != ReplyType::DataBlock) return;
      storeBlock(bytes);
      reportProgress(currentAddress_);
      step_ = Step::BlockAck;
      sendAck();
      return;
    case Step::BlockAck:
      if (type == ReplyType::Ack && !writing) requestNextBlock();
      return;
    case Step::End:
      if (type == ReplyType::Ack) endAcknowledged();
      return;
    case Step::EndRefused:
      if (type == ReplyType::Ack) finish(false);
      return;
    case Step::Idle:
    case Step::Asking:
    case Step::RadioLeaving:
    case Step::NextRadio:
      return;
  }
}

// ---------------------------------------------------------------------------------------------
// Time-outs and questions

void TransferSession::abort() {
  if (active()) finish(false);
}

// A write's end frame was acknowledged: with verify on, the same radio is read back first.
void TransferSession::endAcknowledged() {
  if (moving_ == SessionKind::Write) blocksSent_ = false;  // the radio took the whole write
  if (moving_ == SessionKind::Write && readBack_) {
    startReadBack();
    return;
  }
  finish(true);
}

void TransferSession::startReadBack() {
  moving_ = SessionKind::Read;
  host_.readingBack(true);
  readBackImage_.fill(0xFF);
  blockSize_ = kReadBlock;
  currentAddress_ = -kReadBlock;
  imageEnd_ = image_map::kConfigEnd;
  resetProgress();
  beginHandshake();
}

void TransferSession::finish(bool success) {
  const SessionKind ending = sessionKind();
  // A radio of a group write still awaited was never written: nothing to report about it.
  if (ending == SessionKind::Write && !betweenRadios()) {
    RadioWritten radio;
    radio.radioNumber = groupWrite() ? radioNumber_ : 1;
    radio.success = success;
    radio.identity = identity_;
    radio.duration = host_.now() - radioStarted_;
    radio.readBack = success && readingBack();
    radio.sentFrom = sentFrom_;
    radio.partial = !success && blocksSent_;
    host_.radioWritten(radio);
  }
  blocksSent_ = false;
  if (groupWrite() && kind_ == SessionKind::Write && success && ++radioNumber_ <= radios_) {
    // The next radio: the port stays open and the handshake goes out until one answers.
    step_ = Step::RadioLeaving;
    lastAck_ = host_.now();
    identity_.reset();
    setGeometry(true);
    resetProgress();
    host_.nextRadio(radioNumber_);
    beginHandshake(Step::RadioLeaving);
    return;
  }
  const SessionKind kind = ending;
  moving_ = SessionKind::Idle;
  host_.stopReplyTimer();
  search_.stop();
  closePort();
  radios_ = 0;
  kind_ = SessionKind::Idle;
  step_ = Step::Idle;
  if (trace_) trace_->outcome(SessionKindName(kind), success);
  host_.finished(kind, success);
}

}  // namespace kr4100
