// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_print_select.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/conversions.h"
#include "gui/editor_support.h"
#include "gui/file_dialog_options.h"

namespace kr4100 {

FrmPrintSelect::FrmPrintSelect(UiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("FrmPrintSelect"));
  SetDialogFrame(this);

  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label1_);
  layout->addSpacing(4);
  const QList<PrintPage> pages = AllPrintPages();
  for (int k = 0; k < pages.size(); ++k) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QStringLiteral("Check1_%1").arg(k));
    box->setChecked(true);
    layout->addWidget(box);
    check1_ << box;
  }
  layout->addSpacing(12);

  commandPrint_ = new QPushButton(this);
  commandPrint_->setObjectName(QStringLiteral("CommandPrint"));
  commandPrint_->setDefault(true);
  commandPdf_ = new QPushButton(this);
  commandPdf_->setObjectName(QStringLiteral("CommandPdf"));
  commandCancel_ = new QPushButton(this);
  commandCancel_->setObjectName(QStringLiteral("CommandCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(commandPrint_);
  buttons->addWidget(commandPdf_);
  buttons->addWidget(commandCancel_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  choosePdfPath = [this](const QString& suggested) {
    return QFileDialog::getSaveFileName(this, windowTitle(), suggested,
                                        ctx_.shell(ShellText::PdfFilter), nullptr,
                                        FileDialogOptions(ctx_));
  };
  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };

  connect(commandPrint_, &QPushButton::clicked, this, &FrmPrintSelect::printToPrinter);
  connect(commandPdf_, &QPushButton::clicked, this, &FrmPrintSelect::printToPdf);
  connect(commandCancel_, &QPushButton::clicked, this, &QDialog::reject);
  reCaption();
}

void FrmPrintSelect::reCaption() {
  setWindowTitle(ctx_.shell(ShellText::PrintCaption));
  label1_->setText(ctx_.msg(MessageId::PrintSelection));
  const QList<PrintPage> pages = AllPrintPages();
  for (int k = 0; k < check1_.size(); ++k) check1_[k]->setText(ctx_.pick(PrintPageTitle(pages[k])));
  commandPrint_->setText(ctx_.shell(ShellText::PrintButton));
  commandPdf_->setText(ctx_.shell(ShellText::PdfButton));
  commandCancel_->setText(ctx_.msg(MessageId::CancelButton));
}

QList<PrintPage> FrmPrintSelect::chosenPages() const {
  QList<PrintPage> chosen;
  const QList<PrintPage> pages = AllPrintPages();
  for (int k = 0; k < check1_.size(); ++k)
    if (check1_[k]->isChecked()) chosen << pages[k];
  return chosen;
}

bool FrmPrintSelect::anyChosen() {
  if (!chosenPages().isEmpty()) return true;
  ctx_.tell(MessageId::PrintSelection, MsgIcon::Information);
  return false;
}

void FrmPrintSelect::printToPrinter() {
  if (!anyChosen()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(FileNamePart(ctx_.doc().state().fileName)));
  if (!choosePrinter || !choosePrinter(printer)) return;
  RenderPrintPages(ctx_, chosenPages(), printer);
  accept();
}

void FrmPrintSelect::printToPdf() {
  if (!anyChosen()) return;
  // Suggested beside the document, named after it.
  const QFileInfo document(QString::fromStdString(ctx_.doc().state().fileName));
  const QString folder = document.isAbsolute() ? document.absolutePath() : QDir::homePath();
  QString path = choosePdfPath ? choosePdfPath(QDir(folder).filePath(document.completeBaseName() +
                                                                     QStringLiteral(".pdf")))
                               : QString();
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  if (!PrintPagesToPdf(ctx_, chosenPages(), path)) {
    ctx_.tell(MessageId::FileError, MsgIcon::Critical);
    return;
  }
  accept();
}

}  // namespace kr4100
