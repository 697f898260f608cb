// A small catalogue with what the exchange forms must carry (nesting, line breaks,
// characters outside windows-1251, column attributes) and a deep comparison.
#pragma once

#include "TZKLists.h"

#include <QFile>
#include <gtest/gtest.h>

namespace reelkeep::testing {

// Test inputs are written plainly: the atomic writer syncs to disk, which is slow
// for the many damaged variants the tests try.
inline void writeTestFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline std::unique_ptr<TZKLists> sampleCatalogue()
{
    auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
    lists->Autor = QString::fromUtf8("Автор & <co> \"quoted\"\r\nsecond line");
    TZKList& films = *lists->AddList(0, QString::fromUtf8("Фильмы"));
    for (int c = 0; c < kStoredColumnCount; ++c)
        films.SetColumnName(c, QString::fromUtf8("Колонка %1").arg(c));
    films.Column(3).Width = 123;
    films.Column(5).Pattern = QStringLiteral("%VidCodec% %VidWidth%x%VidHeight%");
    films.Column(13).NamesWithDot = true;
    films.Column(15).SecondNames = true;
    films.Column(11).Type = ctNumber;
    films.Column(16).LogicalValue = QStringLiteral("yes\tno");
    TzkRow* matrix = films.AddRow();
    matrix->Fields[csTitle] = QString::fromUtf8("Матрица");
    matrix->Fields[csOrigTitle] = QString::fromUtf8("The Matrix — 日本語 😀 ½");
    matrix->Fields[11] = QStringLiteral("1999");
    matrix->Fields[csDescription] = QStringLiteral("line 1\r\nline 2\rlone CR\nlone LF\r\n\r\n  spaced  ");
    matrix->Fields[csColour] = QStringLiteral("00FFFFFF");
    TzkRow* part = films.AddRow(matrix);
    part->Fields[csTitle] = QString::fromUtf8("Часть 2");
    TzkRow* extra = films.AddRow(part);
    extra->Fields[csNumber] = QStringLiteral("<3 & >");
    TzkRow* empty = films.AddRow();
    (void)empty;
    films.AddRow()->Fields[csTitle] = QStringLiteral("last");
    lists->AddList(0, QString());
    TZKList& series = *lists->AddList(0, QStringLiteral("Series: [old]/new?"));
    series.AddRow()->Fields[19] = QStringLiteral("x");
    return lists;
}

inline void expectSameRows(const std::vector<RowPtr>& a, const std::vector<RowPtr>& b, const QString& where)
{
    ASSERT_EQ(a.size(), b.size()) << where.toStdString();
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->ID, b[i]->ID) << where.toStdString();
        EXPECT_EQ(a[i]->GroupID, b[i]->GroupID) << where.toStdString();
        for (int c = 0; c < kStoredColumnCount; ++c)
            EXPECT_EQ(a[i]->Fields[size_t(c)], b[i]->Fields[size_t(c)])
                << where.toStdString() << " row " << a[i]->ID << " cell " << c;
        expectSameRows(a[i]->Children, b[i]->Children, where);
    }
}

// Names, rows and IDs; with allColumnData also every stored column attribute.
inline void expectSameCatalogue(const TZKLists& a, const TZKLists& b, bool allColumnData)
{
    ASSERT_EQ(a.Count(), b.Count());
    for (int l = 0; l < a.Count(); ++l) {
        const TZKList& x = *a.List(l);
        const TZKList& y = *b.List(l);
        EXPECT_EQ(x.Name, y.Name);
        EXPECT_EQ(x.MaxID, y.MaxID);
        for (int c = 0; c < kStoredColumnCount; ++c) {
            EXPECT_EQ(x.Column(c).Name, y.Column(c).Name);
            if (!allColumnData)
                continue;
            EXPECT_EQ(x.Column(c).Width, y.Column(c).Width) << c;
            EXPECT_EQ(x.Column(c).Type, y.Column(c).Type) << c;
            EXPECT_EQ(x.Column(c).Pattern, y.Column(c).Pattern) << c;
            EXPECT_EQ(x.Column(c).NamesWithDot, y.Column(c).NamesWithDot) << c;
            EXPECT_EQ(x.Column(c).SecondNames, y.Column(c).SecondNames) << c;
            EXPECT_EQ(x.Column(c).LogicalValue, y.Column(c).LogicalValue) << c;
        }
        expectSameRows(x.Items(), y.Items(), x.Name);
    }
}

} // namespace reelkeep::testing
