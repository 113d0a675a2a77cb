// SPDX-License-Identifier: GPL-3.0-or-later
// The test mode and adjustment windows against the in-process virtual radio: the bytes each
// control puts on the wire (worked out by hand from the command table), what the pictures, lamp
// and labels show, and the captions in both languages.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "support/test_channels.h"
#include "support/test_installation.h"
#include "support/test_mode_link.h"
#include "testmode/frm_test_mode.h"
#include "testmode/frm_test_mode_para.h"
#include "testmode/test_mode_pictures.h"

using namespace kr4100;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kPress{0x08, 0x0E};
const Bytes kRelease{0x08, 0x0D};

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

QByteArray Hex(const Bytes& b) {
  return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<int>(b.size())).toHex(' ');
}

// In test mode with the radio's test channels 3 and 9 and the test mode window open, as the
// main window opens it when the driver reports test mode entered.
struct Bench : kr4100::testing::TestInstallation {
  sim::VirtualRadio radio;
  sim::TestModeResponder responder{radio};
  kr4100::testing::TestModeLink link{radio};
  TestModeDriver driver{link};

  explicit Bench(int language = kEnglish) {
    ctx->settings().currentLanguage = language;
    RadioConfig& r = ctx->doc().working();
    kr4100::testing::SetTestChannels(r, {{3, "28500000", "28600000"}, {9, "29100000", "29150000"}});
    responder.setTestChannels(r);
    link.driver = &driver;
    link.onEntered = [this] { link.window = FrmTestMode::open(driver, *ctx, nullptr); };
    driver.start({"sim", 1, 0}, r);
    settle();
    link.take();
  }
  ~Bench() {
    if (link.window) {
      link.window->close();
      settle();
    }
  }

  FrmTestMode* window() const { return link.window; }
  FrmTestModePara* para() const { return link.window ? link.window->para() : nullptr; }
  template <class T>
  T* find(const char* name) const {
    return window()->findChild<T*>(QLatin1String(name));
  }
  template <class T>
  T* inPara(const char* name) const {
    return para()->findChild<T*>(QLatin1String(name));
  }
  // The radio answers, then the window's own timers (the one that opens the adjustment window) run.
  void settle() {
    for (int i = 0; i < 5; ++i) {
      link.pump();
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  Bytes sent() {
    settle();
    return link.take();
  }
  void click(const char* name) { find<QPushButton>(name)->click(); }
  void paraClick(const char* name) { inPara<QPushButton>(name)->click(); }
  void choose(const char* combo, int index) { emit find<QComboBox>(combo)->activated(index); }
  void chooseItem(int item) { find<QListWidget>("ListItem")->setCurrentRow(item - 1); }
  // Chooses an item and tunes it; the adjustment window is open afterwards.
  void tune(int item) {
    chooseItem(item);
    click("CommandTuning");
    settle();
    link.take();
  }
  bool shown(const char* name) const { return !find<QWidget>(name)->isHidden(); }
};

#define QCOMPARE_BYTES(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

}  // namespace

class TestModeWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void opensOnTheFirstChannelAndSignallingWithTuningDisabled();
  void pttAndBandwidthSendAndSwapPicturesAndLamp();
  void channelAndSignallingSendOnlyOnAChange();
  void everyOtherControlReleasesPttFirst();
  void tuningOpensOneFourOrSixPointsByItemAndBandwidth();
  void slidersSendAndTheTestPointMovesTheGroup();
  void closingStoresAndCancelPutsBack();
  void measuredItemsPollWithStartAndStop();
  void closingTheWindowReleasesAndLeaves();
  void captionsInBothLanguages();
};

void TestModeWindowsTest::opensOnTheFirstChannelAndSignallingWithTuningDisabled() {
  Bench b;
  QVERIFY(b.window());
  auto* channels = b.find<QComboBox>("ComboChannel");
  QCOMPARE(channels->count(), 2);
  QCOMPARE(channels->itemText(1), QStringLiteral("9"));  // channel numbers, not positions
  QCOMPARE(channels->currentIndex(), 0);
  QCOMPARE(b.find<QComboBox>("ComboSignalling")->count(), 9);
  QCOMPARE(b.find<QLabel>("TextRxChannel")->text(), QStringLiteral("28.500000"));
  QCOMPARE(b.find<QLabel>("TextTxChannel")->text(), QStringLiteral("28.600000"));
  QCOMPARE(b.find<QLabel>("TextRxSignalling")->text(), QString());
  QVERIFY(b.find<QListWidget>("ListItem")->selectedItems().isEmpty());
  QVERIFY(!b.find<QPushButton>("CommandTuning")->isEnabled());
  QVERIFY(b.shown("PictureReleased0") && b.shown("PictureReleased1") && b.shown("PictureWide"));
  QVERIFY(!b.shown("PictureTransmitting0") && !b.shown("PictureTransmitting1") &&
          !b.shown("PictureNarrow"));
  QCOMPARE(b.find<TestModeLamp>("ShapeLamp")->color(), QColor(0, 255, 0));

  b.chooseItem(5);
  QVERIFY(b.find<QPushButton>("CommandTuning")->isEnabled());
  b.chooseItem(2);
  QCOMPARE(b.find<QListWidget>("ListItem")->selectedItems().size(), 1);
  QCOMPARE(b.window()->panel().item(), 2);
  QVERIFY(b.sent().empty());
}

