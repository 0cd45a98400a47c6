#include "table/data_table.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

void ExpectEveryCellEmpty(const DataTable& table) {
  for (int row = 0; row <= DataTable::kLastRow; ++row) {
    EXPECT_EQ(table.TableCell(0, row), "") << row;
    EXPECT_EQ(table.TableCell(1, row), "") << row;
  }
}

TEST(DataTable, CellsNeverWrittenReadEmpty) { ExpectEveryCellEmpty(DataTable()); }

TEST(DataTable, KeepsWhatIsWrittenInsideTheTable) {
  DataTable table;
  table.TableCell(0, 0, "header");
  table.TableCell(1, 50, "row 50 exists");
  table.TableCell(0, 7, std::string(100000, 'x'));
  EXPECT_EQ(table.TableCell(0, 0), "header");
  EXPECT_EQ(table.TableCell(1, 50), "row 50 exists");
  EXPECT_EQ(table.TableCell(0, 7).size(), 100000u);
  EXPECT_EQ(table.TableCell(1, 7), "");
}

TEST(DataTable, DropsWritesOutsideTheTableAndReadsThemEmpty) {
  DataTable table;
  const struct {
    int column, row;
  } outside[] = {{0, 51}, {1, 1000}, {0, -1}, {2, 1}, {-1, 1}};
  for (const auto& cell : outside) {
    table.TableCell(cell.column, cell.row, "dropped");
    EXPECT_EQ(table.TableCell(cell.column, cell.row), "")
        << cell.column << "," << cell.row;
  }
  ExpectEveryCellEmpty(table);
}

TEST(DataTable, ClearGivesEveryDataRowAnEmptyLabelAndTheValueZero) {
  DataTable table;
  table.TableCell(0, 0, "label header");
  table.TableCell(1, 0, "value header");
  table.TableCell(0, 1, "A");
  table.TableCell(1, 50, "5");
  table.ClearDataRows();
  EXPECT_EQ(table.TableCell(0, 0), "label header");
  EXPECT_EQ(table.TableCell(1, 0), "value header");
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    EXPECT_EQ(table.TableCell(0, row), "") << row;
    EXPECT_EQ(table.TableCell(1, row), "0") << row;
  }
}

}  // namespace
}  // namespace quillmark
