// kr4100: the desktop program. Start-up, the splash, then the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

#include "app/app_context.h"
#include "app/frm_main.h"
#include "app/splash.h"
#include "platform/user_prompter.h"

namespace {

unsigned SystemLocaleId() {
  const QLocale system = QLocale::system();
  return system.language() == QLocale::Chinese && system.territory() == QLocale::China
             ? kr4100::kChinesePrcLocale
             : 0x0409u;
}

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("KR_4100"));
  QCoreApplication::setApplicationName(QStringLiteral("kr4100"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("KR-4100 programming software"));
  parser.addHelpOption();
  const QCommandLineOption groupWrite(QStringLiteral("group-write"),
                                      QStringLiteral("Offer writing to a group of radios."));
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("Serial device to use, e.g. /dev/ttyUSB0."),
                                QStringLiteral("DEVICE"));
  // For documentation and checks: grab the main window once it has settled, save it, and quit.
  QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                QStringLiteral("Save a picture of the main window."),
                                QStringLiteral("FILE"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({groupWrite, port, screenshot});
  parser.process(app);

  kr4100::MessageBoxPrompter prompter;
  kr4100::AppContext ctx(kr4100::InstallLayout{ToPath(QCoreApplication::applicationDirPath())},
                         prompter);
  if (parser.isSet(port)) ctx.portOverride = parser.value(port).toStdString();
  ctx.startup(SystemLocaleId(),
              ToPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  ctx.userDataDir = ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  if (parser.isSet(groupWrite)) ctx.groupWriteEnabled = true;
  if (!ctx.portOverride.empty()) ctx.settings().comDevice = ctx.portOverride;

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
