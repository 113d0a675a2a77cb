#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include "cli/radio_link.h"

namespace kr4100 {

std::filesystem::path ProgramDataFolder() {
  const QString organisation = QCoreApplication::organizationName();
  const QString application = QCoreApplication::applicationName();
  QCoreApplication::setOrganizationName(QStringLiteral("KR_4100"));
  QCoreApplication::setApplicationName(QStringLiteral("kr4100"));
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QCoreApplication::setOrganizationName(organisation);
  QCoreApplication::setApplicationName(application);
  return std::filesystem::path(folder.toStdU16String());
}

bool RunQtEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  bool over = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&over] { over = true; });
  guard.start(limit);
  // Each call returns once it has handled what woke it, so done() is seen as soon as it holds.
  while (!done() && !over) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

void CliTestModeHost::listen(TestModeListener* listener) {
  connect(this, &QtTestModeHost::messageRaised, this,
          [listener](TestModeMessage message) { listener->messageRaised(message); });
  connect(this, &QtTestModeHost::testModeEntered, this,
          [listener] { listener->testModeEntered(); });
  connect(this, &QtTestModeHost::blockArrived, this,
          [listener](const std::vector<std::uint8_t>& block) { listener->blockArrived(block); });
  connect(
      this, &QtTestModeHost::valuesReceived, this,
      [listener](const std::vector<std::uint8_t>& values) { listener->valuesReceived(values); });
  connect(this, &QtTestModeHost::valuePolled, this,
          [listener](int value) { listener->valuePolled(value); });
  connect(this, &QtTestModeHost::testModeEnded, this, [listener] { listener->testModeEnded(); });
}

}  // namespace kr4100
