// SPDX-License-Identifier: GPL-3.0-or-later
// The installation's desktop entry and data-file type: a double-clicked data file starts the
// program with it, and the desktop tells the program's data files by name and by content.
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kShare = QStringLiteral(KR4100_PROGRAM_DIR "/../share");
const QString kDataType = QStringLiteral("application/x-kr4100-data");

// The keys of the [Desktop Entry] group.
QMap<QString, QString> DesktopEntry(const QString& path) {
  QMap<QString, QString> keys;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith(u'[')) {
      inEntry = line == QLatin1String("[Desktop Entry]");
    } else if (inEntry && line.contains(u'=')) {
      keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
  }
  return keys;
}

}  // namespace

class DesktopEntryTest : public QObject {
  Q_OBJECT
  QTemporaryDir home_;

 private slots:
  void initTestCase() {
    // Only the installation's file types, none of this machine's or this user's.
    qputenv("XDG_DATA_HOME", home_.path().toUtf8());
    qputenv("XDG_DATA_DIRS", kShare.toUtf8());
  }

  void entryStartsTheProgramWithTheFile() {
    const QString path = kShare + QStringLiteral("/applications/kr4100.desktop");
    const auto keys = DesktopEntry(path);
    QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(keys.value(QStringLiteral("Exec")), QStringLiteral("kr4100 %f"));
    QCOMPARE(keys.value(QStringLiteral("MimeType")), kDataType + u';');
    QVERIFY(keys.value(QStringLiteral("Name")).startsWith(QStringLiteral("KR-4100")));
    QCOMPARE(keys.value(QStringLiteral("Name[zh_CN]")), QString::fromUtf8("KR-4100 写频软件"));

    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) QSKIP("desktop-file-validate is not installed");
    QProcess validate;
    validate.start(validator, {path});
    QVERIFY(validate.waitForFinished(30000));
    const QByteArray said = validate.readAllStandardOutput() + validate.readAllStandardError();
    QVERIFY2(validate.exitCode() == 0 && said.trimmed().isEmpty(), said.constData());
  }

  void dataFilesAreKnownByNameAndByTheirVersionTag() {
    QMimeDatabase db;
    const QMimeType type = db.mimeTypeForName(kDataType);
    QVERIFY(type.isValid());
    QCOMPARE(type.globPatterns(), QStringList{QStringLiteral("*.dat")});
    QCOMPARE(type.comment(), QStringLiteral("KR-4100 Data File"));

    // By content alone: a record starts with its version tag.
    QByteArray record("V600");
    record.append(QByteArray(14527, '\0'));
    QCOMPARE(db.mimeTypeForData(record).name(), kDataType);
    QByteArray other("V500");
    other.append(QByteArray(14527, '\0'));
    QVERIFY(db.mimeTypeForData(other).name() != kDataType);

    // A template the build made, by its name.
    const QString templ = QStringLiteral(KR4100_PROGRAM_DIR "/Init/0_KR-4100_New.dat");
    QCOMPARE(db.mimeTypeForFile(templ).name(), kDataType);
  }
};

QTEST_MAIN(DesktopEntryTest)
#include "desktop_entry_test.moc"
