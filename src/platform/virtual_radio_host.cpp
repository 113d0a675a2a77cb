#include "platform/virtual_radio_host.h"

#include <algorithm>
#include <system_error>

#include "core/config/file_io.h"

namespace kr4100 {

VirtualRadioHost::VirtualRadioHost(Prompter& prompter, std::filesystem::path memoryFile,
                                   QObject* parent)
    : QtSessionHost(prompter, parent), memoryFile_(std::move(memoryFile)) {
  wire_.onArrived = [this](const std::vector<std::uint8_t>& bytes) { arrived(bytes); };
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
  wire_.clear();
  input_.clear();
  swappedInUs_ = 0;
  open_ = true;
  forgetIdentity();
  return true;
}

void VirtualRadioHost::closePort() {
  replyTimer_.stop();
  wire_.clear();
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

void VirtualRadioHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // As on a real port: what had already come in does not count for this frame.
  input_.clear();
  threshold_ = static_cast<std::size_t>(std::max(1, expectedReplyLength));
  if (!open_) return;
  if (wire_.nowUs() < swappedInUs_) return;  // no radio on the cable while one is swapped for the next
  std::vector<std::uint8_t> reply = radio().receive(frame);
  if (reply.empty()) return;
  wire_.carry(frame.size(), std::move(reply));
}

void VirtualRadioHost::arrived(const std::vector<std::uint8_t>& bytes) {
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  // The session sees a reply only once the armed number of bytes is in, then all that is in.
  if (session_ && open_ && input_.size() >= threshold_) {
    const std::vector<std::uint8_t> reply = std::exchange(input_, {});
    deliver(reply);
  }
}

void VirtualRadioHost::nextRadio(int radioNumber) {
  // The radio just written is taken off the cable and the next one plugged in a moment later.
  swappedInUs_ = wire_.nowUs() + std::chrono::duration_cast<std::chrono::microseconds>(kVirtualRadioSwapTime).count();
  wire_.clear();
  input_.clear();
  QtSessionHost::nextRadio(radioNumber);
}

}  // namespace kr4100