void TestModeWindowsTest::pttAndBandwidthSendAndSwapPicturesAndLamp() {
  Bench b;
  b.click("CommandPTT");
  QCOMPARE_BYTES(b.sent(), kPress);
  QVERIFY(b.responder.pttKeyed());
  QVERIFY(b.find<QPushButton>("CommandPTT")->isChecked());
  QVERIFY(b.shown("PictureTransmitting0") && b.shown("PictureTransmitting1"));
  QVERIFY(!b.shown("PictureReleased0") && !b.shown("PictureReleased1"));
  QCOMPARE(b.find<TestModeLamp>("ShapeLamp")->color(), QColor(255, 0, 0));
  b.click("CommandPTT");
  QCOMPARE_BYTES(b.sent(), kRelease);
  QVERIFY(!b.responder.pttKeyed());
  QVERIFY(!b.find<QPushButton>("CommandPTT")->isChecked());
  QVERIFY(b.shown("PictureReleased0") && !b.shown("PictureTransmitting1"));
  QCOMPARE(b.find<TestModeLamp>("ShapeLamp")->color(), QColor(0, 255, 0));

  b.click("CommandNarrow");
  QCOMPARE_BYTES(b.sent(), (Bytes{0x47}));
  QVERIFY(!b.responder.wide());
  QVERIFY(b.shown("PictureNarrow") && !b.shown("PictureWide"));
  b.click("CommandWide");
  QCOMPARE_BYTES(b.sent(), (Bytes{0x46}));
  QVERIFY(b.responder.wide());
  QVERIFY(!b.shown("PictureNarrow") && b.shown("PictureWide"));
}

void TestModeWindowsTest::channelAndSignallingSendOnlyOnAChange() {
  Bench b;
  b.choose("ComboChannel", 0);
  b.choose("ComboSignalling", 0);
  QVERIFY(b.sent().empty());
  b.choose("ComboChannel", 1);
  QCOMPARE_BYTES(b.sent(), (Bytes{0x10, 0x09, 0x06}));
  QCOMPARE(b.find<QLabel>("TextRxChannel")->text(), QStringLiteral("29.100000"));
  QCOMPARE(b.find<QLabel>("TextTxChannel")->text(), QStringLiteral("29.150000"));
  b.choose("ComboSignalling", 8);
  QCOMPARE_BYTES(b.sent(), (Bytes{0x11, 0x09}));
  QCOMPARE(b.responder.signalling(), 9);
  QCOMPARE(b.find<QLabel>("TextRxSignalling")->text(), QString());
  QCOMPARE(b.find<QLabel>("TextTxSignalling")->text(), QStringLiteral("DTMF TONE 9"));
  b.choose("ComboSignalling", 2);
  QCOMPARE(b.find<QLabel>("TextRxSignalling")->text(), QStringLiteral("QT 67.0Hz"));
  b.choose("ComboChannel", 1);
  QCOMPARE_BYTES(b.sent(), (Bytes{0x11, 0x03}));
}

void TestModeWindowsTest::everyOtherControlReleasesPttFirst() {
  struct Case {
    const char* name;
    std::function<void(Bench&)> act;
    Bytes after;
  };
  const std::vector<Case> cases = {
      {"channel", [](Bench& b) { b.choose("ComboChannel", 1); }, {0x10, 0x09, 0x06}},
      {"signalling", [](Bench& b) { b.choose("ComboSignalling", 4); }, {0x11, 0x05}},
      {"narrow", [](Bench& b) { b.click("CommandNarrow"); }, {0x47}},
      {"print", [](Bench& b) { b.click("CommandPrint"); }, {}},
      {"item", [](Bench& b) { b.chooseItem(3); }, {}},
  };
  for (const Case& c : cases) {
    Bench b;
    b.click("CommandPTT");
    b.sent();
    c.act(b);
    QVERIFY2(b.sent() == Cat({kRelease, c.after}), c.name);
    QVERIFY2(b.shown("PictureReleased0") && !b.find<QPushButton>("CommandPTT")->isChecked(),
             c.name);
    QVERIFY2(!b.responder.pttKeyed(), c.name);
  }
  // Tuning too: released before the block is read.
  Bench b;
  b.chooseItem(7);
  b.click("CommandPTT");
  b.sent();
  b.click("CommandTuning");
  QCOMPARE_BYTES(b.sent(), Cat({kRelease, {0x05, 0x06, 0x07, 0x0D}}));
}

