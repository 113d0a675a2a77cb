// SPDX-License-Identifier: GPL-3.0-or-later
// Backups, read-back verify and the group write's production log, driven through the radio
// commands against the in-process virtual radio, and their menu entries in the main window.
#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/frm_m_progress.h"
#include "app/frm_main.h"
#include "app/frm_mul_set.h"
#include "app/frm_write_preview.h"
#include "app/radio_sessions.h"
#include "core/config/data_file_codec.h"
#include "core/link/backups.h"
#include "gui/ui_context.h"
#include "sim/virtual_radio.h"
#include "support/modal_answer.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

const QString kWriteCompleted = QStringLiteral("Write Data Completed.");
const QString kReadCompleted = QStringLiteral("Read Data Completed.");
const QString kWriteQuestion = QStringLiteral("Write data to radio.\r\nDo you wish continue?");

// What the write confirmation showed: its question, its rows and headings, its buttons.
struct PreviewSeen {
  QString title, question;
  QStringList headings, buttons, names;
  QList<QStringList> rows;
  void take(QDialog* dialog) {
    auto* preview = qobject_cast<FrmWritePreview*>(dialog);
    if (preview == nullptr) return;
    title = preview->windowTitle();
    question = preview->question()->text();
    QTableWidget* table = preview->table();
    names << table->accessibleName();
    for (int c = 0; c < table->columnCount(); ++c)
      headings << table->horizontalHeaderItem(c)->text();
    for (int r = 0; table->isVisibleTo(preview) && r < table->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < table->columnCount(); ++c) cells << table->item(r, c)->text();
      rows << cells;
    }
    for (const char* name : {"CommandWrite", "CommandCancel"}) {
      auto* button = preview->findChild<QPushButton*>(QLatin1String(name));
      buttons << button->text();
      names << button->accessibleName();
    }
  }
};

std::vector<std::filesystem::path> Backups(const std::filesystem::path& dataDir) {
  return kr4100::testing::FilesIn(dataDir / "backups");
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Harness : kr4100::testing::TestInstallation {
  QWidget mainWindow;
  std::unique_ptr<RadioSessions> sessions;

  Harness() {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    sessions = std::make_unique<RadioSessions>(*ctx, &mainWindow);
    sessions->setVirtualRadioSpeed(0);
  }
  bool askedContaining(const QString& part) const {
    for (const QString& text : prompter.asked)
      if (text.contains(part)) return true;
    return false;
  }
};

// Sees whether the backup of a read is already there when the read replaces the document.
struct ReplaceWatcher : DocumentObserver {
  std::filesystem::path dataDir;
  int replaced = 0;
  bool backupWasThere = false;
  void documentReplaced() override {
    ++replaced;
    for (const auto& file : Backups(dataDir))
      if (file.filename().string().find("_read_") != std::string::npos) backupWasThere = true;
  }
};

}  // namespace

class WriteSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }
  void writeAndReadKeepBackupsBeforeAnythingElse();
  void aBackupThatCannotBeWrittenDoesNotStopTheWrite();
  void verifyNamesAByteTheRadioStoredWrongly();
  void groupWriteLogsEveryRadioAndSumsUp();
  void menuEntriesOpenBackupAndVerifySetting();
  void writeConfirmationListsWhatChangesSinceTheLastRead();
  void recordSerialTraceIsOffUntilTickedAndSaysWhere();
  void aTraceThatCannotBeMadeIsSaidOnce();
  void theRadiosLastWriteIsWhatTheNextWriteIsMeasuredAgainst();
  void readFirstReadsIntoABackupThenShowsTheChanges();
  void aWriteStoppedPartwaySaysWhatThatMeansAndOffersTheLastRead();

 private:
  QTemporaryDir config_;  // the per-user settings store of the main window
};

