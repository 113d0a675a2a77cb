// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_transfer.h"

#include <cmath>
#include <utility>

#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/texts/messages.h"
#include "core/texts/web_texts.h"

namespace kr4100::web {
namespace {

std::string gFirmwareHeard;

const char* SeverityOf(NoticeLevel level) {
  return level == NoticeLevel::Warning ? "warning" : "information";
}

// Web Serial has no XON/XOFF: the page offers none or RTS/CTS.
PortSettings PortOf(LineChoice choice) {
  return {kPagePort, choice.stopBits == 2 ? 2 : 1, choice.rtsCts ? 2 : 0};
}

}  // namespace

const std::string& FirmwareHeard() {
  return gFirmwareHeard;
}

WebSessionHost::WebSessionHost(WebLine& line, Prompter& prompter)
    : ReportingSessionHost(prompter), line_(line) {
  replies_.onEcho(
      [this](std::span<const std::uint8_t> echo, bool intact) { echoed(echo, intact); });
}

bool WebSessionHost::openPort(const PortSettings& settings) {
  // RTS/CTS alone or with XON/XOFF: Web Serial offers hardware flow control only.
  if (!line_.open(settings.stopBits, settings.handshaking >= 2)) return false;
  replies_.opened();
  forgetIdentity();
  open_ = true;
  lost_ = false;
  return true;
}

void WebSessionHost::closePort() {
  line_.stopTimer();
  line_.close();
  replies_.clear();
  open_ = false;
}

void WebSessionHost::send(std::span<const std::uint8_t> frame, int expectedReplyLength) {
  // A frame the line would not take is as good as lost: the reply timer decides.
  replies_.sent(frame, expectedReplyLength);
  if (!open_ || lost_) return;
  line_.write(frame);
}

void WebSessionHost::startReplyTimer(std::chrono::milliseconds interval) {
  line_.startTimer(static_cast<int>(interval.count()));
}

void WebSessionHost::stopReplyTimer() {
  line_.stopTimer();
}

std::chrono::milliseconds WebSessionHost::now() const {
  return std::chrono::milliseconds(std::llround(line_.now()));
}

void WebSessionHost::received(std::span<const std::uint8_t> bytes) {
  if (!open_ || lost_) return;
  if (auto reply = replies_.take(bytes)) deliver(*reply);
}

WebTransferJob::WebTransferJob(std::unique_ptr<WebLine> line, int band, LineChoice choice)
    : line_(std::move(line)),
      port_(PortOf(choice)),
      host_(*line_, *this),
      session_(host_, versions_),
      job_(kDataDir) {
  wire();
  readInto_ = std::make_unique<Document>();
  readInto_->setModelAndBand(kDefaultModelCode, BandTextOf(band == 1 ? 1 : 0, kDefaultModelCode));
  readInto_->InitNewDocument();
  if (!open(SessionKind::Read, readInto_->state())) return;
  session_.prepareRead();
  session_.start();
}

WebTransferJob::WebTransferJob(std::unique_ptr<WebLine> line, WebDocument& document, bool verify,
                               LineChoice choice)
    : line_(std::move(line)),
      port_(PortOf(choice)),
      host_(*line_, *this),
      session_(host_, versions_),
      job_(kDataDir),
      writing_(&document) {
  wire();
  Document& doc = document.document();
  job_.beginWrite(0, verify);
  if (!open(SessionKind::Write, doc.state())) return;
  if (const auto error = session_.prepareWrite(doc.working())) {
    // Refused before anything was sent; the session has closed the port again.
    tell("error",
         std::string(MessageText(MessageId::PackRefused, Language())) + "\n" + error->what);
    endSoon(false);
    return;
  }
  if (const auto backup = job_.backUpWrite(doc, gFirmwareHeard); backup && !backup->ok)
    tell("warning", std::string(MessageText(MessageId::BackupFailed, Language())) + " " +
                        Utf8FromPath(backup->file));
  session_.start();
}

WebTransferJob::~WebTransferJob() {
  host_.onFinished = nullptr;
  if (session_.active()) session_.abort();
}

void WebTransferJob::wire() {
  host_.attach(&session_);
  host_.onProgress = [this](int percent) { line_->progress(percent); };
  host_.onReadingBack = [this](bool on) { line_->readingBack(on); };
  host_.onRadioWritten = [this](const RadioWritten& radio) {
    if (writing_ != nullptr) job_.radioWritten(radio, writing_->document().working(), Language());
  };
  host_.onFinished = [this](SessionKind kind, bool success) { sessionFinished(kind, success); };
}

bool WebTransferJob::open(SessionKind kind, const DocState& state) {
  const RadioJobOpening opening{port_, &state, nullptr};
  if (job_.open(session_, host_, kind, opening)) return true;
  portError();
  endSoon(false);
  return false;
}

void WebTransferJob::received(std::span<const std::uint8_t> bytes) {
  if (!ending_) host_.received(bytes);
}

void WebTransferJob::timer() {
  if (!ending_) {
    host_.timedOut();
    return;
  }
  ending_ = false;
  // The page may let the job go in its handler: nothing of the job is touched after this.
  WebLine& line = *line_;
  line.finished(success_);
}

void WebTransferJob::cancel() {
  if (session_.active()) session_.abort();
}

void WebTransferJob::lineLost() {
  host_.lost();
}

Answer WebTransferJob::ask(Question question) {
  const int language = Language();
  const std::vector<std::string> answers{
      PlainCaption(MessageText(MessageId::OkButton, language)),
      PlainCaption(MessageText(MessageId::CancelButton, language))};
  const int chosen = line_->ask(MessageText(MessageId::Connection, language), answers);
  if (chosen != 0) return Answer::Cancel;
  return question == Question::Retry ? Answer::Retry : Answer::Ok;
}

Answer WebTransferJob::identityRefused(const IdentityCheck& check) {
  // Another program version cannot be started from the page: the refusal is said, and the
  // session ends as after No.
  const int language = Language();
  line_->ask(check.message(language), {PlainCaption(MessageText(MessageId::OkButton, language))});
  return check.isQuestion() ? Answer::No : Answer::Ok;
}

void WebTransferJob::portError() {
  tell("error", MessageText(MessageId::PortError, Language()));
}

void WebTransferJob::tell(const std::string& severity, std::string text) {
  notices_.push_back({severity, std::move(text)});
}

void WebTransferJob::endSoon(bool success) {
  ending_ = true;
  success_ = success;
  line_->startTimer(0);
}

void WebTransferJob::sessionFinished(SessionKind kind, bool success) {
  if (const auto& identity = host_.identityHeard()) gFirmwareHeard = identity->firmware;
  if (kind == SessionKind::Read && success) readFinished();
  if (kind == SessionKind::Write) {
    for (const Notice& notice : job_.finishWrite(success, Language()))
      tell(SeverityOf(notice.level), notice.text);
    if (!success && job_.tally().partial())
      if (const auto restore = job_.restorePoint())
        tell("warning", MessageWith(MessageId::WriteBackFile, Language(),
                                    {{"{file}", Utf8FromPath(restore->file.filename())}}));
  }
  endSoon(success && (kind != SessionKind::Read || readDocument_ != nullptr));
}

void WebTransferJob::readFinished() {
  const int language = Language();
  // The data file the read makes is kept before it becomes the document.
  if (const auto backup = job_.backUpRead(readInto_->working()); backup && !backup->ok)
    tell("warning", std::string(MessageText(MessageId::BackupFailed, language)) + " " +
                        Utf8FromPath(backup->file));
  if (const auto error = TakeRead(session_, *readInto_)) {
    tell("error",
         std::string(MessageText(MessageId::UnpackRefused, language)) + "\n" + error->what);
    return;
  }
  readDocument_ = std::make_unique<WebDocument>(std::move(readInto_));
  tell("information", MessageText(MessageId::ReadCompleted, language));
}

}  // namespace kr4100::web