void TestModeWindowsTest::tuningOpensOneFourOrSixPointsByItemAndBandwidth() {
  struct Case {
    int item;
    bool narrow;
    std::vector<bool> enabled;
    int visible;
  };
  const std::vector<Case> cases = {
      {1, false, {true, true, true, true, true, true}, 6},
      {4, false, {true, true, false, true, false, true}, 6},
      {4, true, {true, false, false, false, false, false}, 1},
      {8, true, {true, true, false, true, false, true}, 6},
      {11, false, {true, false, false, false, false, false}, 1},
  };
  for (const Case& c : cases) {
    Bench b;
    if (c.narrow) b.click("CommandNarrow");
    b.sent();
    b.chooseItem(c.item);
    b.click("CommandTuning");
    QCOMPARE_BYTES(b.sent(), (Bytes{0x05, 0x06, static_cast<std::uint8_t>(c.item), 0x0D}));
    QVERIFY(b.para());
    QVERIFY(b.para()->isModal());
    QVERIFY(!b.find<QPushButton>("CommandTuning")->isEnabled());
    QCOMPARE(b.para()->windowTitle(), QString::fromUtf8(AdjustItemName(c.item).en));
    auto* tabs = b.inPara<QTabWidget>("SSTab1");
    QVERIFY(!tabs->isHidden());
    int visible = 0;
    for (int t = 0; t < 6; ++t) {
      QCOMPARE(tabs->isTabEnabled(t), c.enabled[static_cast<std::size_t>(t)]);
      visible += tabs->isTabVisible(t) ? 1 : 0;
    }
    QCOMPARE(visible, c.visible);
    QVERIFY(!b.inPara<QPushButton>("CommandPTT")->isHidden());
    QVERIFY(b.inPara<QPushButton>("CommandStart")->isHidden());
    // The slider shows the test point's value from the block the tune read.
    const int code = PointCode(0, c.item);
    QCOMPARE(b.inPara<QSlider>("Slider1_0")->value(), b.responder.value(code));
    QCOMPARE(b.inPara<QLineEdit>("Text1_0")->text(), QString::number(b.responder.value(code)));
  }
}

void TestModeWindowsTest::slidersSendAndTheTestPointMovesTheGroup() {
  Bench b;
  const int codes[6] = {18, 48, 51, 49, 52, 50};
  for (int i = 0; i < 6; ++i) b.responder.setValue(codes[i], 100 + i);
  b.responder.setValue(52, 250);
  b.tune(1);
  auto* tabs = b.inPara<QTabWidget>("SSTab1");
  // +10 on Test: High' stops the group at +5.
  b.inPara<QSlider>("Slider1_0")->setValue(110);
  QCOMPARE_BYTES(b.sent(), (Bytes{18, 0x20, 105}));
  QCOMPARE(b.inPara<QSlider>("Slider1_0")->value(), 105);
  QCOMPARE(b.inPara<QProgressBar>("ProgressBar1_0")->value(), 105);
  QCOMPARE(b.inPara<QLineEdit>("Text1_4")->text(), QStringLiteral("255"));
  QCOMPARE(b.inPara<QSlider>("Slider1_5")->value(), 110);
  // Another page: asked for by its code, its six values come back and keep the moved ones.
  tabs->setCurrentIndex(3);
  QCOMPARE_BYTES(b.sent(), (Bytes{49, 0x0D, 0x07, 0x06}));
  QCOMPARE(b.inPara<QSlider>("Slider1_3")->value(), 108);
  b.inPara<QSlider>("Slider1_3")->setValue(120);
  QCOMPARE_BYTES(b.sent(), (Bytes{49, 0x20, 120}));
  QCOMPARE(b.responder.value(49), 120);
  QCOMPARE(b.inPara<QProgressBar>("ProgressBar1_3")->value(), 120);
  b.paraClick("CommandOK");
  QCOMPARE_BYTES(b.sent(), (Bytes{49, 0x0E}));
}

