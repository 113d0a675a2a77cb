// SPDX-License-Identifier: GPL-3.0-or-later
// The radio commands against the in-process virtual radio: read, write and their round trip,
// the questions and refusals around them, the group write with its dialog and progress window,
// and the radio-information window.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "gui/ui_context.h"
#include "radioinfo/frm_emg.h"
#include "app/frm_m_progress.h"
#include "app/frm_mul_set.h"
#include "app/frm_progress.h"
#include "app/radio_sessions.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"
#include "platform/virtual_radio_host.h"
#include "sim/virtual_radio.h"

using namespace kr4100;
using kr4100::testing::ScriptedPrompter;

namespace {

const QString kReadQuestion = QStringLiteral("Read data from radio.\r\nDo you wish continue?");
const QString kWriteQuestion = QStringLiteral("Write data to radio.\r\nDo you wish continue?");
const QString kReadCompleted = QStringLiteral("Read Data Completed.");
const QString kWriteCompleted = QStringLiteral("Write Data Completed.");
const QString kRadioCountInvalid = QStringLiteral("The number of radios must be a whole number of at least 1.");

struct Harness : kr4100::testing::TestInstallation {
  QWidget mainWindow;
  std::unique_ptr<RadioSessions> sessions;
  int readCompletedCalls = 0;

  Harness() {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    newSessions();
  }

  // A fresh command object, as after a restart of the program: the virtual radio is loaded anew.
  void newSessions() {
    sessions = std::make_unique<RadioSessions>(*ctx, &mainWindow);
    // Replies at once: QTRY's polling sleeps between event rounds and would otherwise set the pace.
    sessions->setVirtualRadioSpeed(0);
    QObject::connect(sessions.get(), &RadioSessions::readCompleted, [this] { ++readCompletedCalls; });
  }

  std::filesystem::path radioFile() const { return app->userDataDir / "virtual-radio.img"; }
  template <class T>
  T* find(const char* name = nullptr) const {
    return mainWindow.findChild<T*>(name ? QString::fromLatin1(name) : QString());
  }
  QString rxOfChannel(int chNum) {
    const int slot = ctx->doc().FindChannelSlot(chNum, 0);
    return slot == 0 ? QString() : QString::fromStdString(ctx->doc().working().slot(slot, 0).RxFre.text());
  }
};

}  // namespace

class RadioSessionsTest : public QObject {
  Q_OBJECT

 private slots:
  void writeThenReadGivesTheChangedChannelBack();
  void declinedOrImpossibleSessionsSendNothing();
  void groupCountDialogFiltersAndRefuses();
  void groupWriteCountsRadiosAndClosingEndsIt();
  void radioInformationShowsEveryField();
  void radioInformationIsTheRadiosOwn();
  void virtualRadioPacesRepliesAndKeepsOnlyWholeImages();
};

