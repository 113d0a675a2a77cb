// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog: which configuration pages to print, and whether to a printer or a PDF file.
#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "gui/ui_context.h"
#include "app/print_pages.h"

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace kr4100 {

class FrmPrintSelect : public QDialog {
  Q_OBJECT
 public:
  explicit FrmPrintSelect(UiContext& ctx, QWidget* parent = nullptr);

  void reCaption();
  QList<PrintPage> chosenPages() const;

  // "Print...": the printer dialog, then the chosen pages on the printer; closes when printed.
  void printToPrinter();
  // "PDF...": a file dialog for the PDF, then the chosen pages into it; closes when written.
  void printToPdf();

  // Replaceable so that tests meet no native dialog. The PDF path chooser gets a suggested path
  // and returns the chosen one ("" when cancelled); the printer chooser returns false when
  // cancelled.
  std::function<QString(const QString& suggested)> choosePdfPath;
  std::function<bool(QPrinter& printer)> choosePrinter;

 private:
  bool anyChosen();

  UiContext& ctx_;
  QLabel* label1_ = nullptr;
  QList<QCheckBox*> check1_;
  QPushButton* commandPrint_ = nullptr;
  QPushButton* commandPdf_ = nullptr;
  QPushButton* commandCancel_ = nullptr;
};

}  // namespace kr4100