void TestModeWindowsTest::closingStoresAndCancelPutsBack() {
  {  // Closing stores the point moved, and only it, PTT released first.
    Bench b;
    b.tune(4);  // wide: Test, Low, Center, High = 24, 36, 37, 38
    b.inPara<QTabWidget>("SSTab1")->setCurrentIndex(1);
    b.inPara<QSlider>("Slider1_1")->setValue(77);
    b.paraClick("CommandPTT");
    QCOMPARE(b.inPara<TestModeLamp>("ShapeLamp")->color(), QColor(255, 0, 0));
    b.sent();
    QVERIFY(b.responder.pttKeyed());
    b.para()->close();
    QCOMPARE_BYTES(b.sent(), Cat({kRelease, {36, 0x0D, 36, 0x20, 77}, {24, 0x0E}}));
    QTRY_VERIFY(!b.para());
    QVERIFY(!b.responder.pttKeyed());
    QVERIFY(b.shown("PictureReleased0"));
    QVERIFY(b.find<QPushButton>("CommandTuning")->isEnabled());
  }
  {  // Cancel stores back what the radio had for the point moved.
    Bench b;
    b.click("CommandNarrow");
    b.tune(9);  // narrow: the test point alone, code 13
    const int opened = b.responder.value(13);
    b.inPara<QSlider>("Slider1_0")->setValue(3);
    QCOMPARE(b.responder.value(13), 3);
    b.sent();
    b.paraClick("CommandCancel");
    const auto v = static_cast<std::uint8_t>(opened);
    QCOMPARE_BYTES(b.sent(), (Bytes{13, 0x0D, 13, 0x20, v, 13, 0x0E}));
    QCOMPARE(b.responder.value(13), opened);
    QTRY_VERIFY(!b.para());
  }
}

void TestModeWindowsTest::measuredItemsPollWithStartAndStop() {
  for (int item = 12; item <= 15; ++item) {
    Bench b;
    b.tune(item);
    QVERIFY(b.inPara<QTabWidget>("SSTab1")->isHidden());
    QVERIFY(b.inPara<QPushButton>("CommandPTT")->isHidden());
    QVERIFY(!b.inPara<QGroupBox>("FramePoll")->isHidden());
    QVERIFY(!b.inPara<QPushButton>("CommandStart")->isHidden());
    auto* timer = b.inPara<QTimer>("TimerPoll");
    auto* lamp = b.inPara<TestModeLamp>("ShapeLamp");
    QVERIFY(!timer->isActive());
    b.paraClick("CommandStart");
    QVERIFY(timer->isActive());
    QCOMPARE(lamp->color(), QColor(255, 255, 0));
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));  // one tick, without waiting for it
    const int code = PointCode(0, item);
    QCOMPARE_BYTES(b.sent(), (Bytes{static_cast<std::uint8_t>(code), 0x0A, 0x06}));
    const int shown = b.inPara<QLineEdit>("TextPoll")->text().toInt();
    QVERIFY(std::abs(shown - b.responder.value(code)) <= 1);
    QCOMPARE(b.inPara<QProgressBar>("ProgressBarPoll")->value(), shown);
    b.paraClick("CommandStart");
    QVERIFY(!timer->isActive());
    QCOMPARE(lamp->color(), QColor(0, 255, 0));
    // A measured item has nothing to store.
    b.para()->close();
    QVERIFY(b.sent().empty());
  }
}

void TestModeWindowsTest::closingTheWindowReleasesAndLeaves() {
  {
    Bench b;
    b.choose("ComboSignalling", 5);
    b.click("CommandPTT");
    b.sent();
    b.click("CommandClose");
    QCOMPARE_BYTES(b.sent(), Cat({kRelease, {0x11, 0x06, 0x45}}));
    QVERIFY(!b.responder.inTestMode());
    QVERIFY(!b.responder.pttKeyed());
    QVERIFY(!b.link.portOpen);
    QTRY_VERIFY(!b.window());
  }
  {  // With the adjustment window open: a moved value is stored before test mode is left.
    Bench b;
    b.tune(11);
    const auto v = static_cast<std::uint8_t>(b.responder.value(27) + 1);
    b.inPara<QSlider>("Slider1_0")->setValue(v);
    b.sent();
    b.window()->close();
    QCOMPARE_BYTES(b.sent(), (Bytes{27, 0x0D, 27, 0x20, v, 27, 0x0E, 0x11, 0x01, 0x45}));
    QVERIFY(!b.link.portOpen);
  }
  {  // Ended at once: both windows go, the radio is told to leave, and nothing is stored.
    Bench b;
    b.tune(3);
    QPointer<FrmTestModePara> para = b.para();
    b.driver.end();
    QCOMPARE(b.link.endedCount, 1);
    QCOMPARE_BYTES(b.sent(), (Bytes{0x11, 0x01, 0x45}));
    QTRY_VERIFY(!b.window() && !para);
  }
}