void WriteSafetyTest::writeAndReadKeepBackupsBeforeAnythingElse() {
  Harness h;
  h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");
  const auto written = EncodeDataFile(h.ctx->doc().working());
  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();
  // Kept once the user said yes, before the first frame.
  auto files = Backups(h.app->userDataDir);
  QCOMPARE(files.size(), std::size_t{1});
  QVERIFY(files[0].filename().string().find("_write_KR-4100_band0_V600.dat") != std::string::npos);
  QVERIFY(Bytes(files[0]) == std::vector<std::uint8_t>(written.begin(), written.end()));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);

  h.ctx->doc().ResetToNewDocument(TemplateKind::NewDocument);
  ReplaceWatcher watcher;
  watcher.dataDir = h.app->userDataDir;
  h.ctx->doc().addObserver(&watcher);
  h.prompter.answers = {Answer::Ok};
  h.sessions->readFromRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 15000);
  h.ctx->doc().removeObserver(&watcher);
  QVERIFY(watcher.replaced > 0);
  QVERIFY(watcher.backupWasThere);
  files = Backups(h.app->userDataDir);
  QCOMPARE(files.size(), std::size_t{2});
  const auto read = files[0].filename().string().find("_read_") != std::string::npos ? files[0] : files[1];
  // The backup is the data file the read made: the document as it now is.
  const auto now = EncodeDataFile(h.ctx->doc().working());
  QVERIFY(Bytes(read) == std::vector<std::uint8_t>(now.begin(), now.end()));
}

void WriteSafetyTest::aBackupThatCannotBeWrittenDoesNotStopTheWrite() {
  Harness h;
  std::filesystem::create_directories(h.app->userDataDir);
  std::ofstream(h.app->userDataDir / "backups") << "a file where the folder would go";
  h.prompter.answers = {Answer::Ok, Answer::Ok};
  h.sessions->writeToRadio();
  QVERIFY(h.askedContaining(QStringLiteral("The backup could not be written")));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
  QCOMPARE(h.sessions->virtualRadio().memory()[0x1D60], std::uint8_t{2});
}

void WriteSafetyTest::verifyNamesAByteTheRadioStoredWrongly() {
  Harness h;
  QVERIFY(h.ctx->settings().verifyAfterWrite);  // on by default
  h.sessions->virtualRadio().faults().storeWrongAddress = 0x0010;
  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.size() == 2, 15000);
  const QString warning = h.prompter.asked.back();
  QVERIFY2(warning.startsWith(QStringLiteral("Verify after writing")), qPrintable(warning));
  QVERIFY2(warning.contains(QStringLiteral("Group A channel 1 RX frequency: 28.015000 -> 29.015000")),
           qPrintable(warning));
  QVERIFY(!h.prompter.asked.contains(kWriteCompleted));

  // In Chinese, and with verify off the same radio is taken at its word.
  h.ctx->settings().currentLanguage = kChinese;
  h.prompter.asked.clear();
  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.size() == 2, 15000);
  QVERIFY(h.prompter.asked.back().startsWith(QString::fromUtf8("写入后校验")));
  h.ctx->settings().currentLanguage = kEnglish;
  h.ctx->settings().verifyAfterWrite = false;
  h.prompter.asked.clear();
  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);

  // A sound radio passes. What the unverified write left is now known, so the write shows what
  // it changes there.
  h.ctx->settings().verifyAfterWrite = true;
  h.sessions->virtualRadio().faults().storeWrongAddress = -1;
  h.prompter.asked.clear();
  kr4100::testing::ModalAnswer confirm(
      [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click(); });
  h.sessions->writeToRadio();
  QCOMPARE(confirm.seen, QStringLiteral("frmWritePreview"));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
}

