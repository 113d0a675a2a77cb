// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

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

bool RunQtEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                      const StopRequest* stop, int wakeFd) {
  bool over = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&over] { over = true; });
  guard.start(limit);
  // A signal arriving while the loop sleeps writes to the pipe, which wakes it; what is in the
  // pipe is read away, the request itself stays set.
  std::optional<QSocketNotifier> wake;
  if (stop != nullptr && wakeFd >= 0) {
    wake.emplace(static_cast<qintptr>(wakeFd), QSocketNotifier::Read);
    QObject::connect(&*wake, &QSocketNotifier::activated, [wakeFd] {
      char bytes[16];
      while (::read(wakeFd, bytes, sizeof bytes) > 0) {
      }
    });
  }
  const auto stopped = [stop] { return stop != nullptr && stop->requested(); };
  // Each call returns once it has handled what woke it, so done() is seen as soon as it holds.
  while (!done() && !over && !stopped())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
