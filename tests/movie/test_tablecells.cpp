// A table's text as typing reads and writes one cell of it.
#include "movie/document/tablecells.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

TEST(TableCells, ACellWrittenIntoAnEmptyTableWritesOutEveryRow)
{
    // "3x2": three rows of two columns, nothing in them yet.
    EXPECT_EQ(cellText(u"3x2"_s, 1, 1), QString());
    EXPECT_EQ(withCellText(u"3x2"_s, 2, 2, u"华东"_s), u"|\n|华东\n|"_s);
    // Outside the table nothing changes.
    EXPECT_EQ(withCellText(u"3x2"_s, 4, 1, u"x"_s), u"3x2"_s);
    EXPECT_EQ(withCellText(u"3x2"_s, 1, 3, u"x"_s), u"3x2"_s);
    EXPECT_EQ(withCellText(u"3x2"_s, 0, 1, u"x"_s), u"3x2"_s);
}

TEST(TableCells, ACellKeepsItsNeighboursAndItsOneLine)
{
    const QString table = u"区域\t第一季度\n华东|520"_s;
    EXPECT_EQ(cellText(table, 2, 2), u"520"_s);
    EXPECT_EQ(cellText(table, 2, 3), QString());
    // Tabs and "|" in the text written split nothing; a short row is filled out.
    EXPECT_EQ(withCellText(table, 1, 2, u"一季度|合计\n"_s), u"区域|一季度 合计 \n华东|520"_s);
    // Read back, the table has the same cells where they were.
    const TableGrid grid = tableGridOf(withCellText(table, 2, 1, u"华南"_s));
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.cells[0], (QStringList{u"区域"_s, u"第一季度"_s}));
    EXPECT_EQ(grid.cells[1], (QStringList{u"华南"_s, u"520"_s}));
}

TEST(TableCells, OnlyWellFormedCellNamesNameACell)
{
    const auto cell = tableCellNamed(u"cell:2/3,1"_s);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->shape, 2);
    EXPECT_EQ(cell->row, 3);
    EXPECT_EQ(cell->column, 1);
    EXPECT_EQ(tableCellName(2, 3, 1), u"cell:2/3,1"_s);
    for (const QString& bad : {u"cell:0/1,1"_s, u"cell:1/0,1"_s, u"cell:1/1"_s, u"shape:1"_s, u"cell:x/1,1"_s})
        EXPECT_FALSE(tableCellNamed(bad).has_value()) << bad.toStdString();
}
