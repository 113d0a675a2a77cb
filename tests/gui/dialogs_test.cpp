// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's modal dialogs (language, port, model) and printing, driven without exec().
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/frm_about.h"
#include "app/frm_com_set.h"
#include "app/frm_model_info.h"
#include "app/frm_print_select.h"
#include "app/frm_set_language.h"
#include "app/print_pages.h"
#include "gui/editor_support.h"
#include "gui/ui_context.h"
#include "support/scripted_prompter.h"
#include "support/test_installation.h"

using namespace kr4100;
using kr4100::testing::ScriptedPrompter;

namespace {

// A fresh installation (templates from the build, no settings file yet) started on a system
// with the given locale.
struct Harness : kr4100::testing::TestInstallation {
  explicit Harness(unsigned locale = 0x0409) : TestInstallation(locale) {}

  // What the settings file on disk holds now.
  QString stored(const char* key) const {
    const auto value = IniFile::Open(app->settingsFile().path()).read("language", key);
    return value ? QString::fromStdString(*value) : QString();
  }
};

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// Ports the system knows by name only.
std::vector<PortDescription> Listed(const QStringList& names) {
  std::vector<std::string> ports;
  for (const QString& name : names) ports.push_back(name.toStdString());
  return NamesOnly(ports);
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Western captions lose the "&" alone; Chinese ones the whole bracket that carries the key,
  // wherever it stands, and an escaped "&&" stays one "&".
  void captionsLoseTheirAccelerator() {
    const std::pair<const char*, const char*> cases[] = {{"&Open", "Open"},
                                                         {"P&DF...", "PDF..."},
                                                         {"读取(&R)", "读取"},
                                                         {"打印(&P)...", "打印..."},
                                                         {"(&W)", ""},
                                                         {"Save && E&xit", "Save & Exit"},
                                                         {"DTMF(双音多频)(&D)", "DTMF(双音多频)"},
                                                         {"(&&)", "(&)"},
                                                         {"Trailing &", "Trailing "}};
    for (const auto& [caption, plain] : cases)
      QCOMPARE(WithoutAccelerator(QString::fromUtf8(caption)), QString::fromUtf8(plain));
  }

  void languageListFollowsTheSystemLanguage() {
    Harness english;
    FrmSetLanguage dialog(*english.ctx);
    QCOMPARE(Items(dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))), QStringList{"English"});

