#include "cli/radio_commands.h"

#include <array>
#include <optional>
#include <ostream>

#include "cli/radio_console.h"
#include "cli/radio_link.h"
#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/config/record_diff.h"
#include "core/link/backups.h"
#include "core/link/identity.h"
#include "core/link/radio_image.h"
#include "core/link/session_outcome.h"
#include "core/link/stop_request.h"
#include "core/link/transfer_session.h"
#include "core/link/write_preview.h"
#include "core/link/write_verify.h"
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

// One transfer session over the serial port, run to its end on a local event loop.
class CliSession {
 public:
  CliSession(const CliContext& context, const VersionTable& versions)
      : context_(context),
        port_{context.options.port, context.options.stopBits, context.options.handshaking},
        prompter_(context),
        trace_(context.options.trace),
        host_(prompter_),
        session_(host_, versions) {
    host_.attach(&session_);
    host_.watch(signals_);
    session_.setTrace(trace_.get());
    host_.onProgress = [this](int percent) { prompter_.progress(percent); };
    host_.onSearching = [this](bool on) { prompter_.searching(on); };
    host_.onCandidatePorts = [port = port_.port] { return CandidatePorts(port); };
    // The session goes on with what the search found; so does anything else this command opens.
    host_.onPortSettingsFound = [this](const PortSettings& found) {
      port_ = found;
      prompter_.portFound(found);
    };
    host_.onRadioWritten = [this](const RadioWritten& radio) { written_ = radio; };
    host_.onReadingBack = [this](bool on) {
      prompter_.endProgressLine();
      prompter_.setCaption(
          MessageText(on ? MessageId::VerifyCaption : MessageId::WriteCaption, context_.language));
    };
  }

  TransferSession& session() { return session_; }
  // How the write ended, once it has.
  const std::optional<RadioWritten>& written() const { return written_; }

  // Opens the port for a session of the kind; prints the port error when it cannot.
  bool open(SessionKind kind) {
    if (trace_.failed(context_.options.trace)) {
      Fail(MessageId::FileError, context_, context_.options.trace);
      return false;
    }
    session_.setPortSettings(port_);
    if (session_.open(kind)) return true;
    PortOpenFailed(host_, prompter_, context_);
    return false;
  }

  // Runs the opened session to its end. False: it failed, and the user has been told why.
  bool run() {
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

  // The exit status of a session that did not succeed.
  int failure() const {
    return stopped_ ? StopExitStatus(signals_.request().cause()) : kExitFailed;
  }

 private:
  // First in, last out: a stop is caught from before the port opens until after it has closed.
  StopSignals signals_;
  bool stopped_ = false;
  const CliContext& context_;
  PortSettings port_;
  ConsolePrompter prompter_;
  CliTrace trace_;
  CliSessionHost host_;
  TransferSession session_;
  std::optional<RadioWritten> written_;
};

// A backup that cannot be written is said on the error stream; the command goes on. The file
// written, or nothing.
std::optional<std::filesystem::path> BackUp(const CliContext& context, const RadioConfig& config,
                                            BackupKind kind, const BackupRadio& radio,
                                            bool evenWithoutBackups = false) {
  if (context.options.noBackup && !evenWithoutBackups) return std::nullopt;
  const BackupResult result =
      WriteBackup(UserDataDir(context), config, kind, radio, LocalTimestampNow());
  if (result.ok) return result.file;
  PrintMessage(context.err, std::string(MessageText(MessageId::BackupFailed, context.language)) +
                                " " + result.file.string());
  return std::nullopt;
}

// A write that stopped after its first data block: what that means for the radio, and the backup
// that can put it back as it was.
void ExplainPartialWrite(const CliContext& context, const std::optional<RadioWritten>& written) {
  if (!written || !written->partial) return;
  PrintMessage(context.err, MessageText(MessageId::WritePartial, context.language));
  if (const auto restore = RestorePointOf(*written, UserDataDir(context)))
    PrintMessage(context.err, MessageWith(MessageId::WriteBackFile, context.language,
                                          {{"{file}", Utf8FromPath(restore->file)}}));
}

// write --read-first: the radio read into a backup (not into the document), then what the write
// changes in it, as the window's confirmation lists it. False: the read failed and was explained.
bool ReadFirst(const CliContext& context, CliSession& radio, const Document& doc,
               const VersionTable& versions) {
  if (!radio.open(SessionKind::Read)) return false;
  radio.session().prepareRead();
  if (!radio.run()) return false;
  Document read;
  read.working() = doc.working();
  if (const auto error = radio.session().unpackRead(read)) {
    Fail(MessageId::UnpackRefused, context, error->what);
    return false;
  }
  const BackupRadio named = BackupRadioOf(radio.session().radioIdentity());
  // The read is what the preview measures against: kept even with --no-backup.
  if (!BackUp(context, read.working(), BackupKind::Read, named, true)) return true;
  if (const auto preview =
          PreviewWrite(doc.working(), named, UserDataDir(context), versions, context.language)) {
    PrintMessage(context.out, WritePreviewQuestion(*preview, context.language));
    for (const FieldDifference& d : preview->changes)
      context.out << DifferenceLine(d, context.language) << '\n';
  }
  return true;
}

void SetProgramIdentity(TransferSession& session, const Document& doc) {
  const DocState& state = doc.state();
  session.setProgramIdentity(state.modelText, BandCodeOf(state.bandText, state.modelText));
}

struct InfoField {
  Bilingual name;
  std::string (*text)(const RadioInfo&);
};

// Names as the embedded-information window labels its boxes.
const std::array<InfoField, 11> kInfoFields{{
    {{"Area code", "销售区号"}, [](const RadioInfo& i) { return i.AreaCode.text(); }},
    {{"Serial number", "序列号"}, [](const RadioInfo& i) { return i.SerialNumber.text(); }},
    {{"Production date", "出厂日期"}, [](const RadioInfo& i) { return i.ProductionDate.text(); }},
    {{"Manufacture code", "生产批号"}, [](const RadioInfo& i) { return i.ManufactureCode.text(); }},
    {{"User code", "客户代码"}, [](const RadioInfo& i) { return i.UserCode.text(); }},
    {{"Maintenance date", "维修日期"}, [](const RadioInfo& i) { return i.MaintenanceDate.text(); }},
    {{"Dealer code", "经销商代码"}, [](const RadioInfo& i) { return i.DealerCode.text(); }},
    {{"Stock date", "入库时间"}, [](const RadioInfo& i) { return i.StockDate.text(); }},
    {{"Sell date", "销售时间"}, [](const RadioInfo& i) { return i.SellDate.text(); }},
    {{"Seller", "经手人"}, [](const RadioInfo& i) { return i.Seller.text(); }},
    {{"Maintenance description", "维修原因"},
     [](const RadioInfo& i) { return i.MaintenanceDescription.text(); }},
}};

}  // namespace

