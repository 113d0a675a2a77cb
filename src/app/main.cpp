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

struct StartOptions {
  bool groupWrite = false;
  bool service = false;
  QString port;        // empty: the settings' port
  QString screenshot;  // empty: none
  QString file;        // the data file to open at start; empty: none
};

// The command line; --help and --version print and quit here.
StartOptions ParseOptions(const QApplication& app) {
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
  const QStringList files = parser.positionalArguments();
  return {parser.isSet(groupWrite), parser.isSet(service), parser.value(port),
          parser.value(screenshot), files.isEmpty() ? QString() : files.constFirst()};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("KR_4100"));
  QCoreApplication::setApplicationName(QStringLiteral("kr4100"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kr4100::kProgramVersion));

  const StartOptions options = ParseOptions(app);
  using kr4100::ToPath;
  kr4100::MessageBoxPrompter prompter;
  kr4100::AppState state(kr4100::InstallLayout{ToPath(QCoreApplication::applicationDirPath())});
  state.portOverride = options.port.toStdString();
  state.startup(SystemLocaleId(),
                ToPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  state.userDataDir = ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  state.groupWriteEnabled = options.groupWrite;
  state.serviceFunctions = options.service;
  if (!options.file.isEmpty()) state.startFile = ToPath(options.file);
  kr4100::UiContext ctx(state, prompter);
  kr4100::NameToolkitDialogs(&app);

  std::unique_ptr<kr4100::frmMain> mainWindow;
  const QString screenshotFile = options.screenshot;
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
