// The data table: the program's only store of chart input.
//
// Two columns (0 = label, 1 = value as typed) and rows 0 to 50; row 0 holds
// the headers, rows 1 to 50 the data. Cells are code page 932 texts of any
// length. The table never checks or converts a value; it knows nothing of the
// grid that shows it.
#pragma once

#include <array>
#include <string>

namespace quillmark {

class DataTable {
 public:
  static constexpr int kColumns = 2;
  static constexpr int kLastRow = 50;  // rows 0..50; data rows 1..50

  // The text of a cell; the empty text for a cell never written and for a
  // column or row outside the table.
  const std::string& TableCell(int column, int row) const;

  // Writes a cell. A column or row outside the table is ignored silently.
  void TableCell(int column, int row, std::string text);

  // The table part of the clear command: every data row gets the empty label
  // and the value "0", in rising row order. Row 0 is not touched.
  void ClearDataRows();

 private:
  std::array<std::array<std::string, kColumns>, kLastRow + 1> cells_;
};

}  // namespace quillmark