    Harness chinese(0x0804);
    QCOMPARE(chinese.ctx->language(), 2);
    FrmSetLanguage zh(*chinese.ctx);
    auto* combo = zh.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(Items(combo), (QStringList{QStringLiteral("英语"), QStringLiteral("中文")}));
    QCOMPARE(combo->currentText(), QStringLiteral("中文"));
    QCOMPARE(zh.windowTitle(), QStringLiteral("语言设置"));
  }

  void languageOkStoresTheChoiceAndTellsWhetherItChanged() {
    Harness h(0x0804);
    h.app->settingsFile().write("language", "CurrentLanguage", "7");  // proves OK writes again
    {
      FrmSetLanguage same(*h.ctx);
      same.confirm();
      QVERIFY(!same.languageChanged());
      QCOMPARE(h.stored("CurrentLanguage"), QStringLiteral("2"));
    }
    FrmSetLanguage dialog(*h.ctx);
    dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);  // "英语"
    dialog.confirm();
    QVERIFY(dialog.languageChanged());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(h.ctx->settings().currentLanguage, 1);
    QCOMPARE(h.ctx->settings().captionLanguage, 2);  // the main window re-captions later
    QCOMPARE(h.stored("CurrentLanguage"), QStringLiteral("1"));
  }

  void chineseOnAnEnglishSystemIsKeptUntilLeft() {
    Harness h;
    h.ctx->settings().currentLanguage = h.ctx->settings().captionLanguage = 2;  // from an older INI
    {
      // The language in force is shown, and OK keeps it.
      FrmSetLanguage dialog(*h.ctx);
      auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
      QCOMPARE(Items(combo), (QStringList{QStringLiteral("英语"), QStringLiteral("中文")}));
      QCOMPARE(combo->currentText(), QStringLiteral("中文"));
      dialog.confirm();
      QVERIFY(!dialog.languageChanged());
      QCOMPARE(h.ctx->language(), 2);
      QCOMPARE(h.stored("CurrentLanguage"), QStringLiteral("2"));
    }
    {
      FrmSetLanguage dialog(*h.ctx);
      dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
      dialog.confirm();
      QVERIFY(dialog.languageChanged());
      QCOMPARE(h.ctx->language(), 1);
    }
    // Once left, it is not offered again on this system.
    FrmSetLanguage dialog(*h.ctx);
    QCOMPARE(Items(dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))), QStringList{"English"});
  }

  void englishOnAChineseSystemIsPreselected() {
    Harness h(0x0804);
    h.ctx->settings().currentLanguage = h.ctx->settings().captionLanguage = 1;
    FrmSetLanguage dialog(*h.ctx);
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(Items(combo), (QStringList{"English", "Chinese"}));
    QCOMPARE(combo->currentText(), QStringLiteral("English"));
    dialog.confirm();
    QVERIFY(!dialog.languageChanged());
    QCOMPARE(h.ctx->language(), 1);
  }

  void modelReconfirmedAsksNothing() {
    Harness h;
    const RadioConfig before = h.ctx->doc().working();
    FrmModelInfo dialog(*h.ctx);
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(),
             QStringLiteral("HT52"));
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("Combo2"))->currentText(),
             QStringLiteral("28.000000 - 29.700000 MHz"));
    // Enter moves on through the lists instead of confirming.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* combo1 = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo1->setFocus();
    QTest::keyClick(combo1, Qt::Key_Return);
    QCOMPARE(dialog.focusWidget(), dialog.findChild<QComboBox*>(QStringLiteral("Combo2")));
    QVERIFY(dialog.isVisible());
    dialog.confirm();
    QVERIFY(h.prompter.asked.isEmpty());
    QVERIFY(!dialog.modelChanged());
    QVERIFY(h.ctx->doc().working() == before);
  }

  void modelChangeWarnsAndSetsCodesAndBand() {
    Harness h;
    auto chooseHt63 = [](FrmModelInfo& dialog) {
      auto* combo1 = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
      auto* combo2 = dialog.findChild<QComboBox*>(QStringLiteral("Combo2"));
      combo1->setEditText(QStringLiteral(" HT63 "));
      QCOMPARE(Items(combo2), QStringList{"26.51500 - 27.85500 MHz"});
      QCOMPARE(combo2->currentText(), QStringLiteral("26.51500 - 27.85500 MHz"));
    };
    {
      FrmModelInfo cancelled(*h.ctx);
      chooseHt63(cancelled);
      h.prompter.answers = {Answer::Cancel};
      cancelled.confirm();
      QVERIFY(!cancelled.modelChanged());
      QCOMPARE(h.ctx->doc().state().modelText, std::string("HT52"));
    }
    h.prompter.asked.clear();
    FrmModelInfo dialog(*h.ctx);
    chooseHt63(dialog);
    h.prompter.answers = {Answer::Ok};
    dialog.confirm();
    QCOMPARE(h.prompter.asked, QStringList{"Frequency data will be cleared."});
    QVERIFY(dialog.modelChanged());
    const ModelInfo& info = h.ctx->doc().working().ModelInfo;
    QCOMPARE(info.ModelType, Integer{248});
    QCOMPARE(info.BandType, Integer{0});
    QCOMPARE(info.ModelCode.text(), std::string("HT63"));
    const DocState& state = h.ctx->doc().state();
    QCOMPARE(state.modelText, std::string("HT63"));
    QCOMPARE(state.bandText, std::string("26.51500 - 27.85500 MHz"));
    QCOMPARE(state.edges.lower, 26.515);
    QCOMPARE(state.edges.upper, 27.855);
  }

  // 150 MHz would be stored as 15 MHz: such bands are refused in both languages, asking nothing
  // else, and the dialog stays open for another choice.
  void modelBandsOf100MHzOrMoreAreRefused() {
    const std::pair<unsigned, const char*> languages[] = {
        {0x0409,
         "This frequency band cannot be used: frequencies of 100 MHz or more cannot be stored."},
        {0x0804, "无法使用此频段：不能保存100 MHz及以上的频率。"}};
    for (const auto& [locale, message] : languages) {
      Harness h(locale);
      const RadioConfig before = h.ctx->doc().working();
      FrmModelInfo dialog(*h.ctx);
      auto* combo1 = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
      auto* combo2 = dialog.findChild<QComboBox*>(QStringLiteral("Combo2"));
      for (const char* model : {"541", "542", "7731", "7732"}) {
        combo1->setEditText(QString::fromUtf8(model));
        for (int i = 0; i < combo2->count(); ++i) {
          combo2->setCurrentIndex(i);
          h.prompter.asked.clear();
          h.prompter.answers = {Answer::Ok, Answer::Ok};
          dialog.confirm();
          QCOMPARE(h.prompter.asked, QStringList{QString::fromUtf8(message)});
          QVERIFY(!dialog.modelChanged());
          QVERIFY(dialog.result() != QDialog::Accepted);
        }
      }
      QCOMPARE(h.ctx->doc().state().modelText, std::string("HT52"));
      QCOMPARE(h.ctx->doc().state().bandText, std::string(kBand0Text));
      QVERIFY(h.ctx->doc().working() == before);
    }
  }

  void portChoiceSurvivesRefreshUntilThePortGoes() {
    Harness h;
    QStringList ports{"/dev/ttyS0", "/dev/ttyUSB0", "Virtual radio"};
    FrmComSet dialog(*h.ctx, [&ports] { return Listed(ports); });
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* timer = dialog.findChild<QTimer*>(QStringLiteral("ReShowComPortTimer"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QCOMPARE(dialog.chosenPort(), QStringLiteral("/dev/ttyS0"));  // COM1's device

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(dialog.chosenPort(), QStringLiteral("/dev/ttyUSB0"));
    ports.prepend(QStringLiteral("/dev/ttyACM0"));
    dialog.refreshPorts();
    QCOMPARE(combo->currentText(), QStringLiteral("/dev/ttyUSB0"));

    ports.removeAll(QStringLiteral("/dev/ttyUSB0"));
    dialog.refreshPorts();
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(dialog.chosenPort(), QStringLiteral("/dev/ttyACM0"));
    dialog.confirm();
    QVERIFY(!timer->isActive());
    QCOMPARE(h.ctx->settings().comDevice, std::string("/dev/ttyACM0"));
    QCOMPARE(h.stored("comDevice"), QStringLiteral("/dev/ttyACM0"));
  }

  void portNumbersAndAnEmptyList() {
    Harness h;
    h.ctx->settings().comPort = 4;
    QStringList ports{"COM1", "COM7", "COM123"};
    {
      FrmComSet dialog(*h.ctx, [&ports] { return Listed(ports); });
      QCOMPARE(dialog.chosenPort(), QStringLiteral("COM1"));  // COM4 is not there
      auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
      combo->setFocus();
      QTest::keyClick(combo, Qt::Key_End);
      dialog.confirm();
      QCOMPARE(h.ctx->settings().comPort, 123);
      QCOMPARE(h.stored("comPort"), QStringLiteral("123"));
    }
    ports.clear();
    FrmComSet empty(*h.ctx, [&ports] { return Listed(ports); });
    QVERIFY(empty.chosenPort().isEmpty());
    empty.confirm();
    QCOMPARE(h.ctx->settings().comPort, 0);
    QCOMPARE(h.stored("comPort"), QStringLiteral("123"));  // nothing written
  }

  void virtualRadioIsShownInTheLanguageButStoredByItsName() {
    Harness h(0x0804);
    FrmComSet dialog(*h.ctx, [] { return Listed({"Virtual radio"}); });
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(),
             QStringLiteral("虚拟对讲机"));
    dialog.confirm();
    QCOMPARE(h.ctx->settings().comDevice, std::string("Virtual radio"));
  }

  // Two adapters are told apart by what the system knows of them; the settings keep the device.
  void portsAreListedWithTheirDevicesButStoredByName() {
    Harness h;
    const std::vector<PortDescription> ports{
        {"/dev/ttyUSB0", "ttyUSB0", "USB-Serial Controller", "Prolific Technology Inc.", 0x067b,
         0x2303},
        {"/dev/ttyUSB1", "ttyUSB1", "FT232R USB UART", "FTDI", 0x0403, 0x6001},
        {"/dev/ttyS0", "ttyS0", {}, {}, {}, {}}};
    FrmComSet dialog(*h.ctx, [&ports] { return ports; });
    QCOMPARE(Items(dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))),
             (QStringList{QString::fromUtf8("ttyUSB0 \u2014 USB-Serial Controller, Prolific "
                                            "Technology Inc. (067b:2303)"),
                          QString::fromUtf8("ttyUSB1 \u2014 FT232R USB UART, FTDI (0403:6001)"),
                          QStringLiteral("ttyS0")}));
    QCOMPARE(dialog.chosenPort(), QStringLiteral("/dev/ttyS0"));  // COM1's device
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    dialog.confirm();
    QCOMPARE(h.ctx->settings().comDevice, std::string("/dev/ttyUSB1"));
  }

  void aboutBoxesShowTitleAndVersions() {
    Harness h;
    frmAbout about(*h.ctx, frmAbout::Variant::Program);
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("LabelTitle"))->text(),
             QStringLiteral("KR-4100"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("LabelVersion"))->text(),
             QStringLiteral("Programming software version is V6.00"));
    QVERIFY(about.findChild<QPushButton*>(QStringLiteral("CommandVersions")));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("LabelLicence"))
                ->text()
                .contains("GPL-3.0-or-later"));
    frmAbout versions(*h.ctx, frmAbout::Variant::Versions);
    QVERIFY(versions.findChild<QLabel*>(QStringLiteral("LabelDetails"))
                ->text()
                .contains("DataFile version is V6.00"));
  }

  void printedChannelTableShowsTheGridTexts() {
    Harness h;
    Document& doc = h.ctx->doc();
    doc.working().ChCount = {};  // the template's channels out of the way
    doc.AppendChannel(3, 0, "28.015000");
    doc.AppendChannel(1, 0, "29.600000");
    doc.AppendChannel(60, 2, "28.100000");
    doc.working().slot(1, 0).Busy = 1;  // channel 3
    doc.working().EmbMsg1 = std::string("<A&B>") + '\0';
    doc.working().EmbMsg2 = std::string("\xC4\xE3\xBA\xC3") + '\0';  // 你好 in GBK

    const QString html = PrintPagesHtml(*h.ctx, {PrintPage::Channels, PrintPage::EmbMsg});
    for (const char* text :
         {"Channel Information [Band A]", "CH No.", "RX Frequency", "TX FreQuency", "HI-CUT",
          "+10KHz", "NB/ANL",
          "<td class=\"c\">3</td><td class=\"c\">28.015000</td><td class=\"c\">28.015000</td>"
          "<td class=\"c\">Enable</td><td class=\"c\">Enable</td><td class=\"c\">Disable</td>",
          "Embedded Message", "&lt;A&amp;B&gt;", "你好"})
      QVERIFY2(html.contains(QString::fromUtf8(text)), text);
    QVERIFY(html.indexOf("29.600000") < html.indexOf("28.015000"));  // channel 1 before 3
    QVERIFY(!html.contains("Optional Features"));
    QVERIFY(html.contains("Channel Information [Band C]"));
    for (const char* group : {"[Band B]", "[Band F]"}) QVERIFY2(!html.contains(group), group);
  }

  void printedOptionsKeysAndScanInChinese() {
    Harness h(0x0804);
    RadioConfig& r = h.ctx->doc().working();
    r.OptFeat[kRbFre] = 300;
    r.OptFeat[kBatVoltMin] = 90;
    r.KeyAssign = {9, 255};
    r.ScanInfo[2] = 91;
    const QString html =
        PrintPagesHtml(*h.ctx, {PrintPage::OptFeatures, PrintPage::KeyAssign, PrintPage::ScanInfo});
    for (const char* text : {"可选功能", "RB 频率[Hz]</td><td class=\"c\">3000</td>",
                             "电池电压保护值1--最低[V]</td><td class=\"c\">9.0</td>",
                             "<td class=\"c\">PF1</td><td class=\"c\">取消静噪</td>",
                             "<td class=\"c\">PF2</td><td class=\"c\">无</td>",
                             "回扫时间A[秒]</td><td class=\"c\">5.00</td>", "扫描信息"})
      QVERIFY2(html.contains(QString::fromUtf8(text)), text);
  }

  void printedValuesNoListOffers() {
    Harness h;
    RadioConfig& r = h.ctx->doc().working();
    r.OptFeat[kTot] = 25;  // beyond the list
    r.OptFeat[kEmgCh0 + 1] = -1;
    r.KeyAssign = {8, 0};
    const QString html = PrintPagesHtml(*h.ctx, {PrintPage::OptFeatures, PrintPage::KeyAssign});
    for (const char* text :
         {"Time Out Timer(TOT)[s]</td><td class=\"c\">—</td><td class=\"c\">25</td>",
          "B Emergency Channel</td><td class=\"c\">None</td>",
          "PF1</td><td class=\"c\">Reserved2</td>", "PF2</td><td class=\"c\">Reserved1</td>"})
      QVERIFY2(html.contains(QString::fromUtf8(text)), text);
    // A code the radio does not know is named by its number, as the key window shows it.
    r.KeyAssign = {12, 9};
    const QString keys = PrintPagesHtml(*h.ctx, {PrintPage::KeyAssign});
    QVERIFY(keys.contains(QStringLiteral("PF1</td><td class=\"c\">12</td>")));
    QVERIFY(keys.contains(QStringLiteral("PF2</td><td class=\"c\">Squelch Off</td>")));
  }

  void printDialogWritesAPdf() {
    Harness h;
    h.ctx->doc().AppendChannel(1, 0, "28.015000");
    FrmPrintSelect dialog(*h.ctx);
    const QString path = h.root.filePath(QStringLiteral("sheet"));
    dialog.choosePdfPath = [&path](const QString& suggested) {
      return suggested.endsWith(QStringLiteral("new.pdf")) ? path : QString();
    };
    const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 5);
    for (QCheckBox* box : boxes) box->setChecked(false);
    dialog.printToPdf();
    QCOMPARE(h.prompter.asked, QStringList{"Please select printing items."});
    QVERIFY(!QFileInfo::exists(path + ".pdf"));

    dialog.findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(true);
    dialog.printToPdf();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QFileInfo pdf(path + ".pdf");
    QVERIFY(pdf.exists());
    QVERIFY(pdf.size() > 2000);
    QFile file(pdf.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
