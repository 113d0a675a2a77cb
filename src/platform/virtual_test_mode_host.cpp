// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/virtual_test_mode_host.h"

namespace kr4100 {

VirtualTestModeHost::VirtualTestModeHost(Prompter& prompter, sim::VirtualRadio& radio,
                                         QObject* parent)
    : QtTestModeHost(prompter, parent), radio_(radio), responder_(radio) {
  wire_.onSent = [this] {
    if (open_) sendComplete();
  };
  // The wire carries each answer as the radio gave it, with nothing after it to wait for.
  wire_.onArrived = [this](const std::vector<std::uint8_t>& bytes) {
    if (!open_) return;
    replies_.take(bytes);
    settle();
  };
}

bool VirtualTestModeHost::openPort(const PortSettings& /*settings*/) {
  // Every setting reaches the virtual radio: there is no cable to get wrong.
  radio_.resetReceiver();
  wire_.clear();
  replies_.opened();
  memoryAtOpen_ = radio_.memory();
  open_ = true;
  return true;
}

void VirtualTestModeHost::closePort() {
  wire_.clear();
  replies_.clear();
  if (!open_) return;
  open_ = false;
  if (radio_.memory() != memoryAtOpen_) emit memoryChanged();
}

void VirtualTestModeHost::send(std::span<const std::uint8_t> bytes, int expectedReplyLength) {
  replies_.sent(bytes, expectedReplyLength);
  if (!open_) return;
  wire_.carry(bytes.size(), radio_.receive(bytes));
}

}  // namespace kr4100
