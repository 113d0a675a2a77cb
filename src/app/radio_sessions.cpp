#include "app/radio_sessions.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "core/config/model_band.h"
#include "radioinfo/frm_emg.h"
#include "radioinfo/frm_radio_info.h"
#include "radioinfo/frm_radio_info_set.h"
#include "app/frm_m_progress.h"
#include "app/frm_mul_set.h"
#include "app/frm_progress.h"
#include "core/link/backups.h"
#include "core/link/production_log.h"
#include "core/link/radio_image.h"
#include "core/link/write_verify.h"
#include "core/link/transfer_session.h"
#include "platform/serial_ports.h"
#include "platform/serial_session_host.h"
#include "core/settings/version_table.h"
#include "platform/virtual_radio_host.h"

namespace kr4100 {
namespace {

const char* const kVirtualRadioStored = "Virtual radio";
constexpr Bilingual kVirtualRadioShown{"Virtual radio", "虚拟对讲机"};
constexpr const char* kVirtualRadioFile = "virtual-radio.img";

bool IsVirtualRadio(const QString& port) {
  return port == QLatin1String(kVirtualRadioStored) || port == QString::fromUtf8(kVirtualRadioShown.zh);
}

}  // namespace

class RadioSessions::Impl {
 public:
  Impl(RadioSessions& q, UiContext& ctx, QWidget* mainWindow);
  ~Impl();

  void read();
  bool prepareWrite();
  void write();
  void readInfo(InfoReadView view, QWidget* over);
  void writeInfo();
  void openInfoSet();
  void askGroupCount();
  void groupWrite(int radios);
  bool busy() const {
    return startPending_ || (session_ != nullptr && session_->active()) || (q_.linkInUse && q_.linkInUse());
  }
  void setVirtualSpeed(double factor);
  double virtualSpeed() const { return virtualSpeed_; }
  sim::VirtualRadio& virtualRadio();
  bool saveVirtualMemory() { return virtualHost_ && virtualHost_->saveMemory(); }
  bool usesVirtualRadio() const;
  PortSettings portSettings() const;
  Prompter& prompter() { return prompter_; }

 private:
  // The session's questions as message boxes over the program's prompter.
  class SessionPrompter final : public Prompter {
   public:
    explicit SessionPrompter(Impl& d) : d_(d) {}
    Answer ask(Question question) override {
      return d_.ctx_.prompter().ask(d_.ctx_.msg(MessageId::Connection),
                                    question == Question::Connection ? MsgButtons::OkCancel
                                                                     : MsgButtons::RetryCancel,
                                    MsgIcon::Question);
    }
    Answer identityRefused(const IdentityCheck& check) override { return d_.identityRefused(check); }
    void portError() override { d_.ctx_.tell(MessageId::PortError, MsgIcon::Critical); }

   private:
    Impl& d_;
  };

  template <class Host>
  void wire(Host& host);
  void makeVirtualSession();
  QString portName() const;
  bool open(SessionKind kind);
  void showProgress(SessionKind kind);
  void showGroupProgress(int radios);
  void showProgressWindow(ProgressWindow* window);
  void closeProgressWindows();
  void userClosedProgress();

  void progress(int percent);
  void searching(bool on);
  void portSettingsFound(const PortSettings& found);
  void nextRadio(int radioNumber);
  void radioWritten(const RadioWritten& radio);
  void finished(SessionKind kind, bool success);
  void writeFinished(bool success);
  void groupFinished();
  void readFinished();
  void backUp(const RadioConfig& config, BackupKind kind, const BackupRadio& radio);
  void showEmbeddedInformation(const RadioInfo& info, const std::string& firmware);
  void showRadioInformation();
  Answer identityRefused(const IdentityCheck& check);
  void refuse(MessageId lead, const std::string& what);

