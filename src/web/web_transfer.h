// SPDX-License-Identifier: GPL-3.0-or-later
// A read or a write of the radio from the page: the core's transfer session and radio job over
// the page's serial line (Web Serial, or the virtual radio), with the backups kept in the
// module's file system. The page runs the line and the clock; the core decides everything else.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/config/version_table.h"
#include "core/link/radio_job.h"
#include "core/link/reporting_session_host.h"
#include "core/link/transfer_session.h"
#include "core/serial/reply_assembly.h"
#include "web/web_document.h"

namespace kr4100::web {

// Where the backups live: the page mounts its browser storage here.
inline constexpr const char* kDataDir = "/data";
// The one port the page offers the session: whatever line the page opened.
inline constexpr const char* kPagePort = "page";

// The page's side of the line. Every call returns at once; what comes back arrives later through
// WebTransferJob::received and ::timer.
class WebLine {
 public:
  virtual ~WebLine() = default;
  virtual bool open(int stopBits, bool rtsCts) = 0;
  virtual void close() = 0;
  virtual void write(std::span<const std::uint8_t> bytes) = 0;
  virtual void startTimer(int milliseconds) = 0;
  virtual void stopTimer() = 0;
  virtual double now() = 0;
  // A modal question: the index of the answer chosen.
  virtual int ask(const std::string& text, const std::vector<std::string>& answers) = 0;
  virtual void progress(int percent) = 0;
  // A write's verify began (true) or ended: the progress shows the verify caption meanwhile.
  virtual void readingBack(bool on) = 0;
  virtual void finished(bool success) = 0;
};

struct JobNotice {
  std::string severity;  // information, warning, error
  std::string text;
};

// The session's host over the page's line, with the core's reply assembly for what arrives.
class WebSessionHost : public ReportingSessionHost {
 public:
  WebSessionHost(WebLine& line, Prompter& prompter);

  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override;
  std::chrono::milliseconds now() const override;

  void received(std::span<const std::uint8_t> bytes);
  void timedOut() { replyTimedOut(); }
  // The cable was pulled: nothing more goes out until the line opens again.
  void lost() { lost_ = true; }

 protected:
  std::vector<std::string> ownCandidatePorts() override { return {kPagePort}; }

 private:
  WebLine& line_;
  ReplyAssembly replies_{ReplyAssembly::Ending::Length};
  bool open_ = false;
  bool lost_ = false;
};

// The line settings the user chose beside the port, as the desktop's port settings keep them.
struct LineChoice {
  int stopBits = 1;     // 1 or 2
  bool rtsCts = false;  // flow control RTS/CTS, else none
};

class WebTransferJob : private Prompter {
 public:
  // A read of a radio of the band into a new document.
  WebTransferJob(std::unique_ptr<WebLine> line, int band, LineChoice choice);
  // A write of the document; it must outlive the job.
  WebTransferJob(std::unique_ptr<WebLine> line, WebDocument& document, bool verify,
                 LineChoice choice);
  ~WebTransferJob() override;

  void received(std::span<const std::uint8_t> bytes);
  void timer();
  void cancel();
  void lineLost();

  const std::vector<JobNotice>& notices() const { return notices_; }
  // The document a successful read made, once.
  std::unique_ptr<WebDocument> takeDocument() { return std::move(readDocument_); }

 private:
  // Prompter
  Answer ask(Question question) override;
  Answer identityRefused(const IdentityCheck& check) override;
  void portError() override;

  void wire();
  bool open(SessionKind kind, const DocState& state);
  void sessionFinished(SessionKind kind, bool success);
  void readFinished();
  // finished() goes to the page from the top of a timer call, never from inside the session.
  void endSoon(bool success);
  void tell(const std::string& severity, std::string text);

  std::unique_ptr<WebLine> line_;
  PortSettings port_;
  VersionTable versions_ = VersionTable::BuiltIn();
  WebSessionHost host_;
  TransferSession session_;
  RadioJob job_;
  std::unique_ptr<Document> readInto_;  // a read's document until it is taken
  std::unique_ptr<WebDocument> readDocument_;
  WebDocument* writing_ = nullptr;
  std::vector<JobNotice> notices_;
  bool ending_ = false;
  bool success_ = false;
};

// The firmware the last radio announced, which names a write's backup and finds its preview.
const std::string& FirmwareHeard();

}  // namespace kr4100::web
