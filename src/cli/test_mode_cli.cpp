// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/test_mode_cli.h"

#include <array>
#include <charconv>
#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/radio_console.h"
#include "cli/radio_link.h"
#include "core/config/conversions.h"
#include "core/config/file_io.h"
#include "core/testmode/adjustment_panel.h"
#include "core/testmode/test_mode_commands.h"
#include "core/testmode/test_mode_driver.h"
#include "core/testmode/test_mode_stop.h"

namespace kr4100 {
namespace {

// The driver ends every exchange within its own time-outs; this only guards the command against
// a wait that nothing would ever end.
constexpr std::chrono::seconds kWaitLimit{60};
// Test mode is left with the signalling it started with.
constexpr int kSignallingAtStart = 1;

// One test-mode run over the serial port, driven step by step.
class TestModeRun final : private ConsoleRun, private TestModeListener {
 public:
  explicit TestModeRun(const CliContext& context)
      : ConsoleRun(context), host_(prompter_), driver_(host_) {
    driver_.setTrace(trace_.get());
    host_.attach(&driver_);
    host_.listen(this);
    host_.watch(signals_);
  }

  TestModeDriver& driver() { return driver_; }
  const std::vector<std::uint8_t>& block() const { return block_; }
  const std::vector<std::uint8_t>& values() const { return values_; }
  int valueReplies() const { return valueReplies_; }
  const std::vector<int>& polls() const { return polls_; }

  // Opens the port and enters test mode; false when the radio is not in it (and the user told).
  bool enter(const RadioConfig& config) {
    if (trace_.failed(context_.options.trace)) {
      prompter_.show(std::string(MessageText(MessageId::FileError, context_.language)) + " " +
                     context_.options.trace);
      return false;
    }
    if (!driver_.start(port_, config)) {
      PortOpenFailed(host_, prompter_, context_);
      return false;
    }
    return waitFor([this] { return entered_; });
  }

  // Waits for the tune that was queued.
  bool tuned() {
    return waitFor([this] { return tuned_; });
  }

  // Runs the port and the timers until done() holds or test mode has ended; done() at the end.
  // A stop request ends test mode as a cancelled retry does, and the wait fails.
  bool waitFor(const std::function<bool()>& done) {
    const bool reached = host_.runUntil([&] { return done() || !driver_.active(); }, kWaitLimit);
    if (StopOnRequest(signals_.request(), driver_, trace_.get())) {
      stopped_ = true;
      prompter_.stopped();
      return false;
    }
    if (!reached && driver_.active()) {
      driver_.end();
      prompter_.show(MessageText(MessageId::Connection, context_.language));
    }
    return done();
  }

  // Leaves test mode and waits until it is over; the command's exit status.
  int leave() {
    driver_.leave(kSignallingAtStart);
    waitFor([this] { return !driver_.active(); });
    if (stopped_) return stoppedStatus();
    return prompter_.explained() ? kExitFailed : kExitOk;
  }

  // Test mode ended before the command was through: it is ended for sure, and why is printed
  // unless that has been done.
  int failed() {
    driver_.end();
    if (stopped_) return stoppedStatus();
    if (!prompter_.explained()) Fail(MessageId::Connection, context_);
    return kExitFailed;
  }

 private:
  int stoppedStatus() const { return StopExitStatus(signals_.request().cause()); }

  // TestModeListener
  void messageRaised(TestModeMessage message) override {
    prompter_.show(TestModeMessageText(message).in(context_.language));
  }
  void testModeEntered() override { entered_ = true; }
  void blockArrived(std::span<const std::uint8_t> block) override {
    block_.assign(block.begin(), block.end());
    tuned_ = true;
  }
  void valuesReceived(std::span<const std::uint8_t> values) override {
    values_.assign(values.begin(), values.end());
    ++valueReplies_;
  }
  void valuePolled(int value) override { polls_.push_back(value); }
  void testModeEnded() override {}

