// SPDX-License-Identifier: GPL-3.0-or-later
// A serial cable on a simulated clock between a transfer session and virtual radios: bytes take
// their 9600-baud wire time, the reply timer and scripted events fire in time order, and nothing
// costs wall time. Tests drive whole transfers through it; it is built apart from the virtual
// radio the programs ship (kr4100simlink), for the tests alone.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/link/session_host.h"
#include "core/link/stop_request.h"
#include "core/link/transfer_session.h"
#include "core/serial/reply_assembly.h"
#include "sim/virtual_radio.h"
#include "sim/wire_time.h"

namespace kr4100::sim {

class SimulatedLink : public SessionHost {
 public:
  SimulatedLink();
  void attach(TransferSession* session) { session_ = session; }

  // The radio at the end of the cable (null: unplugged), reachable on one port with one setting.
  void plug(VirtualRadio* radio) { radio_ = radio; }
  void unplug() {
    radio_ = nullptr;
    arriving_.clear();
  }
  void setRadioPort(PortSettings settings) { radioPort_ = std::move(settings); }
  // A second radio on the same cable (null: none), from the fromReply-th reply on the wire
  // (1-based): it hears every frame the first one hears, and when both answer, the replies
  // collide on the idle-high line, where a 0 bit wins.
  void plugSecond(VirtualRadio* radio, int fromReply = 1) {
    second_ = radio;
    secondFrom_ = fromReply;
  }
  // The n-th reply on the wire (1-based) is late: its last byte arrives lateArrival after its
  // frame was sent, unless the wire itself takes longer.
  int lateReply = 0;
  Micros lateArrival{0};
  // The cable joins TX and RX: every byte sent comes back, radio or none, ahead of any reply.
  bool echo = false;
  // A USB adapter between cable and computer: what comes in reaches the session in packets, each
  // when full or this long after its first byte (0: no adapter).
  Micros adapterLatency{0};
  std::vector<std::string> ports{"COM1"};  // what the port search tries
  std::set<std::string> unopenable;        // ports that refuse to open

  std::deque<Answer> answers;              // answers to the next questions; Cancel when empty
  std::function<void()> duringQuestion;    // runs while a question is open (a nested event loop)
  std::function<void(int)> whenNextRadio;  // group write: radio n is awaited
  std::function<void(int)> whenReplying;   // the n-th reply on the wire (1-based) is on its way
  // A stop the loop watches, as the command line's loops do: once requested, the session is
  // ended the way Cancel ends it. Null: none.
  const StopRequest* stop = nullptr;
  Answer identityAnswer = Answer::No;

  // Runs an action at a simulated time (plugging radios in and out, closing a window).
  void at(std::chrono::milliseconds when, std::function<void()> action);
  // Runs until the session is idle (true) or the simulated time limit passes (false).
  bool runUntilIdle(std::chrono::milliseconds limit = std::chrono::minutes(10));

  // What happened.
  std::vector<Question> questions;
  std::vector<IdentityCheck> refusals;
  std::vector<int> progressShown;
  std::vector<PortSettings> opened;
  std::vector<PortSettings> found;
  std::vector<int> radiosStarted;
  std::vector<RadioWritten> written;  // each radio's write, as reported
  std::function<void(const RadioWritten&)> whenRadioWritten;
  int searchesStarted = 0;
  int portErrors = 0;
  std::optional<std::pair<SessionKind, bool>> result;
  std::vector<std::vector<std::uint8_t>> sent;  // every frame, in order

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override { timer_.reset(); }
  std::chrono::milliseconds now() const override;
  Answer ask(Question question) override;
  Answer identityRefused(const IdentityCheck& check) override;
  void portError() override { ++portErrors; }
  void progress(int percent) override { progressShown.push_back(percent); }
  void searching(bool on) override { searchesStarted += on ? 1 : 0; }
  std::vector<std::string> candidatePorts() override { return ports; }
  void portSettingsFound(const PortSettings& settings) override { found.push_back(settings); }
  void nextRadio(int radioNumber) override {
    radiosStarted.push_back(radioNumber);
    if (whenNextRadio) whenNextRadio(radioNumber);
  }
  void radioWritten(const RadioWritten& radio) override {
    written.push_back(radio);
    if (whenRadioWritten) whenRadioWritten(radio);
  }
  void finished(SessionKind kind, bool success) override { result = {kind, success}; }

  Micros clock() const { return now_; }
  bool portOpen() const { return open_.has_value(); }

 private:
  bool connected() const;
  void deliver(std::vector<std::uint8_t> bytes);
  // Bytes whose last one is off the wire at lastIn, through the adapter if there is one.
  void arrive(Micros lastIn, std::vector<std::uint8_t> bytes);

  TransferSession* session_ = nullptr;
  VirtualRadio* radio_ = nullptr;
  VirtualRadio* second_ = nullptr;
  int secondFrom_ = 1;
  int repliesOnWire_ = 0;
  std::optional<PortSettings> radioPort_;  // unset: any setting reaches the radio
  std::optional<PortSettings> open_;
  Micros now_{0};
  std::optional<Micros> timer_;
  Micros lineFree_{0};  // when the radio's reply line is free again
  std::multimap<Micros, std::vector<std::uint8_t>> arriving_;
  std::multimap<Micros, std::function<void()>> actions_;
  ReplyAssembly replies_{ReplyAssembly::Ending::Length};
};

}  // namespace kr4100::sim
