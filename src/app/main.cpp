// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100: the desktop program. Start-up, the splash, then the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

#include "app/frm_main.h"
#include "app/splash.h"
#include "core/settings/app_state.h"
#include "core/settings/program_version.h"
#include "gui/accessibility.h"
#include "gui/qt_paths.h"
#include "gui/ui_context.h"
#include "platform/user_prompter.h"

namespace {

unsigned SystemLocaleId() {
  const QLocale system = QLocale::system();
  return system.language() == QLocale::Chinese && system.territory() == QLocale::China
             ? kr4100::kChinesePrcLocale
             : 0x0409u;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("KR_4100"));
  QCoreApplication::setApplicationName(QStringLiteral("kr4100"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kr4100::kProgramVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("KR-4100 programming software"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption groupWrite(QStringLiteral("group-write"),
                                      QStringLiteral("Offer writing to a group of radios."));
  const QCommandLineOption service(
      QStringLiteral("service"),
      QStringLiteral(
          "Show the service functions (signalling, test frequencies, tools, test mode)."));
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("Serial device to use, e.g. /dev/ttyUSB0."),
                                QStringLiteral("DEVICE"));
  // For documentation and checks: grab the main window once it has settled, save it, and quit.
  QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                QStringLiteral("Save a picture of the main window."),
                                QStringLiteral("FILE"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({groupWrite, service, port, screenshot});
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("Data file to open at start (*.dat)."),
                               QStringLiteral("[FILE]"));
  parser.process(app);

  using kr4100::ToPath;
  kr4100::MessageBoxPrompter prompter;
  kr4100::AppState state(kr4100::InstallLayout{ToPath(QCoreApplication::applicationDirPath())});
  if (parser.isSet(port)) state.portOverride = parser.value(port).toStdString();
  state.startup(SystemLocaleId(),
                ToPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  state.userDataDir = ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  if (parser.isSet(groupWrite)) state.groupWriteEnabled = true;
  if (parser.isSet(service)) state.serviceFunctions = true;
  if (!parser.positionalArguments().isEmpty())
    state.startFile = ToPath(parser.positionalArguments().constFirst());
  kr4100::UiContext ctx(state, prompter);
  kr4100::NameToolkitDialogs(&app);

  std::unique_ptr<kr4100::frmMain> mainWindow;
  const QString screenshotFile = parser.value(screenshot);
  auto* splash = new kr4100::frmSplash(ctx, [&] {
    mainWindow = std::make_unique<kr4100::frmMain>(ctx);
    prompter.setParent(mainWindow.get());
    mainWindow->show();
    if (!screenshotFile.isEmpty()) {
      QTimer::singleShot(1000, mainWindow.get(), [&] {
        const bool saved = mainWindow->grab().save(screenshotFile);
        QCoreApplication::exit(saved ? 0 : 1);
      });
    }
  });
  splash->show();
  splash->repaint();

  const int status = app.exec();
  prompter.setParent(nullptr);
  return status;
}