// Three radios: the second stores a byte wrongly. Each gets its row; the window keeps the tally
// and the end sums it up instead of calling the run complete.
void WriteSafetyTest::groupWriteLogsEveryRadioAndSumsUp() {
  Harness h;
  h.sessions->groupWrite();
  auto* dialog = h.mainWindow.findChild<FrmMulSet*>(QStringLiteral("FrmMulSet"));
  QVERIFY(dialog);
  dialog->findChild<QLineEdit*>("Text1")->setText(QStringLiteral("3"));
  h.prompter.answers = {Answer::Ok};
  dialog->findChild<QPushButton*>("Command1")->click();
  auto* progress = h.mainWindow.findChild<frmMProgress*>(QStringLiteral("frmMProgress"));
  QVERIFY(progress);
  auto* label3 = progress->findChild<QLabel*>("Label3");
  auto* counts = progress->findChild<QLabel*>("LabelCounts");
  QVERIFY(counts);
  QCOMPARE(counts->text(), QStringLiteral("Succeeded: 0   Failed: 0"));
  sim::Faults& faults = h.sessions->virtualRadio().faults();
  QStringList titles;
  connect(progress, &QWidget::windowTitleChanged, this, [&](const QString& t) { titles << t; });
  QTRY_VERIFY_WITH_TIMEOUT(label3->text() == QStringLiteral("2"), 15000);
  faults.storeWrongAddress = 0x0010;  // the second radio is a bad one
  // The first radio was read back under a caption of its own; the next is written again.
  QCOMPARE(titles, (QStringList{QStringLiteral("Verify data in radio"),
                                QStringLiteral("Write data to radio")}));
  QCOMPARE(counts->text(), QStringLiteral("Succeeded: 1   Failed: 0"));
  QTRY_VERIFY_WITH_TIMEOUT(label3->text() == QStringLiteral("3"), 15000);
  faults.storeWrongAddress = -1;
  QCOMPARE(counts->text(), QStringLiteral("Succeeded: 1   Failed: 1"));
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.size() == 2, 15000);

  const QString summary = h.prompter.asked.back();
  QVERIFY2(summary.startsWith(QStringLiteral("2 of 3 radios written\n1 failed")), qPrintable(summary));
  QVERIFY2(summary.contains(
               QStringLiteral("Radio 2: Group A channel 1 RX frequency: 28.015000 -> 29.015000")),
           qPrintable(summary));
  QVERIFY(!h.prompter.asked.contains(kWriteCompleted));

  std::ifstream log(h.app->userDataDir / "group-write.csv", std::ios::binary);
  QVERIFY(log.good());
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  QCOMPARE(lines.size(), std::size_t{4});
  QCOMPARE(QString::fromStdString(lines[0]),
           QStringLiteral("Date and time,Radio,Result,Model,Band,Firmware,Duration (s),Verify\r"));
  auto has = [&](std::size_t i, const char* part) {
    return lines[i].find(part) != std::string::npos;
  };
  QVERIFY(has(1, ",1,written,KR-4100,0,V600,") && has(1, ",passed\r"));
  QVERIFY(has(2, ",2,verify failed,KR-4100,0,V600,") && has(2, ",1 difference\r"));
  QVERIFY(has(3, ",3,written,KR-4100,0,V600,") && has(3, ",passed\r"));
  // One backup for the run: the same document goes to every radio.
  QCOMPARE(Backups(h.app->userDataDir).size(), std::size_t{1});

  // Chinese summary.
  h.ctx->settings().currentLanguage = kChinese;
  h.prompter.asked.clear();
  h.sessions->groupWrite();
  dialog = h.mainWindow.findChild<FrmMulSet*>(QStringLiteral("FrmMulSet"));
  dialog->findChild<QLineEdit*>("Text1")->setText(QStringLiteral("1"));
  h.prompter.answers = {Answer::Ok};
  dialog->findChild<QPushButton*>("Command1")->click();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.size() == 3, 15000);
  QCOMPARE(h.prompter.asked.back(), QString::fromUtf8("已写入 1 / 1 台对讲机"));
}

