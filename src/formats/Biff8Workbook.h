// Builds the "Workbook" stream of a BIFF8 (.xls) file: worksheets of text and
// number cells, the texts kept once in the shared string table.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace reelkeep {

class Biff8Workbook {
public:
    static constexpr int kMaxRows = 65536;
    // Characters per text cell: Latin-1 texts are stored one byte per character,
    // others in UTF-16. Longer texts would span more than two records of the
    // string table, which FreeXL cannot read back.
    static constexpr int kMaxNarrowText = 16442;
    static constexpr int kMaxWideText = 8220;
    static bool Fits(QStringView text);

    // The name must already be a valid, unique worksheet name.
    void AddSheet(const QString& name);
    // Cells go to the last sheet added, row by row and left to right; a text is not
    // empty (readers reject empty shared strings: leave the cell out instead).
    void SetText(int row, int column, const QString& text);
    void SetNumber(int row, int column, double value);

    QByteArray Build() const;

private:
    struct Cell {
        quint16 row;
        quint16 column;
        bool isNumber;
        double number;
        quint32 string;
    };
    struct Sheet {
        QString name;
        std::vector<Cell> cells;
        int rows = 0;
        int columns = 0;
    };

    void addCell(const Cell& cell);
    void writeSharedStrings(QByteArray& out) const;
    void writeSheet(QByteArray& out, const Sheet& sheet, bool selected) const;

    std::vector<Sheet> m_sheets;
    std::vector<QString> m_strings;
    QHash<QString, quint32> m_stringIndex;
    quint32 m_stringUses = 0;
};

} // namespace reelkeep
