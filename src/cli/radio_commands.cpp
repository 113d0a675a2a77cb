// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/radio_commands.h"

#include <optional>
#include <ostream>
#include <thread>

#include "cli/cli_session.h"
#include "cli/file_commands.h"
#include "cli/port_commands.h"
#include "cli/stop_signals.h"
#include "core/config/file_io.h"
#include "core/config/model_band.h"
#include "core/config/record_diff.h"
#include "core/link/backups.h"
#include "core/link/braille_claim.h"
#include "core/link/identity.h"
#include "core/link/radio_image.h"
#include "core/link/radio_info_fields.h"
#include "core/link/session_outcome.h"
#include "core/link/stop_request.h"
#include "core/link/transfer_session.h"
#include "core/link/write_preview.h"
#include "core/link/write_verify.h"
#include "core/texts/messages.h"

namespace kr4100 {
namespace {

// write --read-first: the radio read into a backup (not into the document), then what the write
// changes in it, as the window's confirmation lists it. False: the read failed and was explained.
bool ReadFirst(const CliContext& context, CliSession& radio, const Document& doc,
               const VersionTable& versions) {
  if (!radio.open(SessionKind::Read, &doc)) return false;
  radio.session().prepareRead();
  if (!radio.run()) return false;
  Document read;
  read.working() = doc.working();
  if (const auto error = radio.session().unpackRead(read)) {
    Fail(MessageId::UnpackRefused, context, error->what);
    return false;
  }
  // The read is what the preview measures against: kept even with --no-backup.
  if (!radio.backUpRead(doc.working(), true)) return true;
  const BackupRadio named = BackupRadioOf(radio.session().radioIdentity());
  if (const auto preview =
          PreviewWrite(doc.working(), named, UserDataDir(context), versions, context.language)) {
    PrintMessage(context.out, WritePreviewQuestion(*preview, context.language));
    for (const FieldDifference& d : preview->changes)
      context.out << DifferenceLine(d, context.language) << '\n';
  }
  return true;
}

}  // namespace

std::filesystem::path UserDataDir(const CliContext& context) {
  if (!context.options.dataDir.empty()) return PathFromUtf8(context.options.dataDir);
  return ProgramDataFolder();
}

int RunBackupList(const CliContext& context) {
  return RunBackups(context, UserDataDir(context));
}

int RunPorts(const CliContext& context) {
  StopSignals stops;
  const PortHooks hooks{&SystemSerialPortDescriptions,
                        [&stops](std::chrono::milliseconds interval) {
                          std::this_thread::sleep_for(interval);
                          return !stops.request().requested();
                        },
                        UdevRuleDirs()};
  return ListPorts(context, hooks);
}

int RunRead(const CliContext& context) {
  Document doc;
  InitNewDocument(doc, context.options.band, context);
  const VersionTable versions = LoadVersions(context);
  CliSession radio(context, versions);
  if (!radio.open(SessionKind::Read, &doc)) return kExitFailed;
  radio.session().prepareRead();
  if (!radio.run()) return radio.failure();

  const RadioConfig base = doc.working();
  if (const auto error = radio.session().unpackRead(doc))
    return Fail(MessageId::UnpackRefused, context, error->what);
  radio.backUpRead(base);
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
  // The radio must be of the file's model, version pairing and band.
  CliSession radio(context, versions);
  if (context.options.readFirst && !ReadFirst(context, radio, doc, versions))
    return radio.failure();
  if (!radio.open(SessionKind::Write, &doc)) return kExitFailed;
  if (const auto error = radio.session().prepareWrite(doc.working()))
    return Fail(MessageId::PackRefused, context, error->what);
  radio.backUpWrite(doc);
  if (!radio.run()) {
    radio.explainPartialWrite();
    return radio.failure();
  }
  // The job has renamed the backup a written one once the radio held the write (read back right).
  if (context.options.verify) {
    const auto& verify = radio.job().tally().singleVerify();
    if (!verify) return Fail(MessageId::Connection, context);
    if (!verify->passed()) {
      // Every difference: a script wants them all.
      PrintMessage(context.out, MessageText(MessageId::VerifyFailed, context.language));
      for (const std::string& difference : verify->differences) context.out << difference << '\n';
      return kExitFailed;
    }
  }
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
  for (const RadioInfoField& field : kRadioInfoFields)
    context.out << field.lineName(context.language) << ": " << field.text(info) << '\n';
  return kExitOk;
}

}  // namespace kr4100