void WriteSafetyTest::menuEntriesOpenBackupAndVerifySetting() {
  kr4100::testing::TestInstallation inst;
  frmMain window(*inst.ctx);
  QString folderAsked;
  QString answer;
  window.chooseOpenFileIn = [&](const QString& folder, const QString&) {
    folderAsked = folder;
    return answer;
  };
  auto* openBackup = window.findChild<QAction*>(QStringLiteral("mnuOpenBackup"));
  auto* verify = window.findChild<QAction*>(QStringLiteral("mnuVerifyAfterWrite"));
  QVERIFY(openBackup && verify);
  QCOMPARE(openBackup->text(), QStringLiteral("Open &Backup..."));
  QCOMPARE(verify->text(), QStringLiteral("&Verify after writing"));
  QVERIFY(verify->isCheckable() && verify->isChecked());

  openBackup->trigger();
  const auto folder = inst.app->userDataDir / "backups";
  QCOMPARE(folderAsked, QString::fromStdString(folder.string()));
  QVERIFY(std::filesystem::is_directory(folder));

  // A backup opens as Open opens a file: it becomes the document.
  Document other;
  other.InitNewDocument();
  other.working().OptFeat[3] = 5;
  const auto bytes = EncodeDataFile(other.working());
  const auto file = folder / "20240501-140322_read_KR-4100_band0_V600.dat";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  answer = QString::fromStdString(file.string());
  openBackup->trigger();
  QCOMPARE(inst.ctx->doc().working().OptFeat[3], 5);
  // Found: Save wrote over the backup. It opens untitled, and Save asks for a name.
  QCOMPARE(inst.ctx->doc().state().fileName, std::string("new.dat"));
  QVERIFY(inst.ctx->doc().state().neverSaved);
  QVERIFY(!inst.ctx->doc().IsDocumentModified());
  QString saveAsked;
  window.chooseSaveFile = [&](const QString& suggested, const QString&) {
    saveAsked = suggested;
    return QString();
  };
  inst.ctx->doc().working().OptFeat[3] = 6;
  window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->trigger();
  QVERIFY(saveAsked.endsWith(QStringLiteral("new.dat")));
  QVERIFY(Bytes(file) == std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  // A file of the user's own in that folder is theirs: it opens as itself.
  const auto mine = folder / "1st radio.dat";
  std::filesystem::copy_file(file, mine);
  answer = QString::fromStdString(mine.string());
  inst.prompter.answers = {Answer::No};  // the change above is not kept
  openBackup->trigger();
  QCOMPARE(inst.ctx->doc().state().fileName, mine.string());

  // Unticked and remembered in the settings file.
  verify->trigger();
  QVERIFY(!inst.ctx->settings().verifyAfterWrite);
  QVERIFY(inst.app->settingsFile().text().find("VerifyAfterWrite=0") != std::string::npos);

  inst.ctx->settings().currentLanguage = kChinese;
  window.Change_Language();
  QCOMPARE(openBackup->text(), QString::fromUtf8("打开备份(&B)..."));
  QCOMPARE(verify->text(), QString::fromUtf8("写入后校验(&V)"));
}

// With a read of this radio kept, the write question lists what the write changes in it (only
// what the radio holds), and Cancel, in either language and by Escape, sends nothing.
void WriteSafetyTest::writeConfirmationListsWhatChangesSinceTheLastRead() {
  using kr4100::testing::ModalAnswer;
  Harness h;
  h.ctx->settings().verifyAfterWrite = false;
  h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");
  h.prompter.answers = {Answer::Ok};
  h.sessions->writeToRadio();  // no read kept yet: the plain question
  QCOMPARE(h.prompter.asked.value(0), kWriteQuestion);
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
  h.prompter.answers = {Answer::Ok};
  h.sessions->readFromRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 15000);

  h.ctx->doc().SetChannelValue(9, kColRxFre, "28.6");
  h.ctx->doc().working().KeyAssign[0] =
      static_cast<Integer>(h.ctx->doc().working().KeyAssign[0] + 1);
  const auto memory = h.sessions->virtualRadio().memory();
  const std::size_t backups = Backups(h.app->userDataDir).size();
  h.prompter.asked.clear();
  PreviewSeen seen;
  {
    ModalAnswer cancel([&](QDialog* d) {
      seen.take(d);
      d->findChild<QPushButton*>(QStringLiteral("CommandCancel"))->click();
    });
    h.sessions->writeToRadio();
    QCOMPARE(cancel.seen, QStringLiteral("frmWritePreview"));
  }
  QCOMPARE(seen.title, QStringLiteral("Write data to radio"));
  QVERIFY2(seen.question.startsWith(QStringLiteral(
               "Write data to radio.\nCompared with what the last KR-4100 (band 0, firmware "
               "V600) this program talked to holds (last read on ")) &&
               seen.question.endsWith(QStringLiteral("), the write changes 1 of its settings:")),
           qPrintable(seen.question));
  QCOMPARE(seen.headings, (QStringList{"Place", "Field", "In the radio now", "After the write"}));
  QCOMPARE(seen.rows,
           (QList<QStringList>{{"Group A channel 9", "RX frequency", "28.500000", "28.600000"}}));
  QCOMPARE(seen.buttons, (QStringList{"Write", "Cancel"}));
  QCOMPARE(seen.names, (QStringList{"Changes the write makes", "Write", "Cancel"}));
  QVERIFY(h.prompter.asked.isEmpty());
  QVERIFY(!h.sessions->busy());
  QTest::qWait(50);
  QVERIFY(h.sessions->virtualRadio().memory() == memory);
  QCOMPARE(Backups(h.app->userDataDir).size(), backups);  // not even the write's backup

  // Chinese, and Escape is Cancel.
  h.ctx->settings().currentLanguage = kChinese;
  seen = {};
  {
    ModalAnswer escape([&](QDialog* d) {
      seen.take(d);
      QTest::keyClick(d, Qt::Key_Escape);
    });
    h.sessions->writeToRadio();
    QCOMPARE(escape.seen, QStringLiteral("frmWritePreview"));
  }
  QCOMPARE(seen.title, QString::fromUtf8("向对讲机写入数据"));
  QVERIFY2(seen.question.endsWith(QString::fromUtf8("）相比，本次写入将改变其中 1 项设置：")),
           qPrintable(seen.question));
  QCOMPARE(seen.headings,
           (QStringList{QString::fromUtf8("位置"), QString::fromUtf8("字段"),
                        QString::fromUtf8("对讲机中（现在）"), QString::fromUtf8("写入后")}));
  QCOMPARE(seen.buttons, (QStringList{QString::fromUtf8("写入"), QString::fromUtf8("取消")}));
  QVERIFY(h.sessions->virtualRadio().memory() == memory);
  h.ctx->settings().currentLanguage = kEnglish;

  // Write writes.
  {
    ModalAnswer write(
        [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click(); });
    h.sessions->writeToRadio();
    QCOMPARE(write.seen, QStringLiteral("frmWritePreview"));
  }
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
  QVERIFY(h.sessions->virtualRadio().memory() != memory);
  QCOMPARE(Backups(h.app->userDataDir).size(), backups + 1);

  // A radio of other firmware was heard last: no read of it is kept, so the plain question.
  h.ctx->state().firmwareVersion = "V601";
  h.prompter.asked.clear();
  h.sessions->writeToRadio();
  QCOMPARE(h.prompter.asked, QStringList{kWriteQuestion});
  QVERIFY(!h.sessions->busy());
}

