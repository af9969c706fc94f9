// libFuzzer target for the reading of pasted tables. Every input is a clipboard twice, as text
// and as HTML: reading must return without fault, a table of points must have as many
// ordinates as abscissae, 2 to 10 of them, and a column no more cells than it has room for; a
// cell the reading changed must read entirely as a number.

#include "framework/NumberText.h"
#include "ui/PastedTable.h"

#include <cstdint>
#include <cstdlib>

namespace {

void expectSound(const PastedCells& cells, qsizetype most)
{
    if (cells.outcome == PastedCells::Outcome::Refused && cells.refusal.isEmpty())
        std::abort();
    if (cells.outcome != PastedCells::Outcome::Cells)
        return;
    const qsizetype count = cells.first.size();
    if (count < 1 || count > most || (!cells.second.isEmpty() && cells.second.size() != count))
        std::abort();
}

void read(const ClipboardTable& table)
{
    const PastedCells points = PointsFromTable(table);
    expectSound(points, 10);
    if (points.outcome == PastedCells::Outcome::Cells &&
        (points.first.size() < 2 || points.second.size() != points.first.size()))
        std::abort();
    expectSound(ColumnFromTable(table, 5), 5);
    for (const ClipboardRow& row : table.rows) {
        const QList<CellReading> readings = ReadColumn(row.cells);
        for (qsizetype i = 0; i < readings.size(); ++i) {
            const bool changed = readings[i].text != row.cells[i].text;
            if (changed && readings[i].mark.isEmpty() && !ReadsEntirely(readings[i].text))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    read(TableFromText(text));
    read(TableFromHtml(text));
    return 0;
}
