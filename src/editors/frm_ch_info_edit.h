// The channel edit dialog: receive and transmit frequency of a channel chosen by number, stored
// through the same document routine as the channel grid. Modeless, opened from the grid.
#pragma once

#include <QDialog>
#include <QStringList>

#include "gui/ui_context.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kr4100 {

// Items of the QT/DQT decode and encode lists: "OFF", the QT tones, the DQT codes normal, then
// the same codes inverted.
QStringList ToneListItems();

class FrmCHInfoEdit : public QDialog {
  Q_OBJECT
 public:
  explicit FrmCHInfoEdit(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmCHInfoEdit() override;

  void reCaption();
  // The grid tells the dialog about its cursor; the dialog keeps its own channel.
  void SetGridEditData(bool) {}
  // Stores what a frequency field holds and has not stored yet.
  void commitPendingEdit();
  // The chosen channel as the record now holds it (the record was put back as a whole).
  void ReShowData() { showChannel(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void build();
  QFrame* createSignallingFrame();
  int chosenChannel() const;
  // The chosen channel's frequency of a column as shown, empty when the channel does not exist.
  QString channelText(int column) const;
  void showChannel();
  void storeField(QLineEdit* field);

  UiContext& ctx_;
  bool ownWarningSink_ = false;
  bool storing_ = false;
  QLabel* label1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLabel* label2_[11] = {};
  QComboBox* combo2_[9] = {};
  QCheckBox* check1_[3] = {};
  QPushButton* commandClose_ = nullptr;
  QPushButton* commandHelp_ = nullptr;
};

}  // namespace kr4100
