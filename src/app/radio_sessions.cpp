// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/radio_sessions.h"

#include <QTimer>
#include <optional>

#include "app/frm_m_progress.h"
#include "app/frm_mul_set.h"
#include "app/frm_progress.h"
#include "app/frm_write_preview.h"
#include "app/radio_sessions_impl.h"
#include "core/link/radio_image.h"
#include "core/link/radio_job.h"
#include "core/link/session_outcome.h"
#include "core/link/trace_file.h"
#include "core/link/transfer_session.h"
#include "core/link/write_preview.h"
#include "core/texts/backup_texts.h"
#include "platform/session_hosts.h"

namespace kr4100 {
namespace {

MsgIcon IconOf(NoticeLevel level) {
  switch (level) {
    case NoticeLevel::Information:
      return MsgIcon::Information;
    case NoticeLevel::Warning:
      return MsgIcon::Warning;
    case NoticeLevel::Plain:
      break;
  }
  return MsgIcon::None;
}

}  // namespace

RadioSessions::Impl::Impl(RadioSessions& q, UiContext& ctx, QWidget* mainWindow,
                          RadioSessionsOwner* owner)
    : q_(q),
      ctx_(ctx),
      mainWindow_(mainWindow),
      owner_(owner),
      hosts_(
          std::make_unique<SessionHosts>(prompter_, ctx.state().versions, ctx.app().userDataDir)),
      job_(ctx.app().userDataDir) {}

RadioSessions::Impl::~Impl() {
  // The hosts go while everything they report to is still here; nothing is shown on the way out.
  hosts_.reset();
  closeProgressWindows();
}

void RadioSessions::Impl::wire(QtSessionHost& host) {
  host.onProgress = [this](int percent) {
    if (progress_) progress_->setPercent(percent);
  };
  host.onSearching = [this](bool on) {
    if (progress_) progress_->setSearching(on);
  };
  host.onPortSettingsFound = [this](const PortSettings& found) { portSettingsFound(found); };
  host.onNextRadio = [this](int radioNumber) {
    if (auto* group = qobject_cast<frmMProgress*>(progress_.data()))
      group->setRadioNumber(radioNumber);
  };
  host.onRadioWritten = [this](const RadioWritten& radio) { radioWritten(radio); };
  host.onReadingBack = [this](bool on) {
    if (progress_) progress_->setCaption(on ? MessageId::VerifyCaption : MessageId::WriteCaption);
  };
  host.onFinished = [this](SessionKind kind, bool success) { finished(kind, success); };
}

PortSettings RadioSessions::Impl::portSettings() const {
  const StartupSettings& settings = ctx_.settings();
  return {SessionPortName(ctx_.app().portInForce()), settings.stopBit, settings.handshaking};
}

// Picks the session for the port in force, sets it up for the document and opens the port.
bool RadioSessions::Impl::open(SessionKind kind) {
  job_.setDataDir(ctx_.app().userDataDir);
  SerialTrace* trace = q_.beginTrace(kind);
  const SessionHosts::Link link = hosts_->forPort(ctx_.app().portInForce());
  wire(link.host);
  if (job_.open(link.session, link.host, kind, {portSettings(), &ctx_.doc().state(), trace}))
    return true;
  portError();
  return false;
}

void RadioSessions::Impl::portError() {
  const PortOpenError why = job_.host() ? job_.host()->openError() : PortOpenError{};
  ctx_.prompter().ask(QString::fromStdString(PortErrorText(why, ctx_.language())), MsgButtons::Ok,
                      MsgIcon::Critical);
}

// A lead message with what it is about on the next line.
void RadioSessions::Impl::warn(MessageId lead, const std::string& what) {
  ctx_.prompter().ask(ctx_.msg(lead) + QLatin1Char('\n') + QString::fromStdString(what),
                      MsgButtons::Ok, MsgIcon::Warning);
}

void RadioSessions::Impl::tell(const std::vector<Notice>& notices) {
  for (const Notice& notice : notices)
    ctx_.prompter().ask(QString::fromStdString(notice.text), MsgButtons::Ok, IconOf(notice.level));
}

// A backup that cannot be written is said, and whatever was going on goes on.
void RadioSessions::Impl::backupFailed(const std::optional<BackupResult>& backup) {
  if (backup && !backup->ok) warn(MessageId::BackupFailed, backup->file.string());
}

// ---------------------------------------------------------------------------------------------
// Commands

void RadioSessions::Impl::read() {
  if (busy() || !open(SessionKind::Read)) return;
  if (ctx_.ask(MessageId::ReadQuestion, MsgButtons::OkCancel, MsgIcon::Question) != Answer::Ok) {
    job_.session()->cancel();
    return;
  }
  job_.session()->prepareRead();
  showProgressWindow(new FrmProgress(ctx_, SessionKind::Read, mainWindow_));
  job_.session()->start();
}

// What a write and a group write do before the first frame: pending edits in, the port open, the
// record packed, the question, the backup. False when any of it stops the write.
bool RadioSessions::Impl::prepareWrite(int radios) {
  emit q_.pendingEditsNeeded();
  job_.setDataDir(ctx_.app().userDataDir);
  job_.beginWrite(radios, ctx_.settings().verifyAfterWrite);
  if (!open(SessionKind::Write)) return false;
  // A record the radio's memory cannot hold is refused before the user is asked or a byte sent.
  if (const auto error = job_.session()->prepareWrite(ctx_.doc().working())) {
    warn(MessageId::PackRefused, error->what);
    return false;
  }
  const Confirmed answer = confirmWrite(radios);
  readFirstDone_ = false;
  if (answer != Confirmed::Write) {
    job_.session()->cancel();
    if (answer == Confirmed::ReadFirst) readFirst();
    return false;
  }
  backupFailed(job_.backUpWrite(ctx_.doc(), ctx_.state().firmwareVersion));
  return true;
}

// The radio read into a backup, not into the document; the write then asks again, measured
// against it.
void RadioSessions::Impl::readFirst() {
  if (!open(SessionKind::Read)) return;
  readingFirst_ = true;
  job_.session()->prepareRead();
  showProgressWindow(new FrmProgress(ctx_, SessionKind::Read, mainWindow_));
  job_.session()->start();
}

// The question before a write; true to go on. The radio has not answered yet, so which one the
// write goes to is taken from what is known: the radio the document is for (its model and band,
// which a write's identity check insists on) with the firmware last heard, as the write's own
// backup is named. When a read of that radio was kept, the question lists what the write changes
// in it. A group write goes to radios none of which was read, so it asks plainly.
RadioSessions::Impl::Confirmed RadioSessions::Impl::confirmWrite(int radios) {
  const std::optional<WritePreview> preview =
      radios > 0
          ? std::nullopt
          : PreviewWrite(ctx_.doc().working(),
                         BackupRadioOfDocument(ctx_.doc().state(), ctx_.state().firmwareVersion),
                         ctx_.app().userDataDir, ctx_.state().versions, ctx_.language());
  if (preview)
    return RunWritePreview(ctx_, *preview, mainWindow_) ? Confirmed::Write : Confirmed::Cancel;
  // No copy of what the radio holds: one can be read first, unless that was just done (a radio
  // other than the document's) or the write goes to many radios.
  const bool offerRead = radios == 0 && !readFirstDone_ && !ctx_.app().userDataDir.empty();
  const Answer answer =
      ctx_.prompter().ask(ctx_.msg(MessageId::WriteQuestion),
                          offerRead ? MsgButtons::OkExtraCancel : MsgButtons::OkCancel,
                          MsgIcon::Question, {}, ctx_.pick(kPreviewReadFirst));
  if (answer == Answer::Ok) return Confirmed::Write;
  return answer == Answer::Extra && offerRead ? Confirmed::ReadFirst : Confirmed::Cancel;
}

void RadioSessions::Impl::write() {
  if (busy() || !prepareWrite(0)) return;
  showProgressWindow(new FrmProgress(ctx_, SessionKind::Write, mainWindow_));
  // The progress window is up and painted before the first frame goes out.
  startPending_ = true;
  TransferSession* session = job_.session();
  const int ticket = ++startTicket_;
  QTimer::singleShot(20, &q_, [this, session, ticket] {
    // A write cancelled meanwhile (progress window closed) is not started late.
    if (ticket != startTicket_ || !startPending_) return;
    startPending_ = false;
    if (session->kind() == SessionKind::Write) session->start();
  });
}

void RadioSessions::Impl::readInfo(InfoReadView view, QWidget* over) {
  if (busy() || !open(SessionKind::ReadInfo)) return;
  infoView_ = view;
  infoOver_ = over;
  if (view == InfoReadView::LocalInformation) job_.session()->prepareRead();
  job_.session()->start();
}

// No question and no progress window: the radio answers at once (and does not take the block).
void RadioSessions::Impl::writeInfo() {
  if (busy() || !open(SessionKind::WriteInfo)) return;
  job_.session()->start();
}

void RadioSessions::Impl::askGroupCount() {
  if (busy()) return;
  auto* dialog = new FrmMulSet(ctx_, mainWindow_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::ApplicationModal);
  QObject::connect(dialog, &QDialog::accepted, &q_,
                   [this, dialog] { groupWrite(dialog->radiosToWrite()); });
  dialog->open();
}

void RadioSessions::Impl::groupWrite(int radios) {
  if (busy() || radios < 1 || !prepareWrite(radios)) return;
  showProgressWindow(new frmMProgress(ctx_, radios, mainWindow_));
  job_.session()->startGroupWrite(radios);
}

// ---------------------------------------------------------------------------------------------
// What the session reports

void RadioSessions::Impl::portSettingsFound(const PortSettings& found) {
  ctx_.app().keepFoundPort(found.port, found.stopBits, found.handshaking);
  emit q_.portChanged(ctx_.settings().comPort);
}

void RadioSessions::Impl::finished(SessionKind kind, bool success) {
  startPending_ = false;
  closeProgressWindows();
  // The radio's own firmware replaces the one assumed, also after a radio-information read,
  // which checks no identity but hears it all the same.
  const std::optional<RadioIdentity> heard =
      job_.host() ? job_.host()->identityHeard() : std::nullopt;
  const bool radioSession =
      kind == SessionKind::Read || kind == SessionKind::Write || kind == SessionKind::ReadInfo;
  if (radioSession && heard) ctx_.state().firmwareVersion = heard->firmware;
  if (kind == SessionKind::Read && readingFirst_) {
    readingFirst_ = false;
    if (!success) return;  // the session said why
    backupFailed(job_.backUpRead(ctx_.doc().working()));
    readFirstDone_ = true;
    // After this session has quite ended: the write opens the port again.
    QTimer::singleShot(0, &q_, [this] {
      if (!busy()) write();
    });
    return;
  }
  switch (kind) {
    case SessionKind::Read:
      if (success) readFinished();
      return;
    case SessionKind::Write:
      tell(job_.finishWrite(success, ctx_.language()));
      if (!success) offerWriteBack();
      return;
    case SessionKind::ReadInfo:
      if (!success) return;
      if (infoView_ == InfoReadView::RadioInformation)
        showRadioInformation();
      else
        showEmbeddedInformation(UnpackRadioInfo(job_.session()->image()),
                                heard ? heard->firmware : std::string());
      return;
    case SessionKind::WriteInfo:
      // The radio never takes the block; say so rather than let the user believe it did.
      ctx_.tell(MessageId::RadioInfoNotWritten, MsgIcon::Warning);
      return;
    default:
      return;
  }
}

// A radio left with part of a write: what it held before can go back, through the write's own
// confirmation, as the backups window's Write Back does.
void RadioSessions::Impl::offerWriteBack() {
  const auto restore = job_.restorePoint();
  if (!restore) return;
  const QString question = QString::fromStdString(WriteBackQuestion(*restore, ctx_.language()));
  if (ctx_.prompter().ask(question, MsgButtons::YesNo, MsgIcon::Question) != Answer::Yes) return;
  const QString file = QString::fromStdU16String(restore->file.u16string());
  // Once this session has ended: the write back is a session of its own.
  QTimer::singleShot(0, &q_, [this, file] { emit q_.writeBackRequested(file); });
}

// Each radio as its write ends: the read-back compared, and in a group write the tally in its
// window.
void RadioSessions::Impl::radioWritten(const RadioWritten& radio) {
  job_.radioWritten(radio, ctx_.doc().working(), ctx_.language());
  if (auto* group = qobject_cast<frmMProgress*>(progress_.data()))
    group->setCounts(job_.tally().succeeded(), job_.tally().failed());
}

void RadioSessions::Impl::readFinished() {
  emit q_.pendingEditsNeeded();
  // The data file the read makes is kept before it replaces the document.
  backupFailed(job_.backUpRead(ctx_.doc().working()));
  if (const auto error = TakeRead(*job_.session(), ctx_.doc())) {
    warn(MessageId::UnpackRefused, error->what);
    return;
  }
  emit q_.readCompleted();
  ctx_.tell(MessageId::ReadCompleted);
}

Answer RadioSessions::Impl::identityRefused(const IdentityCheck& check) {
  const QString text = QString::fromUtf8(check.message(ctx_.language()));
  if (!check.isQuestion()) {
    ctx_.prompter().ask(text, MsgButtons::Ok, MsgIcon::None);
    return Answer::Ok;
  }
  const Answer answer = ctx_.prompter().ask(text, MsgButtons::YesNo, MsgIcon::Question);
  if (answer != Answer::Yes) return answer;
  // The session stays where it is while the main window asks its save question; if the other
  // version takes over, this program ends and the port must be free for it.
  if (owner_ == nullptr || !owner_->handOverToVersionFor(check.firmware)) return Answer::No;
  if (job_.session() && job_.session()->active()) job_.session()->abort();
  return Answer::No;
}

}  // namespace kr4100