void RadioSessionsTest::writeThenReadGivesTheChangedChannelBack() {
  Harness h;
  h.ctx->settings().verifyAfterWrite = false;  // the write alone: its percentage only rises
  h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");
  bool committed = false;
  connect(h.sessions.get(), &RadioSessions::pendingEditsNeeded, this, [&] { committed = true; });

  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();
  QVERIFY(committed);
  auto* progress = h.find<FrmProgress>("FrmProgress");
  QVERIFY(progress && progress->isVisible());
  QCOMPARE(progress->windowTitle(), QStringLiteral("Write data to radio"));
  QCOMPARE(progress->findChild<QLabel*>("Label1")->text(), QStringLiteral("Completion percentage:"));
  QCOMPARE(progress->findChild<QLabel*>("Label2")->text(), QStringLiteral("0%"));
  QVERIFY(h.sessions->busy());
  QList<int> shown;
  connect(progress->findChild<QProgressBar*>("ProgressBar1"), &QProgressBar::valueChanged, this,
          [&](int value) { shown << value; });
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 8000);
  QVERIFY(shown.size() > 50);
  QVERIFY(std::is_sorted(shown.begin(), shown.end()));
  QCOMPARE(shown.back(), 100);
  QCOMPARE(h.prompter.asked, (QStringList{kWriteQuestion, kWriteCompleted}));
  QVERIFY(!h.sessions->busy());
  QTRY_VERIFY(!h.find<FrmProgress>("FrmProgress"));
  QCOMPARE(std::filesystem::file_size(h.radioFile()), std::uintmax_t{8192});

  // A new document has no channel 9; a read through a restarted program brings it back from the
  // radio's stored memory.
  h.ctx->doc().ResetToNewDocument(TemplateKind::NewDocument);
  h.ctx->doc().state().fileName = "/somewhere/saved.dat";
  h.ctx->doc().state().neverSaved = false;
  QVERIFY(h.rxOfChannel(9).isEmpty());
  h.newSessions();
  h.prompter.asked.clear();
  h.prompter.answers = {Answer::Ok};
  h.sessions->readFromRadio();
  progress = h.find<FrmProgress>("FrmProgress");
  QVERIFY(progress && progress->isVisible());
  QCOMPARE(progress->windowTitle(), QStringLiteral("Read data from radio"));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 8000);
  QCOMPARE(h.prompter.asked, (QStringList{kReadQuestion, kReadCompleted}));
  QCOMPARE(h.rxOfChannel(9), QStringLiteral("28500000"));
  QCOMPARE(h.ctx->doc().state().fileName, std::string("new.dat"));
  QVERIFY(h.ctx->doc().state().neverSaved);
  QCOMPARE(h.readCompletedCalls, 1);
}

void RadioSessionsTest::declinedOrImpossibleSessionsSendNothing() {
  Harness h;
  h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");

  // Cancel in the read question: no window, nothing read, the document as it was.
  h.sessions->readFromRadio();
  QCOMPARE(h.prompter.asked, QStringList{kReadQuestion});
  QVERIFY(!h.sessions->busy());
  QVERIFY(!h.find<FrmProgress>("FrmProgress"));
  QCOMPARE(h.rxOfChannel(9), QStringLiteral("28500000"));

  // A record the radio cannot hold is refused before the question, naming the setting.
  h.prompter.asked.clear();
  h.ctx->doc().working().OptFeat[kTot] = 300;
  h.sessions->writeToRadio();
  QCOMPARE(h.prompter.asked.size(), 1);
  QVERIFY(h.prompter.asked[0].startsWith(
      QStringLiteral("Nothing was written to the radio. This setting does not fit the radio's memory:\nTot")));
  QVERIFY(!h.sessions->busy());
  QTest::qWait(100);
  QVERIFY(!std::filesystem::exists(h.radioFile()));

  // A port that does not exist: the port error with why, no question.
  h.prompter.asked.clear();
  h.app->portOverride = "/dev/kr4100-no-such-port";
  h.sessions->readFromRadio();
  QCOMPARE(h.prompter.asked,
           QStringList{QStringLiteral("Cannot Open Communication Port.\r\nThe port does not exist: "
                                      "the cable or USB adapter may be unplugged. Plug it in, or "
                                      "choose another port under Setup.")});
  QVERIFY(!h.sessions->busy());
}

