// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_com_set.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/radio_sessions.h"
#include "core/link/braille_claim.h"
#include "core/texts/port_texts.h"
#include "gui/editor_support.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr std::chrono::milliseconds kRefresh{1000};
// Long enough for a driver to be loaded the first time an adapter is plugged in.
constexpr std::chrono::milliseconds kFindCableLimit{30000};

}  // namespace

FrmComSet::FrmComSet(UiContext& ctx, PortLister listPorts, QWidget* parent)
    : FieldDialog(ctx, {"FrmComSet", "CommandOK", "CommandCancel"}, parent),
      listPorts_(std::move(listPorts)) {
#if defined(__linux__)
  udevRuleDirs_ = UdevRuleDirs();
#endif
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(180);
  combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  EnterMovesFocus(combo1_);
  label1_ = addField("Label1", combo1_);
  findCable_ = new QPushButton(this);
  findCable_->setObjectName(QStringLiteral("CommandFindCable"));
  addField("LabelFindCable", findCable_);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("LabelNote"));
  note_->setWordWrap(true);
  note_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  note_->setMaximumWidth(480);
  addField("LabelNoteCaption", note_);
  layOut();
  reShowComPortTimer_ = new QTimer(this);
  reShowComPortTimer_->setObjectName(QStringLiteral("ReShowComPortTimer"));
  reShowComPortTimer_->setInterval(static_cast<int>(kRefresh.count()));

  connect(combo1_, &QComboBox::activated, this, [this](int index) {
    portId_ = combo1_->itemData(index).toString();
    showNote();
  });
  connect(findCable_, &QPushButton::clicked, this, &FrmComSet::findCable);
  connect(reShowComPortTimer_, &QTimer::timeout, this, &FrmComSet::refreshPorts);

  reCaption();
  // The port in force, by its device name or by its number; otherwise the first one listed.
  const StartupSettings& settings = ctx.settings();
  QStringList stored{QString::fromStdString(ctx.app().portInForce()),
                     QStringLiteral("COM%1").arg(settings.comPort)};
  choose(stored);
  reShowComPortTimer_->start();
}

void FrmComSet::reCaption() {
  captionFrame(ctx().shell(ShellText::CommunicationPort));
  label1_->setText(ctx().shell(ShellText::Com));
  combo1_->setAccessibleName(WithoutAccelerator(label1_->text()));
  findCable_->setText(ctx().pick(finder_ ? kFindCableStop : kFindCable));
  findCable_->setAccessibleName(WithoutAccelerator(findCable_->text()));
  note_->setAccessibleName(ctx().pick(kPortNoteName));
  fillList(listPorts_ ? listPorts_() : std::vector<PortDescription>{});
  combo1_->setCurrentIndex(combo1_->findData(portId_));
  showNote();
}

void FrmComSet::fillList(const std::vector<PortDescription>& ports) {
  listed_ = ports;
  combo1_->clear();
  for (const PortDescription& listed : ports) {
    const QString port = QString::fromStdString(listed.port);
    if (port.isEmpty() || combo1_->findData(port) >= 0) continue;
    combo1_->addItem(RadioSessions::listedPortName(ctx(), listed), port);
  }
}

// Selects the first of the wanted ports that is listed, else the first entry, else nothing.
void FrmComSet::choose(const QStringList& wanted) {
  int index = combo1_->count() > 0 ? 0 : -1;
  for (const QString& port : wanted) {
    if (const int found = combo1_->findData(port); found >= 0) {
      index = found;
      break;
    }
  }
  combo1_->setCurrentIndex(index);
  portId_ = index >= 0 ? combo1_->itemData(index).toString() : QString();
  showNote();
}

void FrmComSet::refreshPorts() {
  const QString kept = portId_;
  fillList(listPorts_ ? listPorts_() : std::vector<PortDescription>{});
  choose({kept});
  if (!finder_) return;
  const CableSearch result = finder_->look(listed_, searched_);
  searched_ += kRefresh;
  if (result != CableSearch::Waiting) searchEnded(result);
}

void FrmComSet::findCable() {
  if (finder_) {
    finder_->stop();
    searchEnded(CableSearch::None);
    return;
  }
  if (ctx().prompter().ask(ctx().pick(kFindCableUnplug), MsgButtons::OkCancel,
                           MsgIcon::Information) != Answer::Ok)
    return;
  fillList(listPorts_ ? listPorts_() : std::vector<PortDescription>{});
  choose({portId_});
  finder_.emplace(listed_, kFindCableLimit);
  searched_ = std::chrono::milliseconds(0);
  searchNote_ =
      ctx()
          .pick(kFindCablePlugIn)
          .replace(QStringLiteral("{seconds}"), QString::number(kFindCableLimit.count() / 1000));
  reCaption();
}

void FrmComSet::searchEnded(CableSearch result) {
  const std::vector<PortDescription> ports = finder_->ports();
  finder_.reset();
  QString text;
  switch (result) {
    case CableSearch::Found:
    case CableSearch::Several:
      choose({QString::fromStdString(ports.front().port)});
      text = result == CableSearch::Found ? ctx().pick(kFindCableFound)
                                          : ctx().pick(kFindCableSeveral);
      text.replace(QStringLiteral("{port}"), labels(ports));
      text.replace(QStringLiteral("{ports}"), labels(ports));
      break;
    case CableSearch::Vanished:
      text = ctx().pick(kFindCableVanished).replace(QStringLiteral("{port}"), labels(ports));
      if (const QString advice = claimAdvice(); !advice.isEmpty()) text += "\n" + advice;
      break;
    case CableSearch::None:
    case CableSearch::Waiting:
      text = ctx().pick(kFindCableNone);
      break;
  }
  searchNote_ = text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  reCaption();
}

// The search's word while there is one; else what stands in the way of the chosen port.
void FrmComSet::showNote() {
  QString text = searchNote_;
  if (text.isEmpty() && !HasUsbPort(listed_)) text = claimAdvice();
  if (text.isEmpty())
    if (const PortDescription* chosen = FindListedPort(listed_, portId_.toStdString()))
      text = QString::fromStdString(LatencyAdvice(*chosen, ctx().language()));
  note_->setText(text);
  note_->setVisible(!text.isEmpty());
}

QString FrmComSet::claimAdvice() const {
  const auto claim = FindBrailleClaim(udevRuleDirs_);
  if (!claim) return {};
  return QString::fromStdString(BrailleClaimAdvice(*claim, ctx().language()))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString FrmComSet::labels(const std::vector<PortDescription>& ports) const {
  QStringList names;
  for (const PortDescription& port : ports) names << RadioSessions::listedPortName(ctx(), port);
  return names.join(QStringLiteral("\n"));
}

void FrmComSet::confirm() {
  ctx().app().choosePort(portId_.toStdString());
  accept();
}

void FrmComSet::done(int result) {
  reShowComPortTimer_->stop();
  QDialog::done(result);
}

}  // namespace kr4100
