// SPDX-License-Identifier: GPL-3.0-or-later
// File > Backups...: the list of backups, and opening, comparing and writing back one of them.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/frm_backups.h"
#include "app/frm_compare_file.h"
#include "app/frm_main.h"
#include "core/config/data_file_codec.h"
#include "core/link/backups.h"
#include "sim/virtual_radio.h"
#include "support/modal_answer.h"
#include "support/temp_dir.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

const char* const kButtons[] = {"CommandOpen", "CommandCompare", "CommandWrite", "CommandClose"};

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;

  explicit Harness(unsigned locale = 0x0409) : TestInstallation(locale) {
    ctx->settings().comDevice = RadioSessions::virtualRadioName().toStdString();
    ctx->settings().verifyAfterWrite = false;
    window = std::make_unique<frmMain>(*ctx);
    window->sessions().setVirtualRadioSpeed(0);
  }
  // A backup of the document with one option changed.
  std::filesystem::path backup(const Timestamp& when, BackupKind kind, int scanResumeTime) {
    RadioConfig record = ctx->doc().working();
    record.OptFeat[kScanResumeTime] = static_cast<Integer>(scanResumeTime);
    const BackupResult made =
        WriteBackup(app->userDataDir, record, kind, {"KR-4100", "0", "V600"}, when);
    return made.ok ? made.file : std::filesystem::path();
  }
  FrmBackups* openWindow() {
    window->findChild<QAction*>(QStringLiteral("mnuBackups"))->trigger();
    return window->findChild<FrmBackups*>(QStringLiteral("frmBackups"));
  }
  FrmBackups* openWindowAt(int row) {
    FrmBackups* w = openWindow();
    if (w) w->table()->setCurrentCell(row, 0);
    return w;
  }
  static QStringList row(QTableWidget* table, int r) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) cells << table->item(r, c)->text();
    return cells;
  }
  static QStringList headings(QTableWidget* table) {
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c) texts << table->horizontalHeaderItem(c)->text();
    return texts;
  }
  static QStringList buttonTexts(FrmBackups* w, bool accessible) {
    QStringList texts;
    for (const char* name : kButtons) {
      auto* b = w->findChild<QPushButton*>(QLatin1String(name));
      texts << (accessible ? b->accessibleName() : b->text());
    }
    return texts;
  }
  static void click(FrmBackups* w, const char* name) {
    w->findChild<QPushButton*>(QLatin1String(name))->click();
  }
};

}  // namespace

class BackupsWindowTest : public QObject {
  Q_OBJECT
  QTemporaryDir config_;  // the main window's per-user settings store

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

  void listsNewestFirstComparesAndOpensOne() {
    Harness h;
    QCOMPARE(h.window->findChild<QAction*>(QStringLiteral("mnuBackups"))->text(),
             QStringLiteral("Backups..."));
    const auto read = h.backup({2024, 5, 1, 14, 3, 22}, BackupKind::Read, 3);
    const auto write = h.backup({2024, 6, 1, 8, 0, 0}, BackupKind::Write, 5);
    const auto folder = BackupFolder(h.app->userDataDir);
    std::filesystem::copy_file(read, folder / "mine.dat");
    kr4100::testing::WriteText(folder / "notes.txt", "not a backup");

    FrmBackups* w = h.openWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Backups"));
    QTableWidget* table = w->table();
    QCOMPARE(table->accessibleName(), QStringLiteral("Backups, newest first"));
    QCOMPARE(h.headings(table),
             (QStringList{"Date", "Time", "Read/Write", "Model", "Band", "Firmware", "File"}));
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(h.row(table, 0),
             (QStringList{"2024-06-01", "08:00:00", "Write", "KR-4100", "0", "V600",
                          QString::fromStdString(write.filename().string())}));
    QCOMPARE(h.row(table, 1), (QStringList{"2024-05-01", "14:03:22", "Read", "KR-4100", "0", "V600",
                                           QString::fromStdString(read.filename().string())}));
    QCOMPARE(h.row(table, 2), (QStringList{"", "", "", "", "", "", "mine.dat"}));
    QCOMPARE(h.buttonTexts(w, false),
             (QStringList{"&Open", "&Compare with Document", "&Write Back to Radio", "Close"}));
    QCOMPARE(h.buttonTexts(w, true),
             (QStringList{"Open", "Compare with Document", "Write Back to Radio", "Close"}));
    QVERIFY(!w->findChild<QLabel*>(QStringLiteral("LabelNone"))->isVisibleTo(w));

    // By keyboard: the list has the focus; the read, then Compare.
    QCOMPARE(w->focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Down);
    QCOMPARE(w->currentFile(), QString::fromStdString(read.string()));
    h.click(w, "CommandCompare");
    auto* compare = w->findChild<FrmCompareFile*>(QStringLiteral("frmCompareFile"));
    QVERIFY(compare && compare->isVisible());
    QVERIFY(compare->windowTitle().endsWith(QString::fromStdString(read.filename().string())));
    QCOMPARE(compare->table()->rowCount(), 1);
    QCOMPARE(h.row(compare->table(), 0).mid(0, 2), (QStringList{"Option", "Scan Resume Time"}));
    QTest::keyClick(compare, Qt::Key_Escape);
    QTRY_VERIFY(w->findChild<FrmCompareFile*>(QStringLiteral("frmCompareFile")) == nullptr);

    // Enter opens it, after the question about the unsaved document; the window closes.
    h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");
    h.prompter.answers = {Answer::No};
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(h.prompter.asked, QStringList{QStringLiteral("File has been modify,save it now?")});
    // Untitled: Save asks for a name and never changes the backup in place.
    QCOMPARE(h.ctx->doc().state().fileName, std::string("new.dat"));
    QVERIFY(h.ctx->doc().state().neverSaved);
    QCOMPARE(h.ctx->doc().working().OptFeat[kScanResumeTime], Integer{3});
    QTRY_VERIFY(h.window->findChild<FrmBackups*>(QStringLiteral("frmBackups")) == nullptr);
  }