void RadioSessionsTest::groupCountDialogFiltersAndRefuses() {
  Harness h;
  h.sessions->groupWrite();
  auto* dialog = h.find<FrmMulSet>("FrmMulSet");
  QVERIFY(dialog && dialog->isVisible());
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Write to Group of Radios"));
  auto* text1 = dialog->findChild<QLineEdit*>("Text1");
  QCOMPARE(text1->text(), QStringLiteral("10"));
  QCOMPARE(text1->contextMenuPolicy(), Qt::PreventContextMenu);

  text1->clear();
  QTest::keyClicks(text1, QStringLiteral("1a#x*d.E9 b"));
  QCOMPARE(text1->text(), QStringLiteral("1A#*D9B"));
  QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(text1->text(), QStringLiteral("1A#*D9B"));
  QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
  QApplication::sendEvent(text1, &accented);
  QCOMPARE(text1->text(), QStringLiteral("1A#*D9B"));

  auto* ok = dialog->findChild<QPushButton*>("Command1");
  QCOMPARE(ok->text(), QStringLiteral("&OK"));
  // Enter moves on to the next control; it does not press OK.
  dialog->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(dialog));
  text1->setFocus();
  QTest::keyClick(text1, Qt::Key_Return);
  QVERIFY(ok->hasFocus());
  QVERIFY(dialog->isVisible());
  QVERIFY(h.prompter.asked.isEmpty());
  for (const char* refused : {"0", "A", "1A#*D9B"}) {
    h.prompter.asked.clear();
    text1->setText(QString::fromLatin1(refused));
    ok->click();
    QCOMPARE(h.prompter.asked, QStringList{kRadioCountInvalid});
    QVERIFY2(dialog->isVisible(), refused);
  }
  QVERIFY(!h.sessions->busy());

  // Chinese captions; Cancel closes without a session.
  h.ctx->settings().currentLanguage = kChinese;
  dialog->reCaption();
  QCOMPARE(dialog->windowTitle(), QString::fromUtf8("成批写入"));
  QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QString::fromUtf8("对讲机数量"));
  h.prompter.asked.clear();
  dialog->findChild<QPushButton*>("Command2")->click();
  QVERIFY(h.prompter.asked.isEmpty());
  QVERIFY(!h.sessions->busy());
}

void RadioSessionsTest::groupWriteCountsRadiosAndClosingEndsIt() {
  Harness h;
  h.sessions->groupWrite();
  auto* dialog = h.find<FrmMulSet>("FrmMulSet");
  QVERIFY(dialog);
  dialog->findChild<QLineEdit*>("Text1")->setText(QStringLiteral("2"));
  h.prompter.answers = {Answer::Ok};
  dialog->findChild<QPushButton*>("Command1")->click();
  QCOMPARE(h.prompter.asked, QStringList{kWriteQuestion});

  auto* progress = h.find<frmMProgress>("frmMProgress");
  QVERIFY(progress && progress->isVisible());
  QCOMPARE(progress->windowTitle(), QStringLiteral("Write data to radio"));
  auto* bar2 = progress->findChild<QProgressBar*>("ProgressBar2");
  auto* label3 = progress->findChild<QLabel*>("Label3");
  QCOMPARE(bar2->maximum(), 2);
  QCOMPARE(label3->text(), QStringLiteral("1"));
  QCOMPARE(progress->findChild<QLabel*>("Label4")->text(), QStringLiteral("Radio"));
  // After the first radio the second is awaited; its percentage starts again.
  QTRY_VERIFY_WITH_TIMEOUT(label3->text() == QStringLiteral("2"), 8000);
  QCOMPARE(bar2->value(), 2);
  QCOMPARE(progress->findChild<QProgressBar*>("ProgressBar1")->value(), 0);
  QCOMPARE(progress->findChild<QLabel*>("Label2")->text(), QStringLiteral("0%"));
  QVERIFY(!h.prompter.asked.contains(kWriteCompleted));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 9000);
  QVERIFY(!h.sessions->busy());
  QTRY_VERIFY(!h.find<frmMProgress>("frmMProgress"));

  // Closing the window while the next radio is awaited ends the run without a message.
  h.prompter.asked.clear();
  h.sessions->groupWrite();
  dialog = h.find<FrmMulSet>("FrmMulSet");
  QVERIFY(dialog);
  h.prompter.answers = {Answer::Ok};
  dialog->findChild<QPushButton*>("Command1")->click();
  progress = h.find<frmMProgress>("frmMProgress");
  QVERIFY(progress);
  label3 = progress->findChild<QLabel*>("Label3");
  QTRY_VERIFY_WITH_TIMEOUT(label3->text() == QStringLiteral("2"), 8000);
  QVERIFY(h.sessions->busy());
  progress->close();
  QVERIFY(!h.sessions->busy());
  QTest::qWait(200);
  QCOMPARE(h.prompter.asked, QStringList{kWriteQuestion});
}

