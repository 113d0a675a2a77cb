// SPDX-License-Identifier: GPL-3.0-or-later
// Walks through test mode in the windows against the in-process virtual radio, on a real
// display, and saves a picture of each stage: for looking at the windows, not for the suite.
// Usage: test-mode-walkthrough LANGUAGE(1|2) OUTPUT_DIR
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "support/test_installation.h"
#include "support/test_mode_link.h"
#include "testmode/frm_test_mode.h"
#include "testmode/frm_test_mode_para.h"

using namespace kr4100;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const int language = QString::fromLocal8Bit(argv[1]).toInt();
  const QDir out(QString::fromLocal8Bit(argv[2]));
  kr4100::testing::TestInstallation inst;
  inst.ctx->settings().currentLanguage = language;
  RadioConfig& r = inst.ctx->doc().working();
  r.TestFreCount = 6;
  const char* rx[6] = {"28000000", "28300000", "28600000", "28900000", "29200000", "29700000"};
  const char* tx[6] = {"28010000", "28310000", "28610000", "28910000", "29210000", "29690000"};
  for (int i = 0; i < 6; ++i) {
    r.TestFre[static_cast<std::size_t>(i)].No = i + 1;
    r.TestFre[static_cast<std::size_t>(i)].RxFre = rx[i];
    r.TestFre[static_cast<std::size_t>(i)].TxFre = tx[i];
  }
  sim::VirtualRadio radio;
  sim::TestModeResponder responder(radio);
  responder.setTestChannels(r);
  kr4100::testing::TestModeLink link(radio);
  TestModeDriver driver(link);
  link.driver = &driver;
  link.autoPump = true;
  link.onEntered = [&] { link.window = FrmTestMode::open(driver, *inst.ctx, nullptr); };
  driver.start({"sim", 1, 0}, inst.ctx->doc().working());
  int shot = 0;
  auto wait = [] { QTest::qWait(250); };
  auto snap = [&](QWidget* w, const char* what) {
    wait();
    w->grab().save(out.filePath(
        QStringLiteral("%1-%2-%3.png").arg(language).arg(++shot).arg(QLatin1String(what))));
  };
  wait();
  FrmTestMode* w = link.window;
  if (!w) return 1;
  snap(w, "entered");
  auto button = [&](QWidget* on, const char* name) {
    on->findChild<QPushButton*>(QLatin1String(name))->click();
    wait();
  };
  emit w->findChild<QComboBox*>(QStringLiteral("ComboChannel"))->activated(2);
  emit w->findChild<QComboBox*>(QStringLiteral("ComboSignalling"))->activated(8);
  button(w, "CommandPTT");
  snap(w, "channel3-signalling9-transmitting");
  button(w, "CommandNarrow");
  snap(w, "released-narrow");
  button(w, "CommandWide");
  w->findChild<QListWidget*>(QStringLiteral("ListItem"))->setCurrentRow(0);
  button(w, "CommandTuning");
  FrmTestModePara* para = w->para();
  if (!para) return 1;
  snap(para, "rf-high-power");
  para->findChild<QSlider*>(QStringLiteral("Slider1_0"))->setValue(140);
  para->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(3);
  button(para, "CommandPTT");
  snap(para, "center-page-after-group-move-ptt");
  button(para, "CommandOK");
  button(para, "CommandCancel");
  wait();
  button(w, "CommandNarrow");
  w->findChild<QListWidget*>(QStringLiteral("ListItem"))->setCurrentRow(3);
  button(w, "CommandTuning");
  if (!w->para()) return 1;
  snap(w->para(), "max-deviation-narrow");
  w->para()->close();
  button(w, "CommandWide");
  w->findChild<QListWidget*>(QStringLiteral("ListItem"))->setCurrentRow(3);
  button(w, "CommandTuning");
  snap(w->para(), "max-deviation-wide");
  w->para()->close();
  wait();
  w->findChild<QListWidget*>(QStringLiteral("ListItem"))->setCurrentRow(11);
  button(w, "CommandTuning");
  button(w->para(), "CommandStart");
  QTest::qWait(1200);
  snap(w->para(), "battery-polling");
  w->para()->close();
  wait();
  snap(w, "after-adjusting");
  w->close();
  QTest::qWait(300);
  return responder.inTestMode() || link.portOpen ? 1 : 0;
}
