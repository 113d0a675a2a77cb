// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/virtual_radio_host.h"

#include <algorithm>
#include <system_error>

#include "core/config/file_io.h"

namespace kr4100 {

VirtualRadioHost::VirtualRadioHost(Prompter& prompter, std::filesystem::path memoryFile,
                                   QObject* parent)
    : QtSessionHost(prompter, parent), memoryFile_(std::move(memoryFile)) {
  wire_.onArrived = [this](const std::vector<std::uint8_t>& bytes) {
    if (open_) received(bytes);
  };
}

sim::VirtualRadio& VirtualRadioHost::radio() {
  if (!radio_) {
    radio_ = std::make_unique<sim::VirtualRadio>();
    // Anything but a whole image (a file cut short, another file of that name) is ignored: the
    // radio then starts as a fresh one.
    if (!memoryFile_.empty() && RegularFileSize(memoryFile_) == kImageSize) {
      if (const auto bytes = ReadFilePrefix(memoryFile_, kImageSize);
          bytes && bytes->size() == kImageSize)
        std::copy(bytes->begin(), bytes->end(), radio_->memory().begin());
    }
  }
  return *radio_;
}

bool VirtualRadioHost::saveMemory() {
  if (memoryFile_.empty() || !radio_) return false;
  std::error_code error;
  if (memoryFile_.has_parent_path())
    std::filesystem::create_directories(memoryFile_.parent_path(), error);
  return WriteFileAtomically(memoryFile_, radio_->memory());
}

bool VirtualRadioHost::openPort(const PortSettings& /*settings*/) {
  // Every setting reaches the virtual radio: there is no cable to get wrong.
  sim::VirtualRadio& r = radio();
  r.resetReceiver();
  r.clearEvents();
  wire_.clear();
  replies_.opened();
  swappedInUs_ = 0;
  open_ = true;
  forgetIdentity();
  return true;
}

void VirtualRadioHost::closePort() {
  replyTimer_.stop();
  wire_.clear();
  replies_.clear();
  if (!open_) return;
  open_ = false;
  const auto& events = radio().events();
  const bool written = std::any_of(
      events.begin(), events.end(),
      [](const sim::VirtualRadio::Event& e) { return e.kind == sim::FrameKind::Write; });
  radio().clearEvents();
  if (written) saveMemory();
}

void VirtualRadioHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  replies_.sent(frame, expectedReplyLength);
  if (!open_) return;
  if (wire_.nowUs() < swappedInUs_)
    return;  // no radio on the cable while one is swapped for the next
  std::vector<std::uint8_t> reply = radio().receive(frame);
  if (reply.empty()) return;
  wire_.carry(frame.size(), std::move(reply));
}

void VirtualRadioHost::nextRadio(int radioNumber) {
  // The radio just written is taken off the cable and the next one plugged in a moment later.
  swappedInUs_ =
      wire_.nowUs() +
      std::chrono::duration_cast<std::chrono::microseconds>(kVirtualRadioSwapTime).count();
  wire_.clear();
  replies_.clear();
  QtSessionHost::nextRadio(radioNumber);
}

}  // namespace kr4100
