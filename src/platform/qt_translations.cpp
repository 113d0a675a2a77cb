// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "core/texts/bilingual.h"

namespace kr4100 {

bool UseQtTranslations(int language) {
  // One translator for the whole process, owned by the application so it goes before Qt does.
  static QPointer<QTranslator> installed;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return false;
  if (language != kChinese) {
    if (installed) {
      QCoreApplication::removeTranslator(installed);
      delete installed.data();
    }
    return true;
  }
  if (installed) return true;
  auto* translator = new QTranslator(app);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace kr4100
