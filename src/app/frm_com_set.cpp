#include "app/frm_com_set.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include "app/radio_sessions.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr int kRefreshMs = 1000;

}  // namespace

FrmComSet::FrmComSet(UiContext& ctx, PortLister listPorts, QWidget* parent)
    : FieldDialog(ctx, {"FrmComSet", "CommandOK", "CommandCancel"}, parent),
      listPorts_(std::move(listPorts)) {
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(180);
  combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  EnterMovesFocus(combo1_);
  label1_ = addField("Label1", combo1_);
  layOut();
  reShowComPortTimer_ = new QTimer(this);
  reShowComPortTimer_->setObjectName(QStringLiteral("ReShowComPortTimer"));
  reShowComPortTimer_->setInterval(kRefreshMs);

  connect(combo1_, &QComboBox::activated, this,
          [this](int index) { portId_ = combo1_->itemData(index).toString(); });
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
  fillList();
  const int index = combo1_->findData(portId_);
  combo1_->setCurrentIndex(index);
}

void FrmComSet::fillList() {
  combo1_->clear();
  if (!listPorts_) return;
  for (const PortDescription& listed : listPorts_()) {
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
}

void FrmComSet::refreshPorts() {
  const QString kept = portId_;
  fillList();
  choose({kept});
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