// Off by default; ticked, it is kept in the settings file, the menu says where the files go, and
// the next session writes one there.
void WriteSafetyTest::recordSerialTraceIsOffUntilTickedAndSaysWhere() {
  kr4100::testing::TestInstallation inst;
  inst.ctx->settings().comDevice = "Virtual radio";
  frmMain window(*inst.ctx);
  auto* trace = window.findChild<QAction*>(QStringLiteral("mnuRecordSerialTrace"));
  QVERIFY(trace && trace->isCheckable() && !trace->isChecked());
  QCOMPARE(trace->text(), QStringLiteral("Record serial &trace"));
  const auto folder = inst.app->userDataDir / "traces";
  QVERIFY(trace->toolTip().endsWith(QDir::toNativeSeparators(QString::fromStdString(folder.string()))));
  QVERIFY(trace->toolTip().startsWith(QStringLiteral("Each radio session is recorded")));

  trace->trigger();
  QVERIFY(inst.ctx->settings().recordSerialTrace);
  QVERIFY(inst.app->settingsFile().text().find("RecordSerialTrace=1") != std::string::npos);
  inst.prompter.answers = {Answer::Ok};
  window.findChild<QAction*>(QStringLiteral("mnuReadFromRadio"))->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(inst.prompter.asked.contains(QStringLiteral("Read Data Completed.")),
                           20000);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
  QCOMPARE(files.size(), std::size_t{1});
  std::ifstream in(files[0]);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  QVERIFY(files[0].filename().string().ends_with("-read.txt"));
  QVERIFY(text.find("  TX  handshake   50 52 4F 47 52 41 4D\n") != std::string::npos);
  QVERIFY(text.find("  --  outcome     read succeeded\n") != std::string::npos);

  inst.ctx->settings().currentLanguage = kChinese;
  window.Change_Language();
  QCOMPARE(trace->text(), QString::fromUtf8("记录串口通信(&T)"));
  QVERIFY(trace->toolTip().startsWith(QString::fromUtf8("每次与对讲机的通信")));
}

