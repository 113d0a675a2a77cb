// SPDX-License-Identifier: GPL-3.0-or-later
// The channel edit dialog: receive and transmit frequency of a channel chosen by number, stored
// through the same document routine as the channel grid. Modeless, opened from the grid.
#pragma once

#include <QDialog>
#include <QStringList>

#include "gui/editor_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kr4100 {

// Items of the QT/DQT decode and encode lists: "OFF", the QT tones, the DQT codes normal, then
// the same codes inverted.
QStringList ToneListItems();

class FrmCHInfoEdit : public QDialog, public EditorWindow {
  Q_OBJECT
 public:
  explicit FrmCHInfoEdit(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmCHInfoEdit() override;

  void reCaption() override;
  // The grid tells the dialog about its cursor; the dialog keeps its own channel.
  void SetGridEditData(bool) {}
  // Stores what a frequency field holds and has not stored yet.
  void commitPendingEdit() override;
  // The chosen channel as the record now holds it: a number chosen, or the record put back as a
  // whole. Leaving a field untouched thus never overwrites or deletes the channel.
  void ReShowData() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void createControls();
  QWidget* createSignallingPage();
  void layOut(QWidget* signallingPage);
  int chosenChannel() const;
  // The chosen channel's frequency of a column as shown, empty when the channel does not exist.
  QString channelText(int column) const;
  void storeField(QLineEdit* field);

  bool storing_ = false;
  QLabel* channelLabel_ = nullptr;
  QComboBox* channelCombo_ = nullptr;
  QLineEdit* rxBox_ = nullptr;
  QLineEdit* txBox_ = nullptr;
  QLabel* fieldLabels_[11] = {};  // the two frequencies, then the signalling lists
  // This radio's channel entry has no place for these: shown greyed, never stored.
  QComboBox* signallingLists_[9] = {};
  QCheckBox* signallingChecks_[3] = {};
};

}  // namespace kr4100
