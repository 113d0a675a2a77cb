// SPDX-License-Identifier: GPL-3.0-or-later
// The radio sessions' private part, shared by the file that runs the commands and the one that
// shows their windows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/progress_window.h"
#include "app/radio_sessions.h"
#include "core/link/radio_job.h"
#include "core/link/session_outcome.h"
#include "core/link/trace_file.h"
#include "core/texts/messages.h"
#include "platform/session_hosts.h"
#include "radioinfo/frm_emg.h"
#include "radioinfo/frm_radio_info.h"
#include "radioinfo/frm_radio_info_set.h"

namespace kr4100 {

class RadioSessions::Impl {
 public:
  Impl(RadioSessions& q, UiContext& ctx, QWidget* mainWindow, RadioSessionsOwner* owner);
  ~Impl();

  void read();
  bool prepareWrite(int radios);
  enum class Confirmed { Write, ReadFirst, Cancel };
  Confirmed confirmWrite(int radios);
  void readFirst();
  void write();
  void readInfo(InfoReadView view, QWidget* over);
  void writeInfo();
  void openInfoSet();
  void askGroupCount();
  void groupWrite(int radios);
  bool busy() const {
    return startPending_ || (job_.session() != nullptr && job_.session()->active()) ||
           (owner_ != nullptr && owner_->linkInUse());
  }
  SessionHosts& hosts() { return *hosts_; }
  bool usesVirtualRadio() const { return IsVirtualRadioPort(ctx_.app().portInForce()); }
  PortSettings portSettings() const;
  Prompter& prompter() { return prompter_; }
  SerialTrace* beginTrace(SessionKind kind) {
    // The last session's trace goes; nothing may write to it any more.
    if (job_.session()) job_.session()->setTrace(nullptr);
    trace_.reset();
    traceProblem_.clear();
    if (!ctx_.settings().recordSerialTrace) return nullptr;
    trace_ = std::make_unique<TraceFile>(ctx_.app().userDataDir, SessionKindName(kind),
                                         LocalTimestampNow());
    if (trace_->ok()) {
      // A slow adapter, where its effect shows.
      const std::vector<PortDescription> ports = RadioSessions::portChoices();
      if (const PortDescription* port = FindListedPort(ports, ctx_.app().portInForce()))
        if (const std::string advice = LatencyAdvice(*port, kEnglish); !advice.empty())
          trace_->trace().note("adapter", advice);
      return &trace_->trace();
    }
    // Said once for the session, where the user looks while it runs; the session goes on.
    traceProblem_ = QString::fromStdString(MessageWith(MessageId::TraceFailed, ctx_.language(),
                                                       {{"{file}", trace_->path().string()}}));
    emit q_.statusNotice(traceProblem_);
    return nullptr;
  }

 private:
  // The session's questions as message boxes over the program's prompter.
  class SessionPrompter final : public Prompter {
   public:
    explicit SessionPrompter(Impl& d) : d_(d) {}
    Answer ask(Question question) override {
      // Which adapter failed, for a user with several.
      QString text = d_.ctx_.msg(MessageId::Connection);
      const std::string adapter = AdapterLine(RadioSessions::portChoices(),
                                              d_.ctx_.app().portInForce(), d_.ctx_.language());
      if (!adapter.empty()) text += QStringLiteral("\r\n") + QString::fromStdString(adapter);
      return d_.ctx_.prompter().ask(
          text,
          question == Question::Connection ? MsgButtons::OkCancel : MsgButtons::RetryCancel,
          MsgIcon::Question);
    }
    Answer identityRefused(const IdentityCheck& check) override {
      return d_.identityRefused(check);
    }
    void portError() override { d_.portError(); }

   private:
    Impl& d_;
  };

  void wire(QtSessionHost& host);
  bool open(SessionKind kind);
  // "Cannot Open Communication Port." with why, as far as the host knows.
  void portError();
  void showProgressWindow(ProgressWindow* window);
  void closeProgressWindows();
  void userClosedProgress();

  void portSettingsFound(const PortSettings& found);
  void radioWritten(const RadioWritten& radio);
  void finished(SessionKind kind, bool success);
  void readFinished();
  void tell(const std::vector<Notice>& notices);
  void offerWriteBack();
  void backupFailed(const std::optional<BackupResult>& backup);
  void showEmbeddedInformation(const RadioInfo& info, const std::string& firmware);
  void showRadioInformation();
  Answer identityRefused(const IdentityCheck& check);
  void warn(MessageId lead, const std::string& what);

  RadioSessions& q_;
  UiContext& ctx_;
  QPointer<QWidget> mainWindow_;
  RadioSessionsOwner* owner_;
  SessionPrompter prompter_{*this};
  std::unique_ptr<SessionHosts> hosts_;
  // The session and host of the last command (the hosts keep one for each kind of port), its
  // backups, and the tally of the write in progress.
  RadioJob job_;
  bool startPending_ = false;
  int startTicket_ = 0;
  QPointer<ProgressWindow> progress_;  // of a read or write, or of a group write
  QPointer<FrmEMG> emg_;
  QPointer<FrmRadioInfo> radioInfo_;
  QPointer<FrmRadioInfoSet> radioInfoSet_;
  // What the last radio-information read shows, and over which window.
  InfoReadView infoView_ = InfoReadView::LocalInformation;
  QPointer<QWidget> infoOver_;
  std::unique_ptr<TraceFile> trace_;  // of the last session, with "Record serial trace" on
  QString traceProblem_;              // why this session has no trace, when it should have one
  // "Read first": the read runs into a backup, then the write asks again; it is offered once.
  bool readingFirst_ = false;
  bool readFirstDone_ = false;
};

}  // namespace kr4100
