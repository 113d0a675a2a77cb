// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_about.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <string>

#include "core/config/model_band.h"
#include "core/config/version_table.h"
#include "gui/editor_support.h"

namespace kr4100 {
namespace {

QString Display(const std::string& tag) {
  return QString::fromStdString(IsValidVersionTag(tag) ? VersionDisplayForm(tag) : tag);
}

}  // namespace

frmAbout::frmAbout(UiContext& ctx, Variant variant, QWidget* parent)
    : QDialog(parent), ctx_(ctx), variant_(variant) {
  setObjectName(QStringLiteral("frmAbout"));
  SetDialogFrame(this);

  labelTitle_ = new QLabel(this);
  labelTitle_->setObjectName(QStringLiteral("LabelTitle"));
  QFont titleFont = labelTitle_->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
  titleFont.setBold(true);
  labelTitle_->setFont(titleFont);
  labelPurpose_ = new QLabel(this);
  labelPurpose_->setObjectName(QStringLiteral("LabelPurpose"));
  labelVersion_ = new QLabel(this);
  labelVersion_->setObjectName(QStringLiteral("LabelVersion"));
  commandOK_ = new QPushButton(this);
  commandOK_->setObjectName(QStringLiteral("CommandOK"));
  commandOK_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelTitle_);
  layout->addWidget(labelPurpose_);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);
  layout->addWidget(labelVersion_);
  if (variant_ == Variant::Program) {
    labelLicence_ = new QLabel(this);
    labelLicence_->setObjectName(QStringLiteral("LabelLicence"));
    layout->addWidget(labelLicence_);
  }
  if (variant_ == Variant::Versions) {
    labelDetails_ = new QLabel(this);
    labelDetails_->setObjectName(QStringLiteral("LabelDetails"));
    labelDetails_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(labelDetails_);
  }
  layout->addSpacing(12);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  if (variant_ == Variant::Program) {
    commandVersions_ = new QPushButton(this);
    commandVersions_->setObjectName(QStringLiteral("CommandVersions"));
    buttons->addWidget(commandVersions_);
    connect(commandVersions_, &QPushButton::clicked, this, &frmAbout::showVersions);
  }
  buttons->addWidget(commandOK_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(24, 18, 24, 14);

  connect(commandOK_, &QPushButton::clicked, this, &QDialog::accept);
  reCaption();
}

void frmAbout::reCaption() {
  setWindowTitle(ctx_.shell(variant_ == Variant::Program ? ShellText::AboutCaption
                                                         : ShellText::VersionsCaption));
  labelTitle_->setText(QString::fromStdString(ctx_.state().modelName));
  labelPurpose_->setText(ctx_.shell(ShellText::AboutPurpose));
  labelVersion_->setText(ctx_.msg(MessageId::SoftwareVersion) + QLatin1Char(' ') +
                         QString::fromLatin1(kSoftVerText));
  if (labelLicence_) labelLicence_->setText(ctx_.shell(ShellText::AboutLicence));
  commandOK_->setText(ctx_.msg(MessageId::OkButton));
  if (commandVersions_) commandVersions_->setText(ctx_.shell(ShellText::VersionsButton));
  if (labelDetails_) {
    const VersionTable& table = ctx_.state().versions;
    QStringList accepted;
    for (const auto& [program, other] : table.pairs()) {
      const QString shown = Display(other);
      if (program == table.currentVersion() && !accepted.contains(shown)) accepted << shown;
    }
    QStringList lines;
    lines << ctx_.msg(MessageId::DataFileVersion) + QLatin1Char(' ') + Display(kRecordVersionTag)
          << ctx_.msg(MessageId::FirmwareVersion) + QLatin1Char(' ') +
                 Display(ctx_.state().firmwareVersion)
          << QString() << ctx_.shell(ShellText::VersionsAccepted)
          << accepted.join(QStringLiteral(", "));
    labelDetails_->setText(lines.join(QLatin1Char('\n')));
  }
}

void frmAbout::showVersions() {
  frmAbout versions(ctx_, Variant::Versions, this);
  versions.exec();
}

}  // namespace kr4100
