// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh installation for one window test: a temporary root with the build's band templates,
// the program's state started in it, and the window context over a scripted prompter.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "core/settings/app_state.h"
#include "gui/ui_context.h"
#include "support/scripted_prompter.h"

namespace kr4100::testing {

struct TestInstallation {
  QTemporaryDir root;
  ScriptedPrompter prompter;
  std::unique_ptr<AppState> app;
  std::unique_ptr<UiContext> ctx;

  // versionIni: the version table to install ("" for none, the built-in one); prepare: what
  // main() would set before start-up (--group-write, --port).
  explicit TestInstallation(unsigned systemLocale = 0x0409, const QByteArray& versionIni = {},
                            const std::function<void(AppState&)>& prepare = {}) {
    if (!versionIni.isEmpty()) {
      QFile ini(root.filePath(QStringLiteral("Version.ini")));
      if (ini.open(QIODevice::WriteOnly)) ini.write(versionIni);
    }
    const std::filesystem::path programDir = root.path().toStdString() + "/V600";
    std::filesystem::create_directories(programDir / "Init");
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(KR4100_PROGRAM_DIR) / "Init"))
      std::filesystem::copy_file(entry.path(), programDir / "Init" / entry.path().filename());
    app = std::make_unique<AppState>(InstallLayout{programDir});
    ctx = std::make_unique<UiContext>(*app, prompter);
    if (prepare) prepare(*app);
    app->startup(systemLocale, root.path().toStdString() + "/user");
    app->userDataDir = root.path().toStdString() + "/data";
  }
};

}  // namespace kr4100::testing