std::filesystem::path UserDataDir(const CliContext& context) {
  if (!context.options.dataDir.empty()) return PathFromUtf8(context.options.dataDir);
  return ProgramDataFolder();
}

int RunPorts(const CliContext& context) {
  for (const PortDescription& port : SystemSerialPortDescriptions())
    context.out << PortLabel(port) << '\n';
  return kExitOk;
}

int RunRead(const CliContext& context) {
  Document doc;
  InitNewDocument(doc, context.options.band, context);
  const VersionTable versions = LoadVersions(context);
  CliSession radio(context, versions);
  SetProgramIdentity(radio.session(), doc);
  if (!radio.open(SessionKind::Read)) return kExitFailed;
  radio.session().prepareRead();
  if (!radio.run()) return radio.failure();

  if (const auto error = radio.session().unpackRead(doc))
    return Fail(MessageId::UnpackRefused, context, error->what);
  BackUp(context, doc.working(), BackupKind::Read, BackupRadioOf(radio.session().radioIdentity()));
  const FileOutcome saved = SaveDataFile(doc, PathFromUtf8(context.options.output));
  if (!saved.ok()) return Fail(saved, context);
  PrintMessage(context.out, MessageText(MessageId::ReadCompleted, context.language));
  return kExitOk;
}

int RunWrite(const CliContext& context) {
  Document doc;
  const VersionTable versions = LoadVersions(context);
  const FileOutcome opened = OpenDataFile(doc, PathFromUtf8(context.options.input), versions);
  if (!opened.ok()) return Fail(opened, context);
  CliSession radio(context, versions);
  // The radio must be of the file's model, version pairing and band.
  SetProgramIdentity(radio.session(), doc);
  if (context.options.readFirst && !ReadFirst(context, radio, doc, versions))
    return radio.failure();
  if (!radio.open(SessionKind::Write)) return kExitFailed;
  if (const auto error = radio.session().prepareWrite(doc.working()))
    return Fail(MessageId::PackRefused, context, error->what);
  // Named before the radio has answered; renamed after the radio once it holds the write.
  const auto backup = BackUp(context, doc.working(), BackupKind::Write,
                             BackupRadioOfDocument(doc.state(), std::string()));
  radio.session().setReadBack(context.options.verify);
  if (!radio.run()) {
    ExplainPartialWrite(context, radio.written());
    return radio.failure();
  }
  const auto markWritten = [&] {
    if (backup && radio.written() && radio.written()->identity)
      MarkWriteCompleted(*backup, BackupRadioOf(radio.written()->identity));
  };
  if (context.options.verify) {
    const auto& written = radio.written();
    if (!written || !written->readBack) return Fail(MessageId::Connection, context);
    const VerifyResult verify = VerifyWrite(radio.session().image(),
                                            radio.session().readBackImage(), written->sentFrom,
                                            doc.working(), context.language);
    if (!verify.passed()) {
      // Every difference: a script wants them all.
      PrintMessage(context.out, MessageText(MessageId::VerifyFailed, context.language));
      for (const std::string& difference : verify.differences) context.out << difference << '\n';
      return kExitFailed;
    }
  }
  markWritten();
  PrintMessage(context.out, MessageText(MessageId::WriteCompleted, context.language));
  return kExitOk;
}

int RunInfo(const CliContext& context) {
  const VersionTable versions = LoadVersions(context);
  CliSession radio(context, versions);
  if (!radio.open(SessionKind::ReadInfo)) return kExitFailed;
  radio.session().prepareRead();
  if (!radio.run()) return radio.failure();
  const RadioInfo info = UnpackRadioInfo(radio.session().image());
  for (const InfoField& field : kInfoFields)
    context.out << field.name.in(context.language) << ": " << field.text(info) << '\n';
  return kExitOk;
}

}  // namespace kr4100
