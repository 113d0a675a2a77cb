// SPDX-License-Identifier: GPL-3.0-or-later
// The small grids' in-place box: one commit per opening, whichever way out comes first.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>
#include <vector>

#include "gui/floating_cell_editor.h"

using namespace kr4100;

namespace {

struct Commit {
  int row;
  int col;
  QString text;
  bool operator==(const Commit&) const = default;
};

struct Fixture {
  QWidget window;
  QTableWidget* grid = nullptr;
  QPushButton* other = nullptr;
  FloatingCellEditor* editor = nullptr;
  std::vector<Commit> commits;

  Fixture() {
    auto* layout = new QVBoxLayout(&window);
    grid = new QTableWidget(4, 3, &window);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) grid->setItem(r, c, new QTableWidgetItem(c == 0 ? QString::number(r + 1) : QString()));
    grid->item(1, 2)->setText(QStringLiteral("12"));
    other = new QPushButton(QStringLiteral("Other"), &window);
    layout->addWidget(grid);
    layout->addWidget(other);
    editor = new FloatingCellEditor(grid);
    QObject::connect(editor, &FloatingCellEditor::committed,
                     [this](int row, int col, const QString& text) {
                       commits.push_back({row, col, text});
                       grid->item(row - 1, col)->setText(text);
                     });
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window)) qWarning("grid window not exposed");
  }
  // As a window does before its data go: the box's last focus loss must find nothing to store.
  ~Fixture() { editor->stop(); }
};

}  // namespace

class FloatingCellEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOverTheCellWithItsText() {
    Fixture f;
    f.grid->setCurrentCell(1, 2);
    QLineEdit* box = f.editor->box();
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("12"));
    QVERIFY(box->hasFocus());
    QCOMPARE(box->geometry(), f.grid->visualRect(f.grid->model()->index(1, 2)));
    QCOMPARE(f.editor->editRow(), 2);
    QCOMPARE(f.editor->editCol(), 2);
    QVERIFY(f.commits.empty());
  }

  void theNumberColumnNeverOpens() {
    Fixture f;
    f.grid->setCurrentCell(2, 0);
    QVERIFY(!f.editor->box()->isVisible());
    QCOMPARE(f.editor->editRow(), 0);
  }

  void leavingCommitsOnceWhateverTheWayOut() {
    Fixture f;
    f.grid->setCurrentCell(0, 1);
    QTest::keyClicks(f.editor->box(), QStringLiteral("7"));
    // Focus leaves first, then the cell changes: the row gets one commit, not two.
    f.other->setFocus();
    f.grid->setCurrentCell(2, 1);
    QCOMPARE(f.commits, (std::vector<Commit>{{1, 1, QStringLiteral("7")}}));
    // Visiting a cell without typing still hands its text over when left.
    f.grid->setCurrentCell(3, 2);
    QCOMPARE(f.commits.back(), (Commit{3, 1, QString()}));
    QCOMPARE(f.commits.size(), std::size_t{2});
  }

  void typingAfterAFocusLossCommitsAgain() {
    Fixture f;
    f.grid->setCurrentCell(0, 1);
    QTest::keyClicks(f.editor->box(), QStringLiteral("1"));
    f.other->setFocus();
    f.editor->box()->setFocus();
    QTest::keyClicks(f.editor->box(), QStringLiteral("2"));
    f.editor->commit();
    QCOMPARE(f.commits.size(), std::size_t{2});
    QCOMPARE(f.commits.back().text, QStringLiteral("12"));
  }

  void keyRuleAndEnter() {
    Fixture f;
    f.editor->setKeyFilter([](QKeyEvent* key) { return key->text() == QStringLiteral("x"); });
    int enters = 0;
    QObject::connect(f.editor, &FloatingCellEditor::enterPressed, [&] { ++enters; });
    f.grid->setCurrentCell(0, 1);
    QTest::keyClicks(f.editor->box(), QStringLiteral("1x2"));
    QCOMPARE(f.editor->box()->text(), QStringLiteral("12"));
    QTest::keyClick(f.editor->box(), Qt::Key_Return);
    QCOMPARE(enters, 1);
    QTest::keyClick(f.editor->box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.editor->box()->text(), QStringLiteral("12"));
  }

  void forgetDropsTheCell() {
    Fixture f;
    f.grid->setCurrentCell(0, 1);
    f.editor->forget();
    f.editor->commit();
    QVERIFY(f.commits.empty());
    QVERIFY(!f.editor->box()->isVisible());
    // The grid keeps its cell; it does not take the box's going as a Tab to the next one.
    QCOMPARE(f.grid->currentColumn(), 1);
  }
};

QTEST_MAIN(FloatingCellEditorTest)
#include "floating_cell_editor_test.moc"
