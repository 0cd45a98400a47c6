#include "table/data_table.h"

#include <utility>

namespace quillmark {
namespace {

bool InTable(int column, int row) {
  return column >= 0 && column < DataTable::kColumns && row >= 0 &&
         row <= DataTable::kLastRow;
}

}  // namespace

const std::string& DataTable::TableCell(int column, int row) const {
  static const std::string kEmpty;
  return InTable(column, row) ? cells_[row][column] : kEmpty;
}

void DataTable::TableCell(int column, int row, std::string text) {
  if (InTable(column, row)) cells_[row][column] = std::move(text);
}

void DataTable::ClearDataRows() {
  for (int row = 1; row <= kLastRow; ++row) {
    TableCell(0, row, "");
    TableCell(1, row, "0");
  }
}

}  // namespace quillmark
