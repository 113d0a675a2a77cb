#include "radioinfo/radio_info_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

#include "gui/key_filters.h"

namespace kr4100 {
namespace {

constexpr Bilingual kModelType{"Model Type", "机型类型"};
constexpr Bilingual kFrequency{"Frequency", "频率"};
constexpr Bilingual kSerialNumber{"Serial Number", "序号"};

QStringList Listed(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << FieldText(item);
  return list;
}

}  // namespace

QString FieldText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FieldBytes(const QString& text) { return text.toLatin1().toStdString(); }

void SetLabelText(QLabel* label, const QString& text) {
  label->setText(text);
  if (QWidget* buddy = label->buddy()) buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
}

RadioInfoFields::RadioInfoFields(QWidget* window, UiContext& ctx) : ctx_(ctx) {
  label1 = new QLabel(window);
  label1->setObjectName(QStringLiteral("Label1"));
  label2 = new QLabel(window);
  label2->setObjectName(QStringLiteral("Label2"));
  label3 = new QLabel(window);
  label3->setObjectName(QStringLiteral("Label3"));
  combo1 = new QComboBox(window);
  combo1->setObjectName(QStringLiteral("Combo1"));
  combo2 = new QComboBox(window);
  combo2->setObjectName(QStringLiteral("Combo2"));
  // Wide enough for this radio's band texts, the longest the list holds.
  combo2->setMinimumContentsLength(26);
  text1 = new QLineEdit(window);
  text1->setObjectName(QStringLiteral("Text1"));
  for (QWidget* control : {static_cast<QWidget*>(combo1), static_cast<QWidget*>(combo2),
                           static_cast<QWidget*>(text1)})
    EnterMovesFocus(control);

  label1->setBuddy(combo1);
  label2->setBuddy(combo2);
  label3->setBuddy(text1);
  form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->addRow(label1, combo1);
  form->addRow(label2, combo2);
  form->addRow(label3, text1);

  // The user's pick only: showing the record's model must keep its stored band.
  QObject::connect(combo1, &QComboBox::activated, window, [this] { rebuildBands(); });
}

void RadioInfoFields::reCaption() {
  SetLabelText(label1, ctx_.pick(kModelType));
  SetLabelText(label2, ctx_.pick(kFrequency));
  SetLabelText(label3, ctx_.pick(kSerialNumber));
}

void RadioInfoFields::show(const RadioInfoView& view) {
  {
    const QSignalBlocker block(combo1);
    combo1->clear();
    combo1->addItems(Listed(view.modelItems));
    combo1->setCurrentIndex(combo1->findText(FieldText(view.model), Qt::MatchExactly));
  }
  {
    const QSignalBlocker block(combo2);
    combo2->clear();
    combo2->addItems(Listed(view.bandItems));
    combo2->setCurrentIndex(combo2->findText(FieldText(view.band), Qt::MatchExactly));
  }
  text1->setText(FieldText(view.date));
}

void RadioInfoFields::rebuildBands() {
  const QSignalBlocker block(combo2);
  combo2->clear();
  combo2->addItems(Listed(RadioInfoBandItems(FieldBytes(combo1->currentText()))));
  combo2->setCurrentIndex(combo2->count() > 0 ? 0 : -1);
}

}  // namespace kr4100