  void writeBackOpensItAndWritesThroughTheConfirmation() {
    Harness h;
    const auto read = h.backup({2024, 5, 1, 14, 3, 22}, BackupKind::Read, 3);
    const auto radioBefore = h.window->sessions().virtualRadio().memory();

    // Cancel in the save question: nothing opened, nothing written, the list stays.
    h.ctx->doc().SetChannelValue(9, kColRxFre, "28.5");
    FrmBackups* w = h.openWindowAt(0);
    QVERIFY(w);
    h.prompter.answers = {Answer::Cancel};
    h.click(w, "CommandWrite");
    QVERIFY(h.ctx->doc().state().neverSaved);
    QVERIFY(!h.window->sessions().busy());
    QVERIFY(w->isVisible());
    w->close();
    QTRY_VERIFY(h.window->findChild<FrmBackups*>(QStringLiteral("frmBackups")) == nullptr);

    // The backup becomes the document and goes to the radio once the confirmation says Write:
    // measured against itself, the last read of this radio, it changes nothing.
    w = h.openWindowAt(0);
    h.prompter.asked.clear();
    h.prompter.answers = {Answer::No};
    QString question;
    {
      kr4100::testing::ModalAnswer confirm([&](QDialog* d) {
        question = d->findChild<QLabel*>(QStringLiteral("LabelQuestion"))->text();
        d->findChild<QPushButton*>(QStringLiteral("CommandWrite"))->click();
      });
      h.click(w, "CommandWrite");
      QCOMPARE(confirm.seen, QStringLiteral("frmWritePreview"));
    }
    QVERIFY2(question.contains(QStringLiteral("changes nothing")), qPrintable(question));
    QCOMPARE(h.ctx->doc().state().fileName, std::string("new.dat"));
    QTRY_VERIFY_WITH_TIMEOUT(h.prompter.asked.contains(QStringLiteral("Write Data Completed.")),
                             15000);
    QVERIFY(h.window->sessions().virtualRadio().memory() != radioBefore);
    // The write's own backup holds what went to the radio: the backup written back.
    const auto backups = ListBackups(BackupFolder(h.app->userDataDir));
    QCOMPARE(backups.size(), std::size_t{2});
    QVERIFY(backups[0].kind == BackupKind::Written);  // the radio took it whole
    QVERIFY(kr4100::testing::ReadBytes(backups[0].file) == kr4100::testing::ReadBytes(read));
  }

  void noBackupsYetAndChineseTexts() {
    Harness h(0x0804);
    QCOMPARE(h.window->findChild<QAction*>(QStringLiteral("mnuBackups"))->text(),
             QString::fromUtf8("备份..."));
    FrmBackups* w = h.openWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString::fromUtf8("备份"));
    QCOMPARE(w->table()->rowCount(), 0);
    auto* none = w->findChild<QLabel*>(QStringLiteral("LabelNone"));
    QVERIFY(none->isVisibleTo(w));
    QCOMPARE(none->text(), QString::fromUtf8("还没有备份。"));
    for (const char* name : {"CommandOpen", "CommandCompare", "CommandWrite"})
      QVERIFY(!w->findChild<QPushButton*>(QLatin1String(name))->isEnabled());
    QCOMPARE(w->focusWidget(), w->findChild<QPushButton*>(QStringLiteral("CommandClose")));
    QTest::keyClick(w, Qt::Key_Return);  // Close is the default when there is nothing to open
    QTRY_VERIFY(h.window->findChild<FrmBackups*>(QStringLiteral("frmBackups")) == nullptr);

    h.backup({2024, 5, 1, 14, 3, 22}, BackupKind::Read, 3);
    w = h.openWindow();
    QCOMPARE(h.headings(w->table()),
             (QStringList{"日期", "时间", "读/写", "机型", "频段", "固件", "文件"}));
    QCOMPARE(h.row(w->table(), 0)[2], QString::fromUtf8("读取"));
    QCOMPARE(w->table()->accessibleName(), QString::fromUtf8("备份（最新的在前）"));
    QCOMPARE(h.buttonTexts(w, true), (QStringList{"打开", "与文档比较", "写回对讲机", "关闭"}));
  }
};

QTEST_MAIN(BackupsWindowTest)
#include "backups_window_test.moc"
