// The option features window: the radio's general options as 22 lists and 18 check boxes.
// Every click goes straight into the option block of the working record.
#pragma once

#include <QWidget>

#include "core/config/document.h"
#include "gui/ui_context.h"

namespace kr4100 {

class FrmOptFeatures : public QWidget, public DocumentObserver {
  Q_OBJECT
 public:
  explicit FrmOptFeatures(UiContext& ctx, QWidget* parent = nullptr);
  ~FrmOptFeatures() override;

  // Refills the lists in the language in force and shows the record's values again.
  void ReShowData();

 private:
  // DocumentObserver
  void documentReplaced() override;

  class Impl;
  Impl* d_;
};

}  // namespace kr4100