void RadioSessionsTest::radioInformationShowsEveryField() {
  Harness h;
  h.sessions->readRadioInformation(InfoReadView::EmbeddedInformation);
  QVERIFY(h.prompter.asked.isEmpty());  // no question before reading the information
  QTRY_VERIFY_WITH_TIMEOUT(h.find<FrmEMG>("FrmEMG") != nullptr, 5000);
  FrmEMG* emg = h.find<FrmEMG>("FrmEMG");
  QVERIFY(emg->isVisible());
  QVERIFY(!h.sessions->busy());
  auto text = [&](const char* name) {
    if (auto* line = emg->findChild<QLineEdit*>(QString::fromLatin1(name))) return line->text();
    return emg->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->toPlainText();
  };
  // The virtual radio's factory block.
  QCOMPARE(text("Text1_0"), QStringLiteral("86"));
  QCOMPARE(text("Text1_6"), QStringLiteral("B2403"));
  QCOMPARE(text("Text1_7"), QStringLiteral("0001"));
  QCOMPARE(text("Text1_1"), QStringLiteral("41000A0012345"));
  QCOMPARE(text("Text1_2"), QStringLiteral("20240318"));
  QCOMPARE(text("Text1_3"), QString());
  QCOMPARE(text("Text1_4"), QString());
  QCOMPARE(text("Text1_5"), QStringLiteral("V6.00"));
  QCOMPARE(text("Text1_8"), QStringLiteral("D-0417"));
  QCOMPARE(text("Text1_9"), QStringLiteral("20240402"));
  QCOMPARE(text("Text1_10"), QString());
  QCOMPARE(text("Text1_11"), QString());
  QCOMPARE(emg->findChild<QComboBox*>("Combo1_0")->currentText(), QStringLiteral("KR-4100"));
  QCOMPARE(emg->findChild<QComboBox*>("Combo1_1")->currentText(), QStringLiteral("28.000000 - 29.700000 MHz"));
  // Titled as the command that opens it, not as the message editor.
  QCOMPARE(emg->windowTitle(), QStringLiteral("Local Information"));
  QCOMPARE(emg->findChild<QLabel*>("Label1_4")->text(), QStringLiteral("Producted Date"));

  h.ctx->settings().currentLanguage = kChinese;
  emg->reCaption();
  QCOMPARE(emg->windowTitle(), QString::fromUtf8("本机信息"));
  QCOMPARE(emg->findChild<QLabel*>("LabelAreaCode")->text(), QString::fromUtf8("销售区号"));
  QCOMPARE(emg->findChild<QLabel*>("Label1_7")->text(), QString());
  QCOMPARE(emg->findChild<QLabel*>("Label1_13")->text(), QString::fromUtf8("经手人"));
  QCOMPARE(emg->findChild<QPushButton*>("CommandClose")->text(), QString::fromUtf8("关闭(&C)"));

  emg->findChild<QPushButton*>("CommandClose")->click();
  QTRY_VERIFY(!h.find<FrmEMG>("FrmEMG"));
}

void RadioSessionsTest::radioInformationIsTheRadiosOwn() {
  Harness h;
  sim::VirtualRadio& radio = h.sessions->virtualRadio();
  sim::IdentitySettings identity;
  identity.firmware = "V610";
  radio.setIdentity(identity);
  // The dealer's texts as a Chinese system keeps them: GBK bytes, worked out by hand.
  RadioInfo info = UnpackRadioInfo(radio.memory());
  info.Seller.assign("\xD5\xC5\xC8\xFD");                              // 张三
  info.MaintenanceDescription.assign("\xB8\xFC\xBB\xBB\xCC\xEC\xCF\xDF");  // 更换天线
  // The field ends in the first byte of a character whose second byte did not fit.
  info.DealerCode.assign("D-0417 \xCD\xF5\xBE\xAD\xC0\xED\xD5");          // D-0417 王经理
  PackRadioInfo(info, radio.memory());

  h.sessions->readRadioInformation(InfoReadView::LocalInformation);
  QTRY_VERIFY_WITH_TIMEOUT(h.find<FrmEMG>("FrmEMG") != nullptr, 5000);
  FrmEMG* emg = h.find<FrmEMG>("FrmEMG");
  QCOMPARE(emg->findChild<QLineEdit*>("Text1_11")->text(), QString::fromUtf8("张三"));
  QCOMPARE(emg->findChild<QPlainTextEdit*>("Text1_4")->toPlainText(), QString::fromUtf8("更换天线"));
  QCOMPARE(emg->findChild<QLineEdit*>("Text1_8")->text(), QString::fromUtf8("D-0417 王经理"));
  QCOMPARE(emg->findChild<QLineEdit*>("Text1_0")->text(), QStringLiteral("86"));
  // The firmware the radio named in this session, not the one assumed at start.
  QCOMPARE(emg->findChild<QLineEdit*>("Text1_5")->text(), QStringLiteral("V6.10"));
  QCOMPARE(h.ctx->state().firmwareVersion, std::string("V610"));

  // Read again while the window is open, from a radio that names another firmware.
  identity.firmware = "V620";
  radio.setIdentity(identity);
  h.sessions->readRadioInformation(InfoReadView::EmbeddedInformation);
  QTRY_COMPARE_WITH_TIMEOUT(emg->findChild<QLineEdit*>("Text1_5")->text(),
                            QStringLiteral("V6.20"), 5000);
  QCOMPARE(h.find<FrmEMG>("FrmEMG"), emg);
  emg->close();
}