// Found: with the traces folder unusable, the window went on silently without its trace.
void WriteSafetyTest::aTraceThatCannotBeMadeIsSaidOnce() {
  Harness h;
  h.ctx->settings().recordSerialTrace = true;
  std::filesystem::create_directories(h.app->userDataDir);
  std::ofstream(h.app->userDataDir / "traces") << "a file where the folder would go";
  QSignalSpy notices(h.sessions.get(), &RadioSessions::statusNotice);
  h.prompter.answers = {Answer::Ok};
  h.sessions->readFromRadio();
  QCOMPARE(notices.size(), 1);
  const QString notice = notices.at(0).at(0).toString();
  QVERIFY2(notice.startsWith(QStringLiteral("The serial trace could not be made (the session goes "
                                            "on): ")) &&
               notice.contains(QStringLiteral("traces")),
           qPrintable(notice));
  auto* note = h.mainWindow.findChild<QLabel*>(QStringLiteral("LabelNote"));
  QVERIFY(note != nullptr);
  QCOMPARE(note->text(), notice);
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 15000);
  QCOMPARE(notices.size(), 1);
  QVERIFY(!h.askedContaining(QStringLiteral("serial trace")));  // no box to click away
}

// Found: read, write one change, then write another: the confirmation listed the change the radio
// already held, and writing the read back "changed nothing".
void WriteSafetyTest::theRadiosLastWriteIsWhatTheNextWriteIsMeasuredAgainst() {
  using kr4100::testing::ModalAnswer;
  Harness h;
  h.prompter.answers = {Answer::Ok};
  h.sessions->readFromRadio();
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kReadCompleted), 15000);
  const RadioConfig read = h.ctx->doc().working();
  const auto writeSeeing = [&](PreviewSeen& seen) {
    h.prompter.asked.clear();
    ModalAnswer write([&](QDialog* d) {
      seen.take(d);
      d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click();
    });
    h.sessions->writeToRadio();
    QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
  };
  h.ctx->doc().SetChannelValue(1, kColRxFre, "28.5");
  PreviewSeen first;
  writeSeeing(first);
  QCOMPARE(first.rows.size(), 1);
  h.ctx->doc().SetChannelValue(1, kColRxFre, "28.6");
  PreviewSeen second;
  writeSeeing(second);
  QCOMPARE(second.rows,
           (QList<QStringList>{{"Group A channel 1", "RX frequency", "28.500000", "28.600000"}}));
  QVERIFY2(second.question.contains(QStringLiteral("(last written on ")),
           qPrintable(second.question));
  h.ctx->doc().working() = read;
  PreviewSeen back;
  writeSeeing(back);
  QCOMPARE(back.rows,
           (QList<QStringList>{{"Group A channel 1", "RX frequency", "28.600000", "28.015000"}}));
  // What a write left is named after the radio that took it.
  bool written = false;
  for (const auto& file : Backups(h.app->userDataDir))
    written = written ||
              file.filename().string().find("_written_KR-4100_band0_V600") != std::string::npos;
  QVERIFY(written);
}

