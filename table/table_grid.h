// The grid `Table`: the main window's view of the data table.
//
// It shows the header row (row 0) and data rows 1 to 49 of a DataTable that it
// does not own, writes every change of its cell editor into the table at once
// and reports key releases, mouse releases and cell painting to its owner. It
// never renders, schedules or converts values; texts cross from code page 932
// to the widget's Unicode only here.
//
// Geometry is in pixels: a row is 14 pixels high and a column as wide as
// ColWidths says, each plus the one-pixel grid line after it.
#pragma once

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <functional>
#include <string>

#include "table/data_table.h"


namespace quillmark {

class DataTableModel;

class TableGrid : public QTableView {
  Q_OBJECT

 public:
  // Rows the grid shows: the header row and data rows 1 to RowCount - 1.
  static constexpr int RowCount = 50;
  static constexpr int DefaultRowHeight = 14;

  // `table` must outlive the grid. The current cell starts at column 0 of
  // data row 1.
  explicit TableGrid(DataTable& table, QWidget* parent = nullptr);
  ~TableGrid() override;

  // Reads a cell of the table (rows 0 to 50).
  const std::string& TableCell(int column, int row) const;
  // Writes a cell and shows it at once, in the open cell editor too. A row
  // beyond 50 is ignored.
  void TableCell(int column, int row, std::string text);

  // Runs a change of many cells on the table, then shows the table anew,
  // also when the change throws (the exception goes on to the caller).
  void ChangeTable(const std::function<void(DataTable&)>& change);

  // The width of column 0 or 1 in pixels, without its grid line.
  int ColWidths(int column) const;
  void SetColWidths(int column, int width);

  // The text of a table cell as the widget shows it.
  QString CellText(int column, int row) const;

  // The ordinary painting of a cell: the background chosen for it (selection
  // colour when selected, window colour otherwise), then `text` from 2 pixels
  // right of and below the cell's top-left corner, clipped to the cell unless
  // `clip` is false.
  static void PaintCell(QPainter& painter, const QStyleOptionViewItem& cell,
                        const QString& text, bool clip);

 signals:
  // A key was released in the grid or in its cell editor (auto-repeat aside).
  void keyReleased();
  // A mouse button was released over the cells or the header row, not inside
  // the cell editor. A width dragged in the header has taken effect by then.
  void mouseReleased();
  // A data or header cell of table row `row` has just had its ordinary
  // painting; `cell` holds its rectangle and state.
  void drawCell(QPainter* painter, int column, int row,
                const QStyleOptionViewItem& cell);

 protected:
  void currentChanged(const QModelIndex& current,
                      const QModelIndex& previous) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OpenEditorOnCurrentCell();
  void FocusEditor();
  void ShowTableChanged();

  DataTable& table_;
  DataTableModel* model_;
};

}  // namespace quillmark