void TestModeWindowsTest::captionsInBothLanguages() {
  for (const int language : {kEnglish, kChinese}) {
    Bench b(language);
    const bool en = language == kEnglish;
    const auto pick = [en](const char* e, const char* z) { return QString::fromUtf8(en ? e : z); };
    QCOMPARE(b.window()->windowTitle(), pick("Test Mode", "测试模式"));
    QCOMPARE(b.find<QGroupBox>("FrameChannel")->title(), pick("Test Channel", "测试信道"));
    QCOMPARE(b.find<QGroupBox>("FrameSignalling")->title(), pick("Test Signalling", "测试信令"));
    QCOMPARE(b.find<QLabel>("LabelChannel")->text(), pick("Channel No.", "信道编号"));
    QCOMPARE(b.find<QLabel>("LabelSignalling")->text(), pick("Signalling", "信令"));
    QCOMPARE(b.find<QLabel>("LabelRxChannel")->text(), pick("RX", "接收"));
    QCOMPARE(b.find<QLabel>("LabelTxSignalling")->text(), pick("TX", "发射"));
    QCOMPARE(b.find<QPushButton>("CommandWide")->text(), pick("&Wide", "宽带(&W)"));
    QCOMPARE(b.find<QPushButton>("CommandNarrow")->text(), pick("&Narrow", "窄带(&N)"));
    QCOMPARE(b.find<QPushButton>("CommandTuning")->text(), pick("&Tuning", "调协模式(&T)"));
    QCOMPARE(b.find<QPushButton>("CommandClose")->text(), pick("&Close", "关闭(&C)"));
    QCOMPARE(b.find<QPushButton>("CommandPrint")->text(), pick("p&Rint", "打印(&R)"));
    // Screen readers get the caption without its key: the Chinese bracket goes whole.
    QCOMPARE(b.find<QPushButton>("CommandWide")->accessibleName(), pick("Wide", "宽带"));
    QCOMPARE(b.find<QPushButton>("CommandPrint")->accessibleName(), pick("pRint", "打印"));
    QCOMPARE(b.find<QPushButton>("CommandPTT")->text(), QStringLiteral("&PTT"));
    QCOMPARE(b.find<QListWidget>("ListItem")->item(8)->text(), pick("Squelch(Tight)", "最紧静噪"));
    b.choose("ComboSignalling", 8);
    QCOMPARE(b.find<QLabel>("TextTxSignalling")->text(), pick("DTMF TONE 9", "DTMF 音调 9"));
    // Everything a user can reach has a name for assistive tools.
    for (QWidget* w : b.window()->findChildren<QWidget*>())
      if (qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w) ||
          qobject_cast<QListWidget*>(w) || w->objectName().startsWith(QLatin1String("Picture")) ||
          w->objectName().startsWith(QLatin1String("Text")))
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));

    b.tune(6);
    QCOMPARE(b.para()->windowTitle(), pick("DQT Fine Deviation", "DQT细偏差"));
    auto* tabs = b.inPara<QTabWidget>("SSTab1");
    const char* en6[] = {"Test", "Low", "Low'", "Center", "High'", "High"};
    const char* zh6[] = {"测试", "低", "较低", "中心", "较高", "高"};
    for (int t = 0; t < 6; ++t) QCOMPARE(tabs->tabText(t), pick(en6[t], zh6[t]));
    QCOMPARE(b.inPara<QPushButton>("CommandStart")->text(), pick("&Start", "开始(&S)"));
    QCOMPARE(b.inPara<QPushButton>("CommandOK")->text(), pick("&OK", "确定(&O)"));
    QCOMPARE(b.inPara<QPushButton>("CommandCancel")->text(), pick("&Cancel", "取消(&C)"));
    QCOMPARE(b.inPara<QPushButton>("CommandCancel")->accessibleName(), pick("Cancel", "取消"));
    QCOMPARE(b.inPara<QPushButton>("CommandPTT")->text(), QStringLiteral("PTT"));
    for (QWidget* w : b.para()->findChildren<QWidget*>())
      if (qobject_cast<QPushButton*>(w) || qobject_cast<QSlider*>(w) ||
          qobject_cast<QProgressBar*>(w) || qobject_cast<QLineEdit*>(w))
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
  }
}

QTEST_MAIN(TestModeWindowsTest)
#include "test_mode_windows_test.moc"
