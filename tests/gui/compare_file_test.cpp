// SPDX-License-Identifier: GPL-3.0-or-later
// File > Compare with File...: the differences of the document and a data file, in a window.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "app/frm_compare_file.h"
#include "app/frm_main.h"
#include "core/config/data_file.h"
#include "core/config/data_file_codec.h"
#include "support/test_installation.h"

using namespace kr4100;

namespace {

struct Harness : kr4100::testing::TestInstallation {
  std::unique_ptr<frmMain> window;
  QString openAnswer;
  int dialogs = 0;

  explicit Harness(unsigned locale = 0x0409) : TestInstallation(locale) {
    window = std::make_unique<frmMain>(*ctx);
    window->chooseOpenFile = [this](const QString&) {
      ++dialogs;
      return openAnswer;
    };
  }
  // The document as it stands, written as a data file.
  QString saveCopy(const char* name) {
    const QString path = root.filePath(QString::fromUtf8(name));
    const DataFileBytes bytes = EncodeDataFile(ctx->doc().working());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
  }
  FrmCompareFile* compare(const QString& path) {
    openAnswer = path;
    window->findChild<QAction*>(QStringLiteral("mnuFileCompare"))->trigger();
    return window->findChild<FrmCompareFile*>(QStringLiteral("frmCompareFile"));
  }
  QStringList row(QTableWidget* table, int r) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) cells << table->item(r, c)->text();
    return cells;
  }
};

}  // namespace

class CompareFileTest : public QObject {
  Q_OBJECT
 private slots:
  void listsEachDifferenceWithBothValues() {
    Harness h;
    QCOMPARE(h.window->findChild<QAction*>(QStringLiteral("mnuFileCompare"))->text(),
             QStringLiteral("Compare with File..."));
    const QString path = h.saveCopy("other.dat");
    h.ctx->doc().working().OptFeat[kScanResumeTime] = 9;
    h.ctx->doc().working().KeyAssign[0] = 4;
    FrmCompareFile* w = h.compare(path);
    QVERIFY(w != nullptr);
    QCOMPARE(h.dialogs, 1);
    QVERIFY(w->isVisible());
    QVERIFY(w->windowTitle().endsWith(QStringLiteral("other.dat")));
    QTableWidget* table = w->table();
    QVERIFY(table->isVisibleTo(w));
    QCOMPARE(table->accessibleName(), QStringLiteral("Differences"));
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("This document"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(h.row(table, 0)[0], QStringLiteral("Option"));
    QCOMPARE(h.row(table, 0)[1], QStringLiteral("Scan Resume Time"));
    QCOMPARE(h.row(table, 0)[2], QStringLiteral("10"));
    QCOMPARE(h.row(table, 1), (QStringList{QStringLiteral("Key Assignment"), QStringLiteral("PF1"),
                                           QStringLiteral("Monitor"), h.row(table, 1)[3]}));
    QVERIFY(h.row(table, 1)[3] != QStringLiteral("Monitor"));
    QCOMPARE(w->summary()->text(), QStringLiteral("2 settings differ."));

    // Keyboard: the table has the focus, Escape closes the window.
    QCOMPARE(w->focusWidget(), table);
    QTest::keyClick(w, Qt::Key_Escape);
    QTRY_VERIFY(h.window->findChild<FrmCompareFile*>(QStringLiteral("frmCompareFile")) == nullptr);
  }

  void oneDifferenceIsSaidInTheSingular() {
    Harness h;
    const QString path = h.saveCopy("one.dat");
    h.ctx->doc().working().KeyAssign[0] = 4;
    FrmCompareFile* w = h.compare(path);
    QVERIFY(w != nullptr);
    QCOMPARE(w->table()->rowCount(), 1);
    QCOMPARE(w->summary()->text(), QStringLiteral("1 setting differs."));
  }

  void anEqualFileSaysSo() {
    Harness h;
    FrmCompareFile* w = h.compare(h.saveCopy("same.dat"));
    QVERIFY(w != nullptr);
    QVERIFY(!w->table()->isVisibleTo(w));
    QCOMPARE(w->summary()->text(),
             QStringLiteral("The document and the file hold the same settings."));
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("CommandClose"))->accessibleName(),
             QStringLiteral("Close"));
  }

  void aRefusedFileShowsWhy() {
    Harness h;
    const QString path = h.root.filePath(QStringLiteral("short.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("V600 and nothing more");
    file.close();
    const RadioConfig before = h.ctx->doc().working();
    FrmCompareFile* w = h.compare(path);
    QVERIFY(w != nullptr);
    QVERIFY(!w->table()->isVisibleTo(w));
    FileOutcome refused;
    refused.status = FileStatus::WrongLength;
    QCOMPARE(w->summary()->text(), QString::fromUtf8(refused.message(kEnglish)));
    QVERIFY(h.ctx->doc().working() == before);  // the document is left alone
  }

  void cancellingTheFileDialogOpensNothing() {
    Harness h;
    QVERIFY(h.compare(QString()) == nullptr);
    QCOMPARE(h.dialogs, 1);
  }

  void chineseTexts() {
    Harness h(0x0804);
    QCOMPARE(h.window->findChild<QAction*>(QStringLiteral("mnuFileCompare"))->text(),
             QStringLiteral("与文件比较..."));
    const QString path = h.saveCopy("other.dat");
    h.ctx->doc().working().OptFeat[kScanResumeTime] = 9;
    FrmCompareFile* w = h.compare(path);
    QVERIFY(w != nullptr);
    QCOMPARE(w->table()->horizontalHeaderItem(0)->text(), QStringLiteral("位置"));
    QCOMPARE(h.row(w->table(), 0)[0], QStringLiteral("选项"));
    QCOMPARE(h.row(w->table(), 0)[1], QStringLiteral("扫描恢复时间"));
  }
};

QTEST_MAIN(CompareFileTest)
#include "compare_file_test.moc"
