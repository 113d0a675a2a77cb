// SPDX-License-Identifier: GPL-3.0-or-later
// A SerialLink with a virtual radio at its other end, on a simulated clock: bytes take their
// 9600-baud wire time each way and a read waits in simulated time only. The adapter can be
// pulled at a given moment. The fixture of the tests of the hosts without Qt.
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/link/reporting_session_host.h"
#include "core/serial/link_loop.h"
#include "core/serial/serial_link.h"
#include "sim/virtual_radio.h"
#include "sim/wire_time.h"

namespace kr4100::testing {

class RadioSerialLink final : public SerialLink {
 public:
  using Micros = sim::Micros;

  explicit RadioSerialLink(sim::VirtualRadio& radio) : radio_(radio) {}

  // The settings the radio answers on; unset: any.
  std::optional<PortSettings> radioPort;
  // From then on the adapter is gone: reads fail and it does not open again.
  std::optional<std::chrono::milliseconds> pulledAt;
  // The answer to the n-th write (1-based) comes with a stray byte after it.
  int strayAfterWrite = 0;
  // The answer to the n-th write (1-based) is held back until its last byte comes this long
  // after the write.
  int lateWrite = 0;
  Micros lateAnswerEnd{0};

  // What happened.
  Micros now{0};
  std::vector<PortSettings> opened;
  int reads = 0;

  // Runs action once a read has taken the clock to when: what another thread (a console's
  // Ctrl+C handler) does while the loop waits on the line.
  void at(std::chrono::milliseconds when, std::function<void()> action) {
    actionAt_ = when;
    action_ = std::move(action);
  }

  LinkLoop::Clock clock() {
    return [this] { return std::chrono::duration_cast<std::chrono::milliseconds>(now); };
  }

  bool open(const PortSettings& settings) override {
    if (pulled(now)) return false;
    open_ = settings;
    opened.push_back(settings);
    arriving_.clear();
    return true;
  }
  void close() override {
    open_.reset();
    arriving_.clear();
  }
  bool isOpen() const override { return open_.has_value(); }

  bool write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return false;
    outFree_ = std::max(outFree_, now) + sim::WireTime(bytes.size());
    if (radioPort &&
        (open_->stopBits != radioPort->stopBits || open_->handshaking != radioPort->handshaking))
      return true;  // the radio does not make out a line set otherwise
    Micros at = outFree_;
    std::vector<std::uint8_t> answer = radio_.receive(bytes);
    if (++writes_ == strayAfterWrite && !answer.empty()) answer.push_back(0x00);
    if (writes_ == lateWrite)
      at = std::max(at, now + lateAnswerEnd - sim::WireTime(answer.size()));
    for (const std::uint8_t b : answer) {
      at += sim::WireTime(1);
      arriving_.push_back({b, at});
    }
    return true;
  }
  bool drain(std::chrono::milliseconds bound) override {
    if (!open_) return false;
    now = std::max(now, std::min(outFree_, now + bound));
    return true;
  }
  void purge(bool) override {
    // Only what has come in: bytes still on the wire arrive after the purge.
    while (!arriving_.empty() && arriving_.front().at <= now) arriving_.pop_front();
  }
  bool read(std::vector<std::uint8_t>& into, std::size_t count,
            std::chrono::milliseconds wait) override {
    ++reads;
    const Micros deadline = now + wait;
    if (!open_) {
      now = deadline;
      return true;
    }
    Micros until = deadline;
    if (arriving_.size() >= count) until = std::min(until, std::max(now, arriving_[count - 1].at));
    if (pulled(until)) {
      now = std::max(now, Micros(*pulledAt));
      close();
      return false;
    }
    now = until;
    while (!arriving_.empty() && arriving_.front().at <= now) {
      into.push_back(arriving_.front().byte);
      arriving_.pop_front();
    }
    if (action_ && now >= actionAt_) std::exchange(action_, {})();
    return true;
  }

 private:
  struct Arriving {
    std::uint8_t byte;
    Micros at;
  };
  bool pulled(Micros at) const { return pulledAt && at >= *pulledAt; }

  sim::VirtualRadio& radio_;
  std::optional<PortSettings> open_;
  int writes_ = 0;
  Micros outFree_{0};
  std::deque<Arriving> arriving_;
  Micros actionAt_{0};
  std::function<void()> action_;
};

// Answers from a list, then Cancel (or No); counts what it was asked and told.
class ScriptedPrompter final : public Prompter {
 public:
  std::deque<Answer> answers;
  int questions = 0;
  int refusals = 0;
  int portErrors = 0;

  Answer ask(Question) override {
    ++questions;
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  Answer identityRefused(const IdentityCheck& check) override {
    ++refusals;
    return check.isQuestion() ? Answer::No : Answer::Ok;
  }
  void portError() override { ++portErrors; }
};

}  // namespace kr4100::testing
