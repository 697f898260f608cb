#include "ColumnDefinitions.h"

namespace reelkeep {

const ColumnDefinitions& BuiltInColumnDefinitions()
{
    static const ColumnDefinitions table = [] {
        struct Row { const char* name; std::uint8_t type; const char* pattern; bool dot; bool second; int width; };
        static const Row rows[kStoredColumnCount] = {
            {"ID", ctNumber, "", false, false, 35},
            {"Название", ctString, "%Name%", false, true, 301},
            {"Оригинальное название", ctString, "%OrigName%", false, true, 0},
            {"Размер", ctNumber, "%Size%", false, false, 46},
            {"", ctNumber, "%FilesCount%", false, false, 29},
            {"Видео", ctString, "%VidType%, %VidWidth%x%VidHeight%, %VidFPS%", true, false, 118},
            {"Звук", ctString, "%AudType%, %AudChannels%, %AudBitRate% kbps", true, false, 120},
            {"Примечания", ctString, "%Comment%", true, false, 107},
            {"Язык", ctString, "", true, false, 86},
            {"Перевод", ctString, "%AudLanguages%, %SubtitleLanguages%", true, false, 27},
            {"Носитель", ctString, "", true, false, 33},
            {"Год", ctNumber, "", false, false, 36},
            {"Длительность", ctNumber, "%VidLength%", false, false, 30},
            {"Режиссер", ctString, "", true, true, 0},
            {"Описание", ctString, "", false, false, 0},
            {"Актеры", ctString, "", true, true, 0},
            {"Дата добавления", ctDate, "%Date%", false, false, 66},
            {"Жанр", ctString, "%Genre%", true, false, 0},
            {"Кинокомпания", ctString, "%Copyright%", true, false, 0},
            {"Страна", ctString, "", true, false, 0},
            {"Цвет", ctString, "", false, false, 0},
        };
        ColumnDefinitions defs;
        for (int i = 0; i < kStoredColumnCount; ++i) {
            const Row& r = rows[i];
            defs[i] = {QString::fromUtf8(r.name), r.type, QString::fromUtf8(r.pattern), QString(), r.dot, r.second, r.width, i};
        }
        return defs;
    }();
    return table;
}

QStringList SplitValues(const QString& cell, bool namesWithDot, bool secondNames)
{
    QString separators;
    if (namesWithDot && secondNames)
        separators = QStringLiteral("/(){},");
    else if (namesWithDot)
        separators = QStringLiteral(",");
    else if (secondNames)
        separators = QStringLiteral("(){}");

    QStringList values;
    auto addPiece = [&values](QStringView piece) {
        qsizetype begin = 0, end = piece.size();
        while (begin < end && piece[begin] <= QLatin1Char(' '))
            ++begin;
        while (end > begin && piece[end - 1] <= QLatin1Char(' '))
            --end;
        if (end > begin)
            values.append(piece.sliced(begin, end - begin).toString());
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (separators.contains(cell[i])) {
            addPiece(QStringView(cell).sliced(start, i - start));
            start = i + 1;
        }
    }
    addPiece(QStringView(cell).sliced(start));
    return values;
}

} // namespace reelkeep
