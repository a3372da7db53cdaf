#include "movie/document/tablecells.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr int kMostRowsOrColumns = 40;

} // namespace

TableGrid tableGridOf(const QString& text)
{
    TableGrid table;
    static const QRegularExpression size(u"^\\s*(\\d{1,3})\\s*[xX×*]\\s*(\\d{1,3})\\s*$"_s);
    if (const QRegularExpressionMatch match = size.match(text); match.hasMatch()) {
        table.rows = std::clamp(match.captured(1).toInt(), 1, kMostRowsOrColumns);
        table.columns = std::clamp(match.captured(2).toInt(), 1, kMostRowsOrColumns);
        return table;
    }
    if (text.trimmed().isEmpty())
        return table;
    static const QRegularExpression cellBreak(u"[\\t|]"_s);
    const QStringList lines = text.split(u'\n');
    int columns = 1;
    for (const QString& line : lines.mid(0, kMostRowsOrColumns)) {
        table.cells.push_back(line.split(cellBreak).mid(0, kMostRowsOrColumns));
        columns = std::max(columns, static_cast<int>(table.cells.back().size()));
    }
    table.rows = std::max(static_cast<int>(table.cells.size()), 2);
    table.columns = std::max(columns, 2);
    return table;
}

QString cellText(const QString& tableText, int row, int column)
{
    const TableGrid table = tableGridOf(tableText);
    if (row < 1 || row > static_cast<int>(table.cells.size()))
        return {};
    return table.cells[static_cast<size_t>(row - 1)].value(column - 1);
}

QString withCellText(const QString& tableText, int row, int column, const QString& text)
{
    const TableGrid table = tableGridOf(tableText);
    if (row < 1 || row > table.rows || column < 1 || column > table.columns)
        return tableText;
    QString cell = text;
    static const QRegularExpression breaks(u"[\\t|\\n\\r]"_s);
    cell.replace(breaks, u" "_s);
    QStringList lines;
    for (int r = 1; r <= table.rows; ++r) {
        QStringList cells;
        for (int c = 1; c <= table.columns; ++c) {
            const bool written = r <= static_cast<int>(table.cells.size());
            cells << (r == row && c == column ? cell
                      : written               ? table.cells[static_cast<size_t>(r - 1)].value(c - 1)
                                              : QString());
        }
        lines << cells.join(u'|');
    }
    return lines.join(u'\n');
}

std::optional<TableCellName> tableCellNamed(const QString& object)
{
    static const QRegularExpression name(u"^cell:(\\d{1,4})/(\\d{1,3}),(\\d{1,3})$"_s);
    const QRegularExpressionMatch match = name.match(object);
    if (!match.hasMatch())
        return std::nullopt;
    const TableCellName cell{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    if (cell.shape < 1 || cell.row < 1 || cell.column < 1)
        return std::nullopt;
    return cell;
}

QString tableCellName(int shape, int row, int column)
{
    return u"cell:%1/%2,%3"_s.arg(shape).arg(row).arg(column);
}

} // namespace pptdrill
