#include "app/frm_com_set.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "gui/key_filters.h"
#include "app/radio_sessions.h"

namespace kr4100 {
namespace {

constexpr int kRefreshMs = 1000;

}  // namespace
FrmComSet::FrmComSet(UiContext& ctx, PortLister listPorts, QWidget* parent)
    : QDialog(parent), ctx_(ctx), listPorts_(std::move(listPorts)) {
  setObjectName(QStringLiteral("FrmComSet"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(180);
  combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  label1_->setBuddy(combo1_);
  EnterMovesFocus(combo1_);
  commandOK_ = new QPushButton(this);
  commandOK_->setObjectName(QStringLiteral("CommandOK"));
  commandOK_->setDefault(true);
  commandCancel_ = new QPushButton(this);
  commandCancel_->setObjectName(QStringLiteral("CommandCancel"));
  reShowComPortTimer_ = new QTimer(this);
  reShowComPortTimer_->setObjectName(QStringLiteral("ReShowComPortTimer"));
  reShowComPortTimer_->setInterval(kRefreshMs);

  auto* field = new QHBoxLayout;
  field->addWidget(label1_);
  field->addWidget(combo1_, 1);
  LayOutFieldsAndButtons(this, field, commandOK_, commandCancel_);

  connect(commandOK_, &QPushButton::clicked, this, &FrmComSet::confirm);
  connect(commandCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(combo1_, &QComboBox::activated, this,
          [this](int index) { portId_ = combo1_->itemData(index).toString(); });
  connect(reShowComPortTimer_, &QTimer::timeout, this, &FrmComSet::refreshPorts);

  reCaption();
  // The port in force, by its device name or by its number; otherwise the first one listed.
  const StartupSettings& settings = ctx_.settings();
  QStringList stored{QString::fromStdString(ctx_.app().portInForce()),
                     QStringLiteral("COM%1").arg(settings.comPort)};
  choose(stored);
  reShowComPortTimer_->start();
}

void FrmComSet::reCaption() {
  setWindowTitle(ctx_.shell(ShellText::CommunicationPort));
  label1_->setText(ctx_.shell(ShellText::Com));
  commandOK_->setText(ctx_.msg(MessageId::OkButton));
  commandCancel_->setText(ctx_.msg(MessageId::CancelButton));
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
    combo1_->addItem(RadioSessions::listedPortName(ctx_, listed), port);
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
  ctx_.app().choosePort(portId_.toStdString());
  accept();
}

void FrmComSet::done(int result) {
  reShowComPortTimer_->stop();
  QDialog::done(result);
}

}  // namespace kr4100
