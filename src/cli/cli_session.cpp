// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_session.h"

#include <chrono>
#include <string>
#include <vector>

#include "cli/radio_commands.h"
#include "core/link/serial_trace.h"
#include "core/link/stop_request.h"
#include "core/serial/port_description.h"
#include "core/texts/messages.h"

namespace kr4100 {
namespace {

// The ports the search tries: the one named on the command line first, then the system's.
std::vector<std::string> CandidatePorts(const std::string& given) {
  std::vector<std::string> ports{given};
  for (const std::string& location : SystemSerialPorts())
    if (!SamePort(location, given)) ports.push_back(location);
  return ports;
}

// A slow adapter, in the trace that shows its effect.
void NoteLatency(SerialTrace* trace, const std::string& port) {
  if (trace == nullptr) return;
  const std::vector<PortDescription> ports = SystemSerialPortDescriptions();
  if (const PortDescription* listed = FindListedPort(ports, port))
    if (const std::string advice = LatencyAdvice(*listed, kEnglish); !advice.empty())
      trace->note("adapter", advice);
}

}  // namespace

CliSession::CliSession(const CliContext& context, const VersionTable& versions)
    : ConsoleRun(context),
      host_(prompter_),
      session_(host_, versions),
      job_(UserDataDir(context), !context.options.noBackup) {
  host_.attach(&session_);
  host_.watch(signals_);
  host_.onProgress = [this](int percent) { prompter_.progress(percent); };
  host_.onSearching = [this](bool on) { prompter_.searching(on); };
  host_.onCandidatePorts = [port = port_.port] { return CandidatePorts(port); };
  prompter_.adapter = [this] {
    return AdapterLine(SystemSerialPortDescriptions(), port_.port, context_.language);
  };
  // The session goes on with what the search found; so does anything else this command opens.
  host_.onPortSettingsFound = [this](const PortSettings& found) {
    port_ = found;
    prompter_.portFound(found);
  };
  host_.onRadioWritten = [this](const RadioWritten& radio) {
    if (document_ != nullptr) job_.radioWritten(radio, document_->working(), context_.language);
  };
  host_.onReadingBack = [this](bool on) {
    prompter_.endProgressLine();
    prompter_.setCaption(
        MessageText(on ? MessageId::VerifyCaption : MessageId::WriteCaption, context_.language));
  };
  job_.beginWrite(0, context.options.verify);
}

bool CliSession::open(SessionKind kind, const Document* document) {
  if (trace_.failed(context_.options.trace)) {
    Fail(MessageId::FileError, context_, context_.options.trace);
    return false;
  }
  document_ = document;
  const DocState* state = document != nullptr ? &document->state() : nullptr;
  if (job_.open(session_, host_, kind, {port_, state, trace_.get()})) {
    NoteLatency(trace_.get(), port_.port);
    return true;
  }
  PortOpenFailed(host_, prompter_, context_);
  return false;
}

bool CliSession::run() {
  const SessionKind kind = session_.kind();
  if (kind == SessionKind::Read)
    prompter_.setCaption(MessageText(MessageId::ReadCaption, context_.language));
  if (kind == SessionKind::Write)
    prompter_.setCaption(MessageText(MessageId::WriteCaption, context_.language));
  prompter_.progress(0);

  bool finished = false;
  bool success = false;
  host_.onFinished = [&](SessionKind, bool ok) {
    finished = true;
    success = ok;
  };
  const auto started = std::chrono::steady_clock::now();
  session_.start();
  host_.runUntil([&] { return finished; });
  // The loop also returns on a stop request: the session ends as Cancel ends it.
  stopped_ = StopOnRequest(signals_.request(), session_, trace_.get());
  const auto elapsed = std::chrono::steady_clock::now() - started;
  host_.onFinished = nullptr;
  prompter_.endProgressLine();
  if (stopped_) prompter_.stopped();

  if (context_.figures != nullptr) {
    context_.figures->ran = true;
    context_.figures->elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed);
    context_.figures->bytesOnWire = host_.bytesOnWire();
  }
  if (!success && !prompter_.explained()) Fail(MessageId::Connection, context_);
  return success;
}

int CliSession::failure() const {
  return stopped_ ? StopExitStatus(signals_.request().cause()) : kExitFailed;
}

std::optional<std::filesystem::path> CliSession::said(const std::optional<BackupResult>& backup) {
  if (!backup) return std::nullopt;
  if (backup->ok) return backup->file;
  PrintMessage(context_.err, std::string(MessageText(MessageId::BackupFailed, context_.language)) +
                                 " " + backup->file.string());
  return std::nullopt;
}

std::optional<std::filesystem::path> CliSession::backUpRead(const RadioConfig& base, bool always) {
  return said(job_.backUpRead(base, always));
}

std::optional<std::filesystem::path> CliSession::backUpWrite(const Document& document) {
  // Named before the radio has answered; renamed after the radio once it holds the write.
  return said(job_.backUpWrite(document, std::string()));
}

void CliSession::explainPartialWrite() {
  if (!job_.tally().partial()) return;
  PrintMessage(context_.err, MessageText(MessageId::WritePartial, context_.language));
  if (const auto restore = job_.restorePoint())
    PrintMessage(context_.err, MessageWith(MessageId::WriteBackFile, context_.language,
                                           {{"{file}", Utf8FromPath(restore->file)}}));
}

}  // namespace kr4100
