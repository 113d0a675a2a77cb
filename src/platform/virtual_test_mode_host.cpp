#include "platform/virtual_test_mode_host.h"

namespace kr4100 {

VirtualTestModeHost::VirtualTestModeHost(Prompter& prompter, sim::VirtualRadio& radio,
                                         QObject* parent)
    : QtTestModeHost(prompter, parent), radio_(radio), responder_(radio) {
  wire_.onSent = [this] {
    if (open_) sendComplete();
  };
  wire_.onArrived = [this](const std::vector<std::uint8_t>& bytes) { arrived(bytes); };
}

bool VirtualTestModeHost::openPort(const PortSettings& /*settings*/) {
  // Every setting reaches the virtual radio: there is no cable to get wrong.
  radio_.resetReceiver();
  wire_.clear();
  input_.clear();
  threshold_ = 0;
  memoryAtOpen_ = radio_.memory();
  open_ = true;
  return true;
}

void VirtualTestModeHost::closePort() {
  wire_.clear();
  input_.clear();
  threshold_ = 0;
  if (!open_) return;
  open_ = false;
  if (radio_.memory() != memoryAtOpen_) emit memoryChanged();
}

void VirtualTestModeHost::send(std::span<const std::uint8_t> bytes, int expectedReplyLength) {
  input_.clear();
  threshold_ = static_cast<std::size_t>(std::max(0, expectedReplyLength));
  if (!open_) return;
  wire_.carry(bytes.size(), radio_.receive(bytes));
}

void VirtualTestModeHost::arrived(const std::vector<std::uint8_t>& bytes) {
  // Nothing awaited: stray bytes never become the start of the next reply.
  if (!open_ || threshold_ == 0) return;
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  if (input_.size() < threshold_) return;
  const std::vector<std::uint8_t> reply = std::exchange(input_, {});
  threshold_ = 0;
  deliver(reply);
}

}  // namespace kr4100
