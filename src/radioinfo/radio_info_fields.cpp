// SPDX-License-Identifier: GPL-3.0-or-later
#include "radioinfo/radio_info_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

#include "gui/editor_support.h"
#include "gui/key_filters.h"

namespace kr4100 {
namespace {

QStringList Listed(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << FieldText(item);
  return list;
}

}  // namespace

QString FieldText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FieldBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

void SetLabelText(QLabel* label, const QString& text) {
  label->setText(text);
  if (QWidget* buddy = label->buddy()) buddy->setAccessibleName(WithoutAccelerator(text));
}

RadioInfoFields::RadioInfoFields(QWidget* window, UiContext& ctx) : ctx_(ctx) {
  modelLabel = new QLabel(window);
  modelLabel->setObjectName(QStringLiteral("Label1"));
  bandLabel = new QLabel(window);
  bandLabel->setObjectName(QStringLiteral("Label2"));
  dateLabel = new QLabel(window);
  dateLabel->setObjectName(QStringLiteral("Label3"));
  modelCombo = new QComboBox(window);
  modelCombo->setObjectName(QStringLiteral("Combo1"));
  bandCombo = new QComboBox(window);
  bandCombo->setObjectName(QStringLiteral("Combo2"));
  // Wide enough for this radio's band texts, the longest the list holds.
  bandCombo->setMinimumContentsLength(26);
  dateBox = new QLineEdit(window);
  dateBox->setObjectName(QStringLiteral("Text1"));
  for (QWidget* control : {static_cast<QWidget*>(modelCombo), static_cast<QWidget*>(bandCombo),
                           static_cast<QWidget*>(dateBox)})
    EnterMovesFocus(control);

  modelLabel->setBuddy(modelCombo);
  bandLabel->setBuddy(bandCombo);
  dateLabel->setBuddy(dateBox);
  form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->addRow(modelLabel, modelCombo);
  form->addRow(bandLabel, bandCombo);
  form->addRow(dateLabel, dateBox);

  // The user's pick only: showing the record's model must keep its stored band.
  QObject::connect(modelCombo, &QComboBox::activated, window, [this] { rebuildBands(); });
}

void RadioInfoFields::reCaption() {
  SetLabelText(modelLabel, ctx_.shell(ShellText::ModelType));
  SetLabelText(bandLabel, ctx_.shell(ShellText::Frequency));
  SetLabelText(dateLabel, ctx_.shell(ShellText::RadioInfoSerialNumber));
}

void RadioInfoFields::show(const RadioInfoView& view) {
  {
    const QSignalBlocker block(modelCombo);
    modelCombo->clear();
    modelCombo->addItems(Listed(view.modelItems));
    modelCombo->setCurrentIndex(modelCombo->findText(FieldText(view.model), Qt::MatchExactly));
  }
  {
    const QSignalBlocker block(bandCombo);
    bandCombo->clear();
    bandCombo->addItems(Listed(view.bandItems));
    bandCombo->setCurrentIndex(bandCombo->findText(FieldText(view.band), Qt::MatchExactly));
  }
  dateBox->setText(FieldText(view.date));
}

void RadioInfoFields::rebuildBands() {
  const QSignalBlocker block(bandCombo);
  bandCombo->clear();
  bandCombo->addItems(Listed(RadioInfoBandItems(FieldBytes(modelCombo->currentText()))));
  bandCombo->setCurrentIndex(bandCombo->count() > 0 ? 0 : -1);
}

}  // namespace kr4100
