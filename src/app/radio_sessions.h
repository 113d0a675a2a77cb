// SPDX-License-Identifier: GPL-3.0-or-later
// The radio commands of the main window: read, write, local and radio information, group write.
// Drives the core transfer session over the serial port (or the in-process virtual radio) and
// shows its questions, progress window and results.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "core/serial/port_description.h"
#include "gui/ui_context.h"
#include "platform/qt_session_host.h"

class QWidget;

namespace kr4100 {
class SerialTrace;
namespace sim {
class VirtualRadio;
}

// What a radio-information read shows when it succeeds.
enum class InfoReadView {
  LocalInformation,     // mnuEMG: the image preset first, then the embedded-information window
  RadioInformation,     // mnuRadioInfo: the radio-information window
  EmbeddedInformation,  // the set window's Read: the embedded-information window over it
};

// What the sessions must ask of the window that owns them: answers, which a signal cannot give.
// Without an owner the port is never in use elsewhere and no other version takes over.
class RadioSessionsOwner {
 public:
  // Test mode uses the same port: while it runs, the transfer commands wait (busy()).
  virtual bool linkInUse() const = 0;
  // The version question's Yes: the program version for this firmware takes over (after the save
  // question). False when it did not, and the session ends as after No.
  virtual bool handOverToVersionFor(const std::string& firmware) = 0;

 protected:
  ~RadioSessionsOwner() = default;
};

class RadioSessions : public QObject {
  Q_OBJECT
 public:
  RadioSessions(UiContext& ctx, QWidget* mainWindow, RadioSessionsOwner* owner = nullptr);
  ~RadioSessions() override;

  void readFromRadio();              // mnuReadFromRadio
  void writeToRadio();               // mnuWriteToRadio
  // A radio-information read; its window opens over `over` (the main window when unset).
  void readRadioInformation(InfoReadView view, QWidget* over = nullptr);
  void writeRadioInformation();      // the set window's Write, after its store
  void setRadioInformation();        // mnuSetRadioInfo: FrmRadioInfoSet, modal
  void groupWrite();                 // mnuMWriteToRadio: FrmMulSet, then frmMProgress
  bool busy() const;

  // The port list the port dialog offers: the system's serial ports, then "Virtual radio".
  static std::vector<PortDescription> portChoices();
  static QString virtualRadioName();
  // How a stored port is shown: the virtual radio in the language in force, others as they are.
  static QString shownPortName(const UiContext& ctx, const QString& port);
  // How the port dialog lists a port: with what the system knows of its device.
  static QString listedPortName(const UiContext& ctx, const PortDescription& port);
  // Where the trace files of "Record serial trace" go.
  static QString traceFolder(const AppState& app);
  // With "Record serial trace" on: a new trace file for a session of the kind, kept until the
  // next one begins. Null when off or when the file cannot be made.
  SerialTrace* beginTrace(SessionKind kind);

  // What test mode takes over from the transfer sessions: the port in force with its settings,
  // the questions, and the virtual radio with its pace and memory file.
  bool usesVirtualRadio() const;
  PortSettings portSettings() const;
  Prompter& prompter();
  double virtualRadioSpeed() const;
  bool saveVirtualRadioMemory();

  // The virtual radio's pace: 1 real 9600 baud, higher is faster, 0 replies at once.
  void setVirtualRadioSpeed(double factor);
  // The radio behind the "Virtual radio" port, so that a test can give it another identity or
  // other texts.
  sim::VirtualRadio& virtualRadio();

 signals:
  // Before a write packs the record, and before a read's data replace it: what an editor still
  // holds goes into the document first (a read then overwrites it), so nothing is stored over
  // the read later.
  void pendingEditsNeeded();
  // A read replaced the document (before "Read Data Completed." is shown): editors close, the
  // caption says new.dat, the channel window opens again.
  void readCompleted();
  // The port search found a port; the status bar shows it.
  void portChanged(int comPort);
  // Something the user should know that needs no answer (a trace that could not be made): the
  // status bar shows it.
  void statusNotice(const QString& text);
  // A write stopped after its first data block and the user chose to write this backup back to
  // the radio (as the backups window's Write Back does).
  void writeBackRequested(const QString& backup);

 private:
  class Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace kr4100