  CliTestModeHost host_;
  TestModeDriver driver_;
  bool entered_ = false;
  bool tuned_ = false;
  std::vector<std::uint8_t> block_;
  std::vector<std::uint8_t> values_;
  int valueReplies_ = 0;
  std::vector<int> polls_;
};

int OpenDocument(Document& doc, const CliContext& context) {
  const FileOutcome opened =
      OpenDataFile(doc, PathFromUtf8(context.options.input), LoadVersions(context));
  return opened.ok() ? kExitOk : Fail(opened, context);
}

int Usage(const CliContext& context, const std::string& text) {
  context.err << text << '\n';
  return kExitUsage;
}

struct PointSetting {
  int tab;
  int value;
};

// "TAB=VALUE" with a tab 0..5 and a value 0..255.
std::optional<PointSetting> ParseSetting(const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos) return std::nullopt;
  auto number = [](std::string_view s) -> std::optional<int> {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
  };
  const auto tab = number(std::string_view(text).substr(0, eq));
  const auto value = number(std::string_view(text).substr(eq + 1));
  if (!tab || !value || *tab < 0 || *tab >= kAdjustTabCount || *value < 0 || *value > 255)
    return std::nullopt;
  return PointSetting{*tab, *value};
}

nlohmann::json PointsJson(const AdjustmentPanel& adjustment) {
  nlohmann::json points = nlohmann::json::array();
  for (int tab = 0; tab < kAdjustTabCount; ++tab) {
    if (!adjustment.enabled(tab)) continue;
    points.push_back({{"tab", tab},
                      {"code", PointCode(tab, adjustment.item())},
                      {"value", adjustment.value(tab)}});
  }
  return points;
}

}  // namespace

int RunTestModeChannels(const CliContext& context) {
  Document doc;
  if (const int status = OpenDocument(doc, context); status != kExitOk) return status;
  TestModeRun run(context);
  if (!run.enter(doc.working())) return run.failed();

  nlohmann::json channels = nlohmann::json::array();
  const BandEdges& edges = doc.state().edges;
  for (const TestChannel& c : run.driver().channels())
    channels.push_back(
        {{"channel", c.channel}, {"rx", FreToText(c.rx, edges)}, {"tx", FreToText(c.tx, edges)}});
  context.out << channels.dump() << '\n';
  return run.leave();
}

int RunTestModeAlign(const CliContext& context) {
  const CliOptions& o = context.options;
  const int item = o.testItem;
  const bool wide = !o.narrow;
  // Everything the radio would be asked is checked before the port is opened.
  std::vector<PointSetting> settings;
  for (const std::string& text : o.testSets) {
    const auto setting = ParseSetting(text);
    if (!setting)
      return Usage(context, "--set " + text + ": expected TAB=VALUE, tab 0-5, value 0-255");
    if (UsesPollingLayout(item) || !TabEnabled(setting->tab, item, wide))
      return Usage(context, "--set " + text + ": item " + std::to_string(item) + " has no tab " +
                                std::to_string(setting->tab) + (wide ? " in wide" : " in narrow"));
    settings.push_back(*setting);
  }
  if (o.testOk && UsesPollingLayout(item))
    return Usage(context, "--ok: item " + std::to_string(item) + " has no OK");
  if (o.testPoll > 0 && !UsesPollingLayout(item))
    return Usage(context, "--poll: only items 12 to 15 are polled");

  Document doc;
  if (const int status = OpenDocument(doc, context); status != kExitOk) return status;
  TestModeRun run(context);
  if (!run.enter(doc.working())) return run.failed();
  // The command does what the two windows do, through the same panels: the bandwidth is always
  // set, so that the points read are those of the bandwidth assumed.
  TestModePanel panel(run.driver());
  panel.setWide(wide);
  panel.chooseItem(item);
  if (!panel.tune() || !run.tuned()) return run.failed();
  AdjustmentPanel adjustment(panel, run.block());
  context.out << PointsJson(adjustment).dump() << '\n' << std::flush;

  for (const PointSetting& s : settings) {
    const int before = run.valueReplies();
    // Another page: its values come back, one per point of the item, in tab order; points an
    // earlier group move changed keep their new values.
    if (adjustment.chooseTab(s.tab)) {
      if (!run.waitFor([&] { return run.valueReplies() > before; })) return run.failed();
      adjustment.takeValues(run.values());
    }
    adjustment.slide(s.tab, s.value);
  }
  if (o.testOk) adjustment.ok();

  if (o.testPoll > 0) {
    for (int k = 1; k <= o.testPoll; ++k) {
      if (!run.waitFor([&] { return run.driver().idle(); }) || !adjustment.poll())
        return run.failed();
      if (!run.waitFor([&] { return static_cast<int>(run.polls().size()) >= k; }))
        return run.failed();
    }
    context.out << nlohmann::json(run.polls()).dump() << '\n' << std::flush;
  }

  // Closing the adjustment window stores the points moved; Cancel stores back what the radio
  // had for them, so the radio is as it was.
  adjustment.close(o.testCancel);
  return run.leave();
}

}  // namespace kr4100