// With no copy of what the radio holds, "Read first" reads it into a backup (the document stays),
// then the write asks again with the changes listed.
void WriteSafetyTest::readFirstReadsIntoABackupThenShowsTheChanges() {
  using kr4100::testing::ModalAnswer;
  Harness h;
  h.ctx->doc().SetChannelValue(1, kColRxFre, "28.5");
  const RadioConfig document = h.ctx->doc().working();
  const auto memory = h.sessions->virtualRadio().memory();
  h.prompter.answers = {Answer::Extra};
  PreviewSeen seen;
  ModalAnswer write(
      [&](QDialog* d) {
        seen.take(d);
        d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click();
      },
      QStringLiteral("frmWritePreview"));  // after the read's progress window
  h.sessions->writeToRadio();
  QCOMPARE(h.prompter.asked, QStringList{kWriteQuestion});
  QCOMPARE(h.prompter.buttonsAsked, QList<MsgButtons>{MsgButtons::OkExtraCancel});
  QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(kWriteCompleted), 15000);
  QCOMPARE(write.seen, QStringLiteral("frmWritePreview"));
  QCOMPARE(seen.rows,
           (QList<QStringList>{{"Group A channel 1", "RX frequency", "28.015000", "28.500000"}}));
  QVERIFY(!h.prompter.asked.contains(kReadCompleted));
  QVERIFY(h.ctx->doc().working() == document);  // not replaced by the read
  QVERIFY(h.sessions->virtualRadio().memory() != memory);
  int reads = 0;
  for (const auto& file : Backups(h.app->userDataDir))
    reads += file.filename().string().find("_read_") != std::string::npos ? 1 : 0;
  QCOMPARE(reads, 1);
}

// Found: a write that stopped halfway said only that the connection failed, though the radio now
// held part of the new configuration.
void WriteSafetyTest::aWriteStoppedPartwaySaysWhatThatMeansAndOffersTheLastRead() {
  using kr4100::testing::ModalAnswer;
  Harness h;
  h.ctx->settings().verifyAfterWrite = false;
  Document before;
  before.InitNewDocument();
  const BackupResult read = WriteBackup(h.app->userDataDir, before.working(), BackupKind::Read,
                                        {"KR-4100", "0", "V600"}, {2026, 5, 1, 14, 3, 0});
  QVERIFY(read.ok);
  h.ctx->doc().SetChannelValue(1, kColRxFre, "28.5");
  h.sessions->virtualRadio().faults().silentAfterBlocks = 3;  // the cable goes after 3 blocks
  QSignalSpy writeBack(h.sessions.get(), &RadioSessions::writeBackRequested);
  h.prompter.answers = {Answer::Cancel, Answer::Ok, Answer::Yes};
  ModalAnswer write(
      [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click(); });
  h.sessions->writeToRadio();
  QTRY_VERIFY_WITH_TIMEOUT(writeBack.size() == 1, 15000);
  QCOMPARE(h.prompter.asked.size(), 3);
  QCOMPARE(h.prompter.asked[1],
           QStringLiteral("The write did not finish. The radio may now hold part of the new "
                          "configuration: write it again before using the radio."));
  QCOMPARE(h.prompter.asked[2],
           QStringLiteral("A backup of what this radio held before exists (2026-05-01 14:03). "
                          "Write it back to the radio now?"));
  QCOMPARE(writeBack.at(0).at(0).toString(), QString::fromStdU16String(read.file.u16string()));
  QVERIFY(!h.prompter.asked.contains(kWriteCompleted));
}

QTEST_MAIN(WriteSafetyTest)
#include "write_safety_test.moc"
