// SPDX-License-Identifier: GPL-3.0-or-later
// What the radio commands share on the console: a prompter that answers every question Cancel
// (or No) and prints it.
#pragma once

#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/stop_signals.h"
#include "core/config/file_io.h"
#include "core/link/reporting_session_host.h"
#include "core/link/serial_trace.h"
#include "core/texts/bilingual.h"
#include "core/texts/messages.h"

namespace kr4100 {

// Why a command stopped from outside (Ctrl+C, a signal) ended as it did.
inline constexpr Bilingual kStoppedText{
    "Stopped: the session with the radio was ended and the port closed.",
    "已停止：与对讲机的通信已结束，端口已关闭。"};

// Nobody is there to answer: connection and retry questions are answered Cancel, the version
// question No; each is printed as it is asked. Progress goes to one line that is rewritten.
class ConsolePrompter final : public Prompter {
 public:
  explicit ConsolePrompter(const CliContext& context) : context_(context) {}

  Answer ask(Question /*question*/) override {
    std::string text = MessageText(MessageId::Connection, context_.language);
    if (const std::string line = adapter ? adapter() : std::string(); !line.empty())
      text += "\r\n" + line;
    show(text);
    return Answer::Cancel;
  }

  // The adapter the session talks through, as a time-out names it (empty: nothing to add).
  std::function<std::string()> adapter;

  Answer identityRefused(const IdentityCheck& check) override {
    show(check.message(context_.language));
    return check.isQuestion() ? Answer::No : Answer::Ok;
  }

  void portError() override { show(MessageText(MessageId::PortError, context_.language)); }

  void setCaption(std::string caption) { caption_ = std::move(caption); }

  void progress(int percent) {
    if (caption_.empty()) return;
    context_.err << '\r' << caption_ << ' ' << percent << '%' << std::flush;
    lineOpen_ = true;
  }

  void searching(bool on) {
    if (on) show(MessageText(MessageId::SearchCaption, context_.language));
  }

  // Not why a session ended, so it leaves explained() as it is.
  void portFound(const PortSettings& found) {
    endProgressLine();
    PrintMessage(context_.err,
                 RadioFoundText(found.port, found.stopBits, found.handshaking, context_.language));
    context_.err.flush();
  }

  void endProgressLine() {
    if (!lineOpen_) return;
    context_.err << '\n' << std::flush;
    lineOpen_ = false;
  }

  // The session was ended by a stop request.
  void stopped() { show(kStoppedText.in(context_.language)); }

  // Something has already told the user why the session ended.
  bool explained() const { return explained_; }

  // Prints a message that explains why the command fails.
  void show(std::string_view text) {
    endProgressLine();
    PrintMessage(context_.err, text);
    context_.err.flush();
    explained_ = true;
  }

 private:
  const CliContext& context_;
  std::string caption_;
  bool lineOpen_ = false;
  bool explained_ = false;
};

// The serial trace --trace asks for, in its file; none without the option.
class CliTrace {
 public:
  explicit CliTrace(const std::string& file) {
    if (file.empty()) return;
    out_.open(PathFromUtf8(file), std::ios::out | std::ios::trunc);
    if (out_) trace_.emplace(out_);
  }
  // The option was given and its file cannot be written.
  bool failed(const std::string& file) const { return !file.empty() && !trace_; }
  SerialTrace* get() { return trace_ ? &*trace_ : nullptr; }

 private:
  std::ofstream out_;
  std::optional<SerialTrace> trace_;
};

// What a radio command's run over the serial port keeps beside its host, made before the host and
// gone after it: a stop is caught from before the port opens until after it has closed.
class ConsoleRun {
 protected:
  explicit ConsoleRun(const CliContext& context)
      : context_(context),
        port_{context.options.port, context.options.stopBits, context.options.handshaking},
        prompter_(context),
        trace_(context.options.trace) {}

  StopSignals signals_;
  bool stopped_ = false;
  const CliContext& context_;
  PortSettings port_;  // as given, then as the port search found it
  ConsolePrompter prompter_;
  CliTrace trace_;
};

// "Cannot Open Communication Port." and why, as the host knows it; the failure status.
template <class Host>
int PortOpenFailed(const Host& host, ConsolePrompter& prompter, const CliContext& context) {
  prompter.show(PortErrorText(host.openError(), context.language));
  return kExitFailed;
}

}  // namespace kr4100