  RadioSessions& q_;
  UiContext& ctx_;
  QPointer<QWidget> mainWindow_;
  SessionPrompter prompter_{*this};
  // Hosts before their sessions: a session holds on to its host until it goes.
  std::unique_ptr<SerialSessionHost> serialHost_;
  std::unique_ptr<VirtualRadioHost> virtualHost_;
  std::unique_ptr<TransferSession> serialSession_;
  std::unique_ptr<TransferSession> virtualSession_;
  TransferSession* session_ = nullptr;  // the one of the last command
  QtSessionHost* host_ = nullptr;       // and its host
  double virtualSpeed_ = 1.0;
  bool startPending_ = false;
  int startTicket_ = 0;
  QPointer<ProgressWindow> progress_;  // of a read or write, or of a group write
  QPointer<FrmEMG> emg_;
  QPointer<FrmRadioInfo> radioInfo_;
  QPointer<FrmRadioInfoSet> radioInfoSet_;
  // What the last radio-information read shows, and over which window.
  InfoReadView infoView_ = InfoReadView::LocalInformation;
  QPointer<QWidget> infoOver_;

  // Verify and the group write's tally, for the write in progress.
  bool verifyOn_ = false;
  std::optional<VerifyResult> lastVerify_;  // of the single write's radio, when read back
  int groupRadios_ = 0;                     // 0: a single write
  int groupSucceeded_ = 0;
  int groupFailed_ = 0;
  std::vector<std::string> groupDifferences_;  // "Radio 2: ..." for every radio that read back wrong
  bool logFailed_ = false;
};

RadioSessions::Impl::Impl(RadioSessions& q, UiContext& ctx, QWidget* mainWindow)
    : q_(q), ctx_(ctx), mainWindow_(mainWindow) {}

RadioSessions::Impl::~Impl() {
  // The port is never left open behind the program; nothing is shown on the way out.
  for (TransferSession* session : {serialSession_.get(), virtualSession_.get()}) {
    if (session == nullptr || !session->active()) continue;
    if (serialHost_) serialHost_->onFinished = nullptr;
    if (virtualHost_) virtualHost_->onFinished = nullptr;
    session->abort();
  }
  closeProgressWindows();
}

template <class Host>
void RadioSessions::Impl::wire(Host& host) {
  host.onProgress = [this](int percent) { progress(percent); };
  host.onSearching = [this](bool on) { searching(on); };
  host.onPortSettingsFound = [this](const PortSettings& found) { portSettingsFound(found); };
  host.onNextRadio = [this](int radioNumber) { nextRadio(radioNumber); };
  host.onRadioWritten = [this](const RadioWritten& radio) { radioWritten(radio); };
  host.onReadingBack = [this](bool on) {
    if (progress_) progress_->setCaption(on ? MessageId::VerifyCaption : MessageId::WriteCaption);
  };
  host.onFinished = [this](SessionKind kind, bool success) { finished(kind, success); };
}

void RadioSessions::Impl::setVirtualSpeed(double factor) {
  virtualSpeed_ = factor;
  if (virtualHost_) virtualHost_->setSpeedFactor(factor);
}

QString RadioSessions::Impl::portName() const {
  return QString::fromStdString(ctx_.app().portInForce());
}

// The virtual radio's session is made on first use; its radio keeps its memory in the user's
// data folder.
void RadioSessions::Impl::makeVirtualSession() {
  if (virtualSession_) return;
  const std::filesystem::path& dataDir = ctx_.app().userDataDir;
  const std::filesystem::path file =
      dataDir.empty() ? std::filesystem::path() : dataDir / kVirtualRadioFile;
  virtualHost_ = std::make_unique<VirtualRadioHost>(prompter_, file);
  virtualHost_->setSpeedFactor(virtualSpeed_);
  virtualHost_->onCandidatePorts = [] { return std::vector<std::string>{kVirtualRadioStored}; };
  wire(*virtualHost_);
  virtualSession_ = std::make_unique<TransferSession>(*virtualHost_, ctx_.state().versions);
  virtualHost_->attach(virtualSession_.get());
}

sim::VirtualRadio& RadioSessions::Impl::virtualRadio() {
  makeVirtualSession();
  return virtualHost_->radio();
}

bool RadioSessions::Impl::usesVirtualRadio() const { return IsVirtualRadio(portName()); }

PortSettings RadioSessions::Impl::portSettings() const {
  const QString port = portName();
  const StartupSettings& settings = ctx_.settings();
  return {IsVirtualRadio(port) ? std::string(kVirtualRadioStored) : port.toStdString(), settings.stopBit,
          settings.handshaking};
}

// Picks the session for the port in force, sets it up for the document and opens the port.
bool RadioSessions::Impl::open(SessionKind kind) {
  const QString port = portName();
  if (IsVirtualRadio(port)) {
    makeVirtualSession();
    session_ = virtualSession_.get();
    host_ = virtualHost_.get();
  } else {
    if (!serialSession_) {
      serialHost_ = std::make_unique<SerialSessionHost>(prompter_);
      wire(*serialHost_);
      serialSession_ = std::make_unique<TransferSession>(*serialHost_, ctx_.state().versions);
      serialHost_->attach(serialSession_.get());
    }
    session_ = serialSession_.get();
    host_ = serialHost_.get();
  }
  session_->setPortSettings(portSettings());
  verifyOn_ = kind == SessionKind::Write && ctx_.settings().verifyAfterWrite;
  session_->setReadBack(verifyOn_);
  lastVerify_.reset();
  const DocState& doc = ctx_.doc().state();
  session_->setProgramIdentity(doc.modelText, BandCodeOf(doc.bandText, doc.modelText));
  if (session_->open(kind)) return true;
  ctx_.tell(MessageId::PortError, MsgIcon::Critical);
  return false;
}

void RadioSessions::Impl::refuse(MessageId lead, const std::string& what) {
  ctx_.prompter().ask(ctx_.msg(lead) + QLatin1Char('\n') + QString::fromStdString(what), MsgButtons::Ok,
                      MsgIcon::Warning);
}

// ---------------------------------------------------------------------------------------------
// Commands

void RadioSessions::Impl::read() {
  if (busy() || !open(SessionKind::Read)) return;
  if (ctx_.ask(MessageId::ReadQuestion, MsgButtons::OkCancel, MsgIcon::Question) != Answer::Ok) {
    session_->cancel();
    return;
  }
  session_->prepareRead();
  showProgress(SessionKind::Read);
  session_->start();
}

// What a write and a group write do before the first frame: pending edits in, the port open, the
// record packed, the question. False when any of it stops the write.
bool RadioSessions::Impl::prepareWrite() {
  if (q_.commitPendingEdits) q_.commitPendingEdits();
  if (!open(SessionKind::Write)) return false;
  // A record the radio's memory cannot hold is refused before the user is asked or a byte sent.
  if (const auto error = session_->prepareWrite(ctx_.doc().working())) {
    refuse(MessageId::PackRefused, error->what);
    return false;
  }
  if (ctx_.ask(MessageId::WriteQuestion, MsgButtons::OkCancel, MsgIcon::Question) != Answer::Ok) {
    session_->cancel();
    return false;
  }
  // The document as it goes out, before the first frame; the radio has not answered yet, so the
  // document's model and band and the firmware last heard name it.
  const DocState& doc = ctx_.doc().state();
  backUp(ctx_.doc().working(), BackupKind::Write,
         {ModelDisplayName(doc.modelText), std::to_string(BandCodeOf(doc.bandText, doc.modelText)),
          ctx_.state().firmwareVersion});
  return true;
}

// A backup that cannot be written is said, and whatever was going on goes on.
// Without a data folder (an embedding that set none) there is nowhere to keep them.
void RadioSessions::Impl::backUp(const RadioConfig& config, BackupKind kind, const BackupRadio& radio) {
  if (ctx_.app().userDataDir.empty()) return;
  const BackupResult result =
      WriteBackup(ctx_.app().userDataDir, config, kind, radio, LocalTimestampNow());
  if (result.ok) return;
  ctx_.prompter().ask(ctx_.msg(MessageId::BackupFailed) + QLatin1Char('\n') +
                          QString::fromStdString(result.file.string()),
                      MsgButtons::Ok, MsgIcon::Warning);
}

void RadioSessions::Impl::write() {
  if (busy()) return;
  groupRadios_ = 0;
  if (!prepareWrite()) return;
  showProgress(SessionKind::Write);
  // The progress window is up and painted before the first frame goes out.
  startPending_ = true;
  TransferSession* session = session_;
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
  if (view == InfoReadView::LocalInformation) session_->prepareRead();
  session_->start();
}

// No question and no progress window: the radio answers at once (and does not take the block).
void RadioSessions::Impl::writeInfo() {
  if (busy() || !open(SessionKind::WriteInfo)) return;
  session_->start();
}

void RadioSessions::Impl::openInfoSet() {
  // One just closed is on its way out: a new one is opened.
  if (radioInfoSet_ && radioInfoSet_->isVisible()) {
    radioInfoSet_->raise();
    radioInfoSet_->activateWindow();
    return;
  }
  radioInfoSet_ = new FrmRadioInfoSet(ctx_, mainWindow_);
  FrmRadioInfoSet* window = radioInfoSet_;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowModality(Qt::ApplicationModal);
  window->onRead = [this, window] { readInfo(InfoReadView::EmbeddedInformation, window); };
  window->onWrite = [this] { writeInfo(); };
  window->show();
}

void RadioSessions::Impl::askGroupCount() {
  if (busy()) return;
  auto* dialog = new FrmMulSet(ctx_, mainWindow_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::ApplicationModal);
  QObject::connect(dialog, &QDialog::accepted, &q_, [this, dialog] { groupWrite(dialog->radiosToWrite()); });
  dialog->open();
}

void RadioSessions::Impl::groupWrite(int radios) {
  if (busy() || radios < 1) return;
  groupRadios_ = radios;
  groupSucceeded_ = 0;
  groupFailed_ = 0;
  groupDifferences_.clear();
  logFailed_ = false;
  if (!prepareWrite()) return;
  showGroupProgress(radios);
  session_->startGroupWrite(radios);
}

// ---------------------------------------------------------------------------------------------
// Progress windows

void RadioSessions::Impl::showProgress(SessionKind kind) {
  showProgressWindow(new FrmProgress(ctx_, kind, mainWindow_));
}

void RadioSessions::Impl::showGroupProgress(int radios) {
  showProgressWindow(new frmMProgress(ctx_, radios, mainWindow_));
}

void RadioSessions::Impl::showProgressWindow(ProgressWindow* window) {
  closeProgressWindows();
  progress_ = window;
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  progress_->onUserClose = [this] { userClosedProgress(); };
  progress_->show();
}

void RadioSessions::Impl::closeProgressWindows() {
  if (!progress_) return;
  progress_->onUserClose = nullptr;
  progress_->hide();
  progress_->deleteLater();
  progress_.clear();
}

// Closing a progress window ends its session: nobody would see it run on.
void RadioSessions::Impl::userClosedProgress() {
  startPending_ = false;
  if (session_ == nullptr) return;
  if (session_->active()) session_->abort();
}

// ---------------------------------------------------------------------------------------------
// What the session reports

void RadioSessions::Impl::progress(int percent) {
  if (progress_) progress_->setPercent(percent);
}

void RadioSessions::Impl::searching(bool on) {
  if (progress_) progress_->setSearching(on);
}

void RadioSessions::Impl::portSettingsFound(const PortSettings& found) {
  ctx_.app().keepFoundPort(found.port, found.stopBits, found.handshaking);
  if (q_.portChanged) q_.portChanged(ctx_.settings().comPort);
}

void RadioSessions::Impl::nextRadio(int radioNumber) {
  if (auto* group = qobject_cast<frmMProgress*>(progress_.data())) group->setRadioNumber(radioNumber);
}

void RadioSessions::Impl::finished(SessionKind kind, bool success) {
  startPending_ = false;
  closeProgressWindows();
  // The radio's own firmware replaces the one assumed, also after a radio-information read,
  // which checks no identity but hears it all the same.
  const std::optional<RadioIdentity> heard = host_ ? host_->identityHeard() : std::nullopt;
  const bool radioSession =
      kind == SessionKind::Read || kind == SessionKind::Write || kind == SessionKind::ReadInfo;
  if (radioSession && heard) ctx_.state().firmwareVersion = heard->firmware;
  switch (kind) {
    case SessionKind::Read:
      if (success) readFinished();
      return;
    case SessionKind::Write:
      writeFinished(success);
      return;
    case SessionKind::ReadInfo:
      if (!success) return;
      if (infoView_ == InfoReadView::RadioInformation)
        showRadioInformation();
      else
        showEmbeddedInformation(UnpackRadioInfo(session_->image()),
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

// Each radio as its write ends: the read-back compared, and in a group write the tally and the
// production log row.
void RadioSessions::Impl::radioWritten(const RadioWritten& radio) {
  std::optional<VerifyResult> verify;
  if (radio.readBack)
    verify = VerifyWrite(session_->image(), session_->readBackImage(), radio.sentFrom,
                         ctx_.doc().working(), ctx_.language());
  if (groupRadios_ == 0) {
    lastVerify_ = verify;
    return;
  }
  const bool succeeded = RadioSucceeded(radio, verifyOn_, verify ? &*verify : nullptr);
  ++(succeeded ? groupSucceeded_ : groupFailed_);
  if (verify) {
    const std::string lead = MessageWith(MessageId::GroupRadioDifference, ctx_.language(),
                                         {{"{n}", std::to_string(radio.radioNumber)}});
    for (const std::string& difference : verify->differences)
      groupDifferences_.push_back(lead + difference);
  }
  const ProductionLogRow row =
      MakeProductionLogRow(radio, verifyOn_, verify ? &*verify : nullptr, LocalTimestampNow());
  if (!ctx_.app().userDataDir.empty() && !AppendProductionLog(ctx_.app().userDataDir, row))
    logFailed_ = true;
  if (auto* group = qobject_cast<frmMProgress*>(progress_.data()))
    group->setCounts(groupSucceeded_, groupFailed_);
}

void RadioSessions::Impl::writeFinished(bool success) {
  if (groupRadios_ > 0) {
    // A run ended by Cancel or by closing the window ends without a message, as it always has:
    // its tally was in the window and its rows are in the production log. A run that went to its
    // end is called complete only when every radio reads back right, and is summed up.
    if (success) {
      if (groupFailed_ == 0) ctx_.tell(MessageId::WriteCompleted);
      groupFinished();
    }
    groupRadios_ = 0;
    return;
  }
  if (!success) return;
  // A radio that does not hold what was sent is never reported as written.
  if (verifyOn_ && lastVerify_ && !lastVerify_->passed()) {
    ctx_.prompter().ask(ctx_.msg(MessageId::VerifyFailed) + QLatin1Char('\n') +
                            QString::fromStdString(
                                VerifyListText(lastVerify_->differences, ctx_.language())),
                        MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  ctx_.tell(MessageId::WriteCompleted);
}

// After the group write's own ending: how many radios were written, and what read back wrong.
void RadioSessions::Impl::groupFinished() {
  const int language = ctx_.language();
  std::string text = MessageWith(MessageId::GroupSummary, language,
                                 {{"{n}", std::to_string(groupSucceeded_)},
                                  {"{total}", std::to_string(groupRadios_)}});
  if (groupFailed_ > 0)
    text += "\n" + MessageWith(MessageId::GroupFailedCount, language,
                                {{"{n}", std::to_string(groupFailed_)}});
  if (!groupDifferences_.empty())
    text += std::string("\n\n") + MessageText(MessageId::VerifyFailed, language) + "\n" +
            VerifyListText(groupDifferences_, language);
  if (logFailed_)
    text += std::string("\n\n") + MessageText(MessageId::ProductionLogFailed, language) + "\n" +
            (ctx_.app().userDataDir / kProductionLogFile).string();
  const bool clean = groupFailed_ == 0 && !logFailed_ && groupSucceeded_ == groupRadios_;
  groupRadios_ = 0;
  ctx_.prompter().ask(QString::fromStdString(text), MsgButtons::Ok,
                      clean ? MsgIcon::Information : MsgIcon::Warning);
}

void RadioSessions::Impl::readFinished() {
  if (q_.closeEditors) {
    q_.closeEditors();
  } else if (q_.commitPendingEdits) {
    q_.commitPendingEdits();
  }
  // The data file the read makes is kept before it replaces the document.
  {
    Document made;
    made.working() = ctx_.doc().working();
    if (!session_->unpackRead(made)) {
      const std::optional<RadioIdentity>& id = session_->radioIdentity();
      backUp(made.working(), BackupKind::Read,
             id ? BackupRadio{ModelDisplayName(id->modelCode), std::to_string(id->bandCode),
                              CleanCode(id->firmware)}
                : BackupRadio{});
    }
  }
  if (const auto error = session_->unpackRead(ctx_.doc())) {
    refuse(MessageId::UnpackRefused, error->what);
    return;
  }
  // The read data are a new, unsaved document: it counts as modified until saved.
  DocState& state = ctx_.doc().state();
  state.fileName = kNewDocumentName;
  state.neverSaved = true;
  if (q_.readCompleted) q_.readCompleted();
  ctx_.tell(MessageId::ReadCompleted);
}

void RadioSessions::Impl::showEmbeddedInformation(const RadioInfo& info,
                                                  const std::string& firmware) {
  if (emg_) {
    emg_->ShowByData(info, firmware);
    emg_->raise();
    emg_->activateWindow();
    return;
  }
  // Over the set window when its Read asked: a modal window stays above the one it came from.
  emg_ = new FrmEMG(ctx_, infoOver_ ? infoOver_.data() : mainWindow_.data());
  emg_->setAttribute(Qt::WA_DeleteOnClose);
  emg_->setWindowModality(Qt::ApplicationModal);
  emg_->ShowByData(info, firmware);
  emg_->show();
}

// The window shows the document's ModelInfo, which the read leaves as it was.
void RadioSessions::Impl::showRadioInformation() {
  if (radioInfo_ && radioInfo_->isVisible()) {
    radioInfo_->ShowData();
    radioInfo_->raise();
    radioInfo_->activateWindow();
    return;
  }
  radioInfo_ = new FrmRadioInfo(ctx_, mainWindow_);
  radioInfo_->setAttribute(Qt::WA_DeleteOnClose);
  radioInfo_->setWindowModality(Qt::ApplicationModal);
  radioInfo_->show();
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
  if (!q_.leaveForOtherVersion || !q_.leaveForOtherVersion(check.firmware)) return Answer::No;
  if (session_ && session_->active()) session_->abort();
  return Answer::No;
}

// ---------------------------------------------------------------------------------------------

RadioSessions::RadioSessions(UiContext& ctx, QWidget* mainWindow)
    : d_(new Impl(*this, ctx, mainWindow)) {}

RadioSessions::~RadioSessions() { delete d_; }

void RadioSessions::readFromRadio() { d_->read(); }
void RadioSessions::writeToRadio() { d_->write(); }
void RadioSessions::readRadioInformation(InfoReadView view, QWidget* over) {
  d_->readInfo(view, over);
}
void RadioSessions::writeRadioInformation() { d_->writeInfo(); }
void RadioSessions::setRadioInformation() { d_->openInfoSet(); }
void RadioSessions::groupWrite() { d_->askGroupCount(); }
bool RadioSessions::busy() const { return d_->busy(); }
void RadioSessions::setVirtualRadioSpeed(double factor) { d_->setVirtualSpeed(factor); }
bool RadioSessions::usesVirtualRadio() const { return d_->usesVirtualRadio(); }
PortSettings RadioSessions::portSettings() const { return d_->portSettings(); }
Prompter& RadioSessions::prompter() { return d_->prompter(); }
double RadioSessions::virtualRadioSpeed() const { return d_->virtualSpeed(); }
bool RadioSessions::saveVirtualRadioMemory() { return d_->saveVirtualMemory(); }
sim::VirtualRadio& RadioSessions::virtualRadio() { return d_->virtualRadio(); }

QStringList RadioSessions::portNames() {
  QStringList names;
  for (const std::string& port : SystemSerialPorts()) names << QString::fromStdString(port);
  names << virtualRadioName();
  return names;
}

QString RadioSessions::virtualRadioName() { return QString::fromLatin1(kVirtualRadioStored); }

QString RadioSessions::shownPortName(const UiContext& ctx, const QString& port) {
  return IsVirtualRadio(port) ? ctx.pick(kVirtualRadioShown) : port;
}

}  // namespace kr4100
