#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pptdrill {

// A table's cells as its text holds them: "5x4" is an empty table of five rows of four
// columns; other text is the cells themselves, one row a line, cells split by tabs or "|".
struct TableGrid
{
    int rows = 3;
    int columns = 3;
    std::vector<QStringList> cells; // as written: rows and cells may be missing at the end
};
TableGrid tableGridOf(const QString& text);

// The text of one cell (1-based row and column), empty where none is written.
QString cellText(const QString& tableText, int row, int column);
// The table's text with one cell's text replaced: every row written out in full, cells split
// by "|". The cell keeps one line: breaks and separators typed into it become spaces.
QString withCellText(const QString& tableText, int row, int column, const QString& text);

// A cell of a table on the slide as typing names it: "cell:2/1,3" is row 1, column 3 of shape 2.
struct TableCellName
{
    int shape = 0;
    int row = 0;
    int column = 0;
};
std::optional<TableCellName> tableCellNamed(const QString& object);
QString tableCellName(int shape, int row, int column);

} // namespace pptdrill
