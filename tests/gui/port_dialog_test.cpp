// SPDX-License-Identifier: GPL-3.0-or-later
// The port dialog's cable search and its note on what stands in the way of a port, by keyboard.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/frm_com_set.h"
#include "support/test_installation.h"
#include "support/udev_rules.h"

using namespace kr4100;

namespace {

const PortDescription kBuiltIn{"/dev/ttyS0", "ttyS0", {}, {}, {}, {}, {}};
const PortDescription kCable{"/dev/ttyUSB0", "ttyUSB0", "USB Serial", {}, 0x1a86, 0x7523, {}};
const PortDescription kOther{"/dev/ttyUSB1", "ttyUSB1", "FT232R", "FTDI", 0x0403, 0x6001, {}};

// The dialog over ports a test changes, with udev rules of the test's own.
struct Dialog {
  kr4100::testing::TestInstallation h;
  kr4100::testing::UdevRules rules;
  std::vector<PortDescription> ports;
  std::unique_ptr<FrmComSet> dialog;

  explicit Dialog(std::vector<PortDescription> listed, unsigned locale = 0x0409)
      : h(locale), ports(std::move(listed)) {
    dialog = std::make_unique<FrmComSet>(*h.ctx, [this] { return ports; });
    dialog->setUdevRuleDirs(rules.dirs());
    dialog->reCaption();
  }
  QPushButton* find() const { return dialog->findChild<QPushButton*>("CommandFindCable"); }
  QLabel* note() const { return dialog->findChild<QLabel*>("LabelNote"); }
  QComboBox* combo() const { return dialog->findChild<QComboBox*>("Combo1"); }
  // The timer's ticks, without waiting for them.
  void ticks(int n) {
    for (int i = 0; i < n; ++i) dialog->refreshPorts();
  }
};

}  // namespace

class PortDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void findMyCableChoosesThePortThatAppears() {
    Dialog d({kBuiltIn, kOther});
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(d.find()->text(), QStringLiteral("&Find My Cable..."));
    QCOMPARE(d.find()->accessibleName(), QStringLiteral("Find My Cable..."));
    QVERIFY(!d.combo()->accessibleName().isEmpty());
    QVERIFY(!d.note()->accessibleName().isEmpty());

    // By keyboard: Tab from the list to the button, Space, then OK to "unplug it" (the cable is
    // not in yet).
    d.h.prompter.answers = {Answer::Ok};
    d.dialog->show();
    d.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.dialog.get()));
    d.combo()->setFocus();
    QTest::keyClick(d.combo(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.find());
    QTest::keyClick(d.find(), Qt::Key_Space);
    QCOMPARE(d.h.prompter.asked.size(), 1);
    QVERIFY(d.h.prompter.asked.front().startsWith("Unplug the radio's programming cable"));
    QCOMPARE(d.find()->text(), QStringLiteral("&Stop Finding"));
    QVERIFY(d.note()->text().startsWith("Now plug the cable in"));

    d.ticks(3);
    d.ports = {kCable, kBuiltIn, kOther};
    d.ticks(1);
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyS0"));  // seen once only
    d.ticks(1);
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(d.combo()->currentText(), QStringLiteral("ttyUSB0 \u2014 USB Serial (1a86:7523)"));
    QVERIFY(d.note()->text().contains("Your cable is on ttyUSB0"));
    QCOMPARE(d.find()->text(), QStringLiteral("&Find My Cable..."));
    d.dialog->confirm();
    QCOMPARE(d.h.ctx->settings().comDevice, std::string("/dev/ttyUSB0"));
  }

  void searchThatFindsNoneTwoOrIsCancelled() {
    Dialog d({kBuiltIn});
    d.dialog->findCable();  // Cancel to "unplug it": no search
    QCOMPARE(d.find()->text(), QStringLiteral("&Find My Cable..."));

    d.h.prompter.answers = {Answer::Ok};
    d.dialog->findCable();
    d.ticks(31);
    QVERIFY(d.note()->text().startsWith("No port appeared."));
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyS0"));

    d.h.prompter.answers = {Answer::Ok};
    d.dialog->findCable();
    d.ports = {kBuiltIn, kCable, kOther};
    d.ticks(2);
    QVERIFY(d.note()->text().startsWith("More than one port appeared:"));
    QVERIFY(d.note()->text().contains("ttyUSB1 \u2014 FT232R, FTDI (0403:6001)"));

    // Pressed again while it watches: stops.
    d.h.prompter.answers = {Answer::Ok};
    d.dialog->findCable();
    d.dialog->findCable();
    QCOMPARE(d.find()->text(), QStringLiteral("&Find My Cable..."));
    d.ports.push_back({"/dev/ttyACM0", "ttyACM0", {}, {}, 0x2341, 0x0043, {}});
    d.ticks(3);
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyUSB0"));
  }

  // The braille-display service takes the adapter: the port is there for one look only.
  void aVanishingPortNamesTheBrailleService() {
    Dialog d({kBuiltIn}, 0x0804);
    kr4100::testing::UdevRules::Write(d.rules.lib / "85-brltty.rules",
                                      kr4100::testing::kBrailleRuleCh340);
    d.dialog->reCaption();
    // No USB port listed and the rule is there: said before any search.
    QVERIFY(d.note()->text().contains("brltty"));
    QVERIFY(d.note()->text().contains("sudo systemctl mask brltty-udev.service"));
    QVERIFY(!d.note()->text().contains('\r'));
    QCOMPARE(d.find()->text(), QStringLiteral("查找我的数据线(&F)..."));

    d.h.prompter.answers = {Answer::Ok};
    d.dialog->findCable();
    d.ports = {kBuiltIn, kCable};
    d.ticks(1);
    d.ports = {kBuiltIn};
    d.ticks(1);
    QVERIFY(d.note()->text().startsWith("一个端口出现后随即又消失了"));
    QVERIFY(d.note()->text().contains("85-brltty.rules"));
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("/dev/ttyS0"));
  }

  void aSlowAdapterIsNamedWhenChosen() {
    PortDescription slow{"COM12", "COM12", "USB Serial Port", "FTDI", 0x0403, 0x6001, 16};
    PortDescription quick{"COM3", "COM3", "USB Serial Port", "FTDI", 0x0403, 0x6001, 2};
    Dialog d({quick, slow});
    QVERIFY(!d.note()->isVisibleTo(d.dialog.get()));
    d.combo()->setFocus();
    QTest::keyClick(d.combo(), Qt::Key_Down);
    QCOMPARE(d.dialog->chosenPort(), QStringLiteral("COM12"));
    QVERIFY(d.note()->isVisibleTo(d.dialog.get()));
    QVERIFY(d.note()->text().startsWith("This adapter's latency timer is 16 ms"));
    QVERIFY(d.note()->text().contains("Port Settings, Advanced, Latency Timer"));
  }
};

QTEST_MAIN(PortDialogTest)
#include "port_dialog_test.moc"