namespace {

struct SilentPrompter : Prompter {
  Answer ask(Question) override { return Answer::Cancel; }
  Answer identityRefused(const IdentityCheck&) override { return Answer::No; }
  void portError() override {}
};

// Runs a radio-information read on the host and returns how long it took, or -1 on failure.
qint64 TimedInfoRead(VirtualRadioHost& host) {
  const VersionTable versions = VersionTable::BuiltIn();
  TransferSession session(host, versions);
  host.attach(&session);
  // A plain event loop: QTest's waiting sleeps between rounds and would add time of its own.
  QEventLoop loop;
  std::optional<bool> result;
  host.onFinished = [&](SessionKind, bool success) {
    result = success;
    loop.quit();
  };
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  session.setPortSettings({"Virtual radio", 1, 0});
  QElapsedTimer clock;
  clock.start();
  if (!session.open(SessionKind::ReadInfo)) return -1;
  session.start();
  loop.exec();
  host.attach(nullptr);
  return result.value_or(false) ? clock.elapsed() : -1;
}

}  // namespace

void RadioSessionsTest::virtualRadioPacesRepliesAndKeepsOnlyWholeImages() {
  QTemporaryDir dir;
  const std::filesystem::path file = dir.path().toStdString() + "/virtual-radio.img";
  SilentPrompter prompter;

  // At the real pace the 16 blocks with their frames cost about 450 bytes, 10 bits each, at
  // 9600 baud: well over 400 ms.
  {
    VirtualRadioHost host(prompter, file);
    const qint64 paced = TimedInfoRead(host);
    QVERIFY2(paced >= 400, qPrintable(QString::number(paced)));
    host.setSpeedFactor(0);
    const qint64 fast = TimedInfoRead(host);
    QVERIFY2(fast >= 0 && fast < 200, qPrintable(QString::number(fast)));
  }
  QVERIFY(!std::filesystem::exists(file));  // nothing was written to the radio, nothing stored

  // A file of another length is not taken for the radio's memory; a whole image is.
  QFile cut(QString::fromStdString(file.string()));
  QVERIFY(cut.open(QIODevice::WriteOnly));
  cut.write(QByteArray(100, 'x'));
  cut.close();
  {
    VirtualRadioHost host(prompter, file);
    QVERIFY(host.radio().memory() == sim::VirtualRadio::FreshImage(sim::IdentitySettings{}));
  }
  QByteArray image(8192, char(0x5A));
  QVERIFY(cut.open(QIODevice::WriteOnly));
  cut.write(image);
  cut.close();
  {
    VirtualRadioHost host(prompter, file);
    QCOMPARE(host.radio().memory()[0x1F08], std::uint8_t{0x5A});
    QCOMPARE(host.radio().memory()[0x0000], std::uint8_t{0x5A});
  }
}

QTEST_MAIN(RadioSessionsTest)
#include "radio_sessions_test.moc"
