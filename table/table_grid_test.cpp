#include "table/table_grid.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "table/grid_headers.h"
#include "text/cp932.h"

using quillmark::DataTable;
using quillmark::TableGrid;

class TableGridTest : public QObject {
  Q_OBJECT

 private:
  DataTable table_;
  std::unique_ptr<TableGrid> grid_;

  QLineEdit* Editor() const {
    return qobject_cast<QLineEdit*>(grid_->indexWidget(grid_->currentIndex()));
  }
  // The table row and column of the current cell.
  QPoint Current() const {
    return {grid_->currentIndex().column(), grid_->currentIndex().row() + 1};
  }
  QPoint CellCentre(int column, int row) const {
    const QModelIndex index = grid_->model()->index(row - 1, column);
    return grid_->visualRect(index).center();
  }

 private slots:
  void init() {
    table_ = DataTable();
    grid_ = std::make_unique<TableGrid>(table_);
    grid_->resize(253, 318);
    grid_->show();
    grid_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid_.get()));
    grid_->setFocus();
  }
  void cleanup() { grid_.reset(); }

  void ShowsRowsZeroTo49WithTheDesignGeometry() {
    QCOMPARE(grid_->model()->rowCount(), TableGrid::RowCount - 1);
    QCOMPARE(grid_->model()->columnCount(), 2);
    QCOMPARE(grid_->ColWidths(0), 133);
    QCOMPARE(grid_->ColWidths(1), 93);
    QCOMPARE(grid_->rowHeight(0) - 1, TableGrid::DefaultRowHeight);
    QCOMPARE(grid_->horizontalHeader()->height() - 1,
             TableGrid::DefaultRowHeight);
    QCOMPARE(Current(), QPoint(0, 1));
    QVERIFY(Editor() != nullptr);
    QVERIFY(Editor()->hasFocus());
  }

  void HeaderRowShowsTableRowZero() {
    grid_->TableCell(0, 0, quillmark::InitialLabelHeader());
    grid_->TableCell(1, 0, quillmark::CentredValueHeader(93));
    QCOMPARE(grid_->model()->headerData(0, Qt::Horizontal).toString(),
             QString::fromUtf8("\u3000    \u3000  \u3000ラベル"));
    QCOMPARE(grid_->model()->headerData(1, Qt::Horizontal).toString(),
             QString::fromUtf8("        数値"));
  }

  void TypedTextIsInTheTableBeforeTheKeyIsReleased() {
    QTest::keyClick(Editor(), Qt::Key_Tab);  // to the value cell of row 1
    QCOMPARE(Current(), QPoint(1, 1));
    QTest::keyClicks(Editor(), "12");
    QTest::keyPress(Editor(), '5');
    QCOMPARE(table_.TableCell(1, 1), std::string("125"));
    QTest::keyRelease(Editor(), '5');
    // The cursor stays where the user typed, not moved by the write-back.
    QTest::keyClick(Editor(), Qt::Key_Left);
    QTest::keyClick(Editor(), '.');
    QCOMPARE(table_.TableCell(1, 1), std::string("12.5"));
  }

  void EditorTextIsStoredInCodePage932() {
    Editor()->insert(QString::fromUtf8("東京"));
    QCOMPARE(table_.TableCell(0, 1), quillmark::Utf8ToCp932("東京"));
  }

  void TabAndArrowKeysMoveTheEditorBetweenCells() {
    QTest::keyClick(Editor(), Qt::Key_Tab);
    QCOMPARE(Current(), QPoint(1, 1));
    QTest::keyClick(Editor(), Qt::Key_Tab);
    QCOMPARE(Current(), QPoint(0, 2));
    QTest::keyClick(Editor(), Qt::Key_Backtab);
    QCOMPARE(Current(), QPoint(1, 1));
    QTest::keyClick(Editor(), Qt::Key_Down);
    QCOMPARE(Current(), QPoint(1, 2));
    QVERIFY(Editor()->hasFocus());
    QTest::keyClicks(Editor(), "7");
    QCOMPARE(table_.TableCell(1, 2), std::string("7"));
  }

  void WrittenCellShowsInTheOpenEditor() {
    grid_->TableCell(0, 1, "Nagoya");
    QCOMPARE(Editor()->text(), QString("Nagoya"));
    grid_->TableCell(0, 51, "beyond");
    QCOMPARE(table_.TableCell(0, 51), std::string());
  }

  void ChangeOfManyCellsShowsEvenWhenItThrows() {
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, grid_->ChangeTable([](DataTable& t) {
      t.TableCell(0, 1, "first");
      throw std::runtime_error("stop");
    }));
    QCOMPARE(Editor()->text(), QString("first"));
    grid_->ChangeTable([](DataTable& t) { t.ClearDataRows(); });
    QCOMPARE(Editor()->text(), QString());
    QCOMPARE(grid_->CellText(1, 49), QString("0"));
  }

  void EveryKeyReleaseIsReportedOnce() {
    QSignalSpy released(grid_.get(), &TableGrid::keyReleased);
    QTest::keyClick(Editor(), 'a');
    QTest::keyClick(Editor(), Qt::Key_Shift);
    QTest::keyClick(Editor(), Qt::Key_Down);  // moves the editor on
    QCOMPARE(released.count(), 3);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", true);
    QApplication::sendEvent(Editor(), &repeat);
    QCOMPARE(released.count(), 3);
  }

  void MouseReleaseOverCellsAndHeaderIsReportedButNotInTheEditor() {
    QSignalSpy released(grid_.get(), &TableGrid::mouseReleased);
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(1, 3));
    QCOMPARE(Current(), QPoint(1, 3));
    QCOMPARE(released.count(), 1);
    QTest::mouseClick(grid_->horizontalHeader()->viewport(), Qt::RightButton, {},
                      QPoint(20, 5));
    QCOMPARE(released.count(), 2);
    QTest::mouseClick(Editor(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(released.count(), 2);
  }

  void DraggedColumnWidthHasTakenEffectAtTheRelease() {
    int width_at_release = -1;
    connect(grid_.get(), &TableGrid::mouseReleased, this,
            [&] { width_at_release = grid_->ColWidths(0); });
    QWidget* header = grid_->horizontalHeader()->viewport();
    const QPoint boundary(grid_->columnWidth(0) - 1, 7);
    QTest::mousePress(header, Qt::LeftButton, {}, boundary);
    QMouseEvent move(QEvent::MouseMove, boundary - QPoint(70, 0),
                     header->mapToGlobal(boundary - QPoint(70, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header, &move);
    QTest::mouseRelease(header, Qt::LeftButton, {}, boundary - QPoint(70, 0));
    QCOMPARE(grid_->ColWidths(0), 63);
    QCOMPARE(width_at_release, 63);
  }

  void DataCellsAreReportedWithTheirTableRow() {
    QSet<QPair<int, int>> painted;
    connect(grid_.get(), &TableGrid::drawCell, this,
            [&](QPainter*, int column, int row, const QStyleOptionViewItem&) {
              painted.insert({column, row});
            });
    grid_->viewport()->repaint();
    QVERIFY(painted.contains({0, 1}));
    QVERIFY(painted.contains({1, 1}));
    QVERIFY(!painted.contains({0, 0}));
    QVERIFY(!painted.contains({0, 50}));
  }

  void UnclippedPaintingRunsPastTheCell() {
    QImage image(120, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem cell;
    cell.rect = QRect(0, 0, 20, 14);
    cell.palette.setColor(QPalette::Base, Qt::white);
    cell.palette.setColor(QPalette::Text, Qt::black);
    cell.font.setPixelSize(12);
    auto inked_right_of_cell = [&] {
      for (int x = 21; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
          if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
        }
      }
      return false;
    };
    {
      QPainter painter(&image);
      TableGrid::PaintCell(painter, cell, "123456789012", true);
    }
    QVERIFY(!inked_right_of_cell());
    {
      QPainter painter(&image);
      TableGrid::PaintCell(painter, cell, "123456789012", false);
    }
    QVERIFY(inked_right_of_cell());
  }
};

QTEST_MAIN(TableGridTest)
#include "table_grid_test.moc"
