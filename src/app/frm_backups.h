// SPDX-License-Identifier: GPL-3.0-or-later
// File > Backups...: every backup in the backups folder, newest first, with what its name tells
// (date, time, read or write, model, band, firmware), and what can be done with one: open it,
// compare it with the document, write it back to the radio. The main window does each.
#pragma once

#include <QDialog>
#include <filesystem>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kr4100 {

class UiContext;
struct Bilingual;

class FrmBackups final : public QDialog {
  Q_OBJECT
 public:
  FrmBackups(UiContext& ctx, const std::filesystem::path& folder, QWidget* parent);

  QTableWidget* table() const { return table_; }
  QString currentFile() const;  // the backup of the current row; empty when there is none

 signals:
  void openRequested(const QString& path);
  void compareRequested(const QString& path);
  void writeBackRequested(const QString& path);

 private:
  void fill(const UiContext& ctx, const std::filesystem::path& folder);
  QPushButton* button(const UiContext& ctx, const char* name, const Bilingual& text);
  void requestWith(QPushButton* button, void (FrmBackups::*request)(const QString&));

  QLabel* empty_;
  QTableWidget* table_;
  QPushButton* open_;
  QPushButton* compare_;
  QPushButton* writeBack_;
  QPushButton* close_;
};

}  // namespace kr4100
