#include "platform/virtual_radio_host.h"

#include <algorithm>
#include <system_error>

#include "core/config/file_io.h"
#include "sim/simulated_link.h"  // WireTime

namespace kr4100 {

VirtualRadioHost::VirtualRadioHost(Prompter& prompter, std::filesystem::path memoryFile,
                                   QObject* parent)
    : QtSessionHost(prompter, parent), memoryFile_(std::move(memoryFile)) {
  deliveryTimer_.setSingleShot(true);
  deliveryTimer_.setTimerType(Qt::PreciseTimer);
  connect(&deliveryTimer_, &QTimer::timeout, this, &VirtualRadioHost::deliverDue);
}

sim::VirtualRadio& VirtualRadioHost::radio() {
  if (!radio_) {
    radio_ = std::make_unique<sim::VirtualRadio>();
    // Anything but a whole image (a file cut short, another file of that name) is ignored: the
    // radio then starts as a fresh one.
    if (!memoryFile_.empty() && RegularFileSize(memoryFile_) == kImageSize) {
      if (const auto bytes = ReadFilePrefix(memoryFile_, kImageSize); bytes && bytes->size() == kImageSize)
        std::copy(bytes->begin(), bytes->end(), radio_->memory().begin());
    }
  }
  return *radio_;
}

bool VirtualRadioHost::saveMemory() {
  if (memoryFile_.empty() || !radio_) return false;
  std::error_code error;
  if (memoryFile_.has_parent_path()) std::filesystem::create_directories(memoryFile_.parent_path(), error);
  return WriteFileAtomically(memoryFile_, radio_->memory());
}

bool VirtualRadioHost::openPort(const PortSettings& /*settings*/) {
  // Every setting reaches the virtual radio: there is no cable to get wrong.
  sim::VirtualRadio& r = radio();
  r.resetReceiver();
  r.clearEvents();
  arriving_.clear();
  input_.clear();
  lineFreeUs_ = 0;
  swappedInUs_ = 0;
  open_ = true;
  forgetIdentity();
  return true;
}

void VirtualRadioHost::closePort() {
  replyTimer_.stop();
  deliveryTimer_.stop();
  arriving_.clear();
  input_.clear();
  if (!open_) return;
  open_ = false;
  const auto& events = radio().events();
  const bool written = std::any_of(events.begin(), events.end(), [](const sim::VirtualRadio::Event& e) {
    return e.kind == sim::FrameKind::Write;
  });
  radio().clearEvents();
  if (written) saveMemory();
}

qint64 VirtualRadioHost::wireUs(std::size_t bytes) const {
  if (speed_ <= 0) return 0;
  const auto real = std::chrono::duration_cast<std::chrono::microseconds>(sim::WireTime(bytes));
  return static_cast<qint64>(static_cast<double>(real.count()) / speed_);
}

void VirtualRadioHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // As on a real port: what had already come in does not count for this frame.
  input_.clear();
  threshold_ = static_cast<std::size_t>(std::max(1, expectedReplyLength));
  if (!open_) return;
  const qint64 now = nowUs();
  if (now < swappedInUs_) return;  // no radio on the cable while one is swapped for the next
  std::vector<std::uint8_t> reply = radio().receive(frame);
  if (reply.empty()) return;
  // The radio answers once the whole frame is in; its answer waits for the line if need be.
  const qint64 due = std::max(now + wireUs(frame.size()), lineFreeUs_) + wireUs(reply.size());
  lineFreeUs_ = due;
  arriving_.push_back({due, std::move(reply)});
  scheduleDelivery();
}

void VirtualRadioHost::scheduleDelivery() {
  if (arriving_.empty()) {
    deliveryTimer_.stop();
    return;
  }
  const qint64 waitUs = std::max<qint64>(0, arriving_.front().dueUs - nowUs());
  deliveryTimer_.start(static_cast<int>((waitUs + 999) / 1000));
}

void VirtualRadioHost::deliverDue() {
  const qint64 now = nowUs();
  while (!arriving_.empty() && arriving_.front().dueUs <= now) {
    const auto& bytes = arriving_.front().bytes;
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    arriving_.pop_front();
  }
  // The session sees a reply only once the armed number of bytes is in, then all that is in.
  if (session_ && open_ && input_.size() >= threshold_) {
    const std::vector<std::uint8_t> reply = std::exchange(input_, {});
    deliver(reply);
  }
  // The session may have sent, closed or finished meanwhile; whatever is still on its way
  // arrives in turn.
  scheduleDelivery();
}

void VirtualRadioHost::nextRadio(int radioNumber) {
  // The radio just written is taken off the cable and the next one plugged in a moment later.
  swappedInUs_ = nowUs() + std::chrono::duration_cast<std::chrono::microseconds>(kVirtualRadioSwapTime).count();
  arriving_.clear();
  input_.clear();
  deliveryTimer_.stop();
  QtSessionHost::nextRadio(radioNumber);
}

}  // namespace kr4100
