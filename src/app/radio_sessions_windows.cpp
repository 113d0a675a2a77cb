// SPDX-License-Identifier: GPL-3.0-or-later
// The windows of the radio sessions: the progress windows, the radio-information windows and
// the set window, and what the sessions offer the main window and the port dialog.
#include <QDir>

#include "app/radio_sessions_impl.h"
#include "platform/virtual_radio_host.h"

namespace kr4100 {

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
  QObject::connect(window, &FrmRadioInfoSet::readRequested, &q_,
                   [this, window] { readInfo(InfoReadView::EmbeddedInformation, window); });
  QObject::connect(window, &FrmRadioInfoSet::writeRequested, &q_, [this] { writeInfo(); });
  window->show();
}

// ---------------------------------------------------------------------------------------------
// Progress windows

void RadioSessions::Impl::showProgressWindow(ProgressWindow* window) {
  closeProgressWindows();
  progress_ = window;
  if (!traceProblem_.isEmpty()) progress_->setNote(traceProblem_);
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(window, &ProgressWindow::userClosed, &q_, [this] { userClosedProgress(); });
  progress_->show();
}

void RadioSessions::Impl::closeProgressWindows() {
  if (!progress_) return;
  QObject::disconnect(progress_.data(), &ProgressWindow::userClosed, &q_, nullptr);
  progress_->hide();
  progress_->deleteLater();
  progress_.clear();
}

// Closing a progress window ends its session: nobody would see it run on.
void RadioSessions::Impl::userClosedProgress() {
  startPending_ = false;
  TransferSession* session = job_.session();
  if (session != nullptr && session->active()) session->abort();
}

// ---------------------------------------------------------------------------------------------
// Radio-information windows

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

// ---------------------------------------------------------------------------------------------

RadioSessions::RadioSessions(UiContext& ctx, QWidget* mainWindow, RadioSessionsOwner* owner)
    : d_(std::make_unique<Impl>(*this, ctx, mainWindow, owner)) {}

RadioSessions::~RadioSessions() = default;

void RadioSessions::readFromRadio() {
  d_->read();
}
void RadioSessions::writeToRadio() {
  d_->write();
}
void RadioSessions::readRadioInformation(InfoReadView view, QWidget* over) {
  d_->readInfo(view, over);
}
void RadioSessions::writeRadioInformation() {
  d_->writeInfo();
}
void RadioSessions::setRadioInformation() {
  d_->openInfoSet();
}
void RadioSessions::groupWrite() {
  d_->askGroupCount();
}
bool RadioSessions::busy() const {
  return d_->busy();
}
void RadioSessions::setVirtualRadioSpeed(double factor) {
  d_->hosts().setVirtualSpeed(factor);
}
bool RadioSessions::usesVirtualRadio() const {
  return d_->usesVirtualRadio();
}
PortSettings RadioSessions::portSettings() const {
  return d_->portSettings();
}
Prompter& RadioSessions::prompter() {
  return d_->prompter();
}
double RadioSessions::virtualRadioSpeed() const {
  return d_->hosts().virtualSpeed();
}
bool RadioSessions::saveVirtualRadioMemory() {
  return d_->hosts().saveVirtualMemory();
}
sim::VirtualRadio& RadioSessions::virtualRadio() {
  return d_->hosts().virtualHost().radio();
}

std::vector<PortDescription> RadioSessions::portChoices() {
  return PortChoices();
}

QString RadioSessions::listedPortName(const UiContext& ctx, const PortDescription& port) {
  if (IsVirtualRadioPort(port.port)) return ctx.pick(kVirtualRadioShown);
  return QString::fromStdString(PortLabel(port));
}

QString RadioSessions::traceFolder(const AppState& app) {
  return QDir::toNativeSeparators(
      QString::fromStdU16String((app.userDataDir / kTraceFolder).u16string()));
}

SerialTrace* RadioSessions::beginTrace(SessionKind kind) {
  return d_->beginTrace(kind);
}

QString RadioSessions::virtualRadioName() {
  return QString::fromLatin1(kVirtualRadioPort);
}

QString RadioSessions::shownPortName(const UiContext& ctx, const QString& port) {
  return IsVirtualRadioPort(port.toStdString()) ? ctx.pick(kVirtualRadioShown) : port;
}
}  // namespace kr4100
