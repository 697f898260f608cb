#include "RealisticCatalogue.h"

#include <QStringList>
#include <random>

namespace reelkeep::bench {
namespace {

const QStringList& words()
{
    static const QStringList list = QString::fromUtf8(
        "ночь день город море последний тайна война любовь дорога брат сестра время "
        "тень огонь зима лето остров дом сердце звезда небо река холод мама папа "
        "история охота побег пламя night day city sea last secret war love road "
        "brother time shadow fire winter summer island house heart star sky river "
        "cold story hunt escape flame dark blood king queen dream machine ghost man "
        "woman girl boy doctor captain mission empire return rise fall edge")
        .split(QLatin1Char(' '));
    return list;
}

const QStringList& names()
{
    static const QStringList list = QString::fromUtf8(
        "Иван Петров,Анна Смирнова,Сергей Козлов,Мария Иванова,Олег Соколов,"
        "John Smith,Emma Stone,Tom Hardy,Cate Blanchett,Jean Reno,Алексей Морозов,"
        "Ольга Волкова,Brad Pitt,Uma Thurman")
        .split(QLatin1Char(','));
    return list;
}

class Maker {
public:
    explicit Maker(std::uint32_t seed) : m_random(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    const QString& any(const QStringList& list) { return list[between(0, int(list.size()) - 1)]; }

    QString phrase(int minWords, int maxWords)
    {
        QString text;
        const int count = between(minWords, maxWords);
        for (int k = 0; k < count; ++k) {
            if (k > 0)
                text += QLatin1Char(' ');
            text += any(words());
        }
        return text;
    }

    QString title()
    {
        QString text = phrase(1, 4);
        text[0] = text[0].toUpper();
        if (between(1, 10) == 1)
            text += QStringLiteral(" %1").arg(between(2, 5));
        return text;
    }

    QString people(int count)
    {
        QStringList list;
        for (int k = 0; k < count; ++k)
            list << any(names());
        return list.join(QStringLiteral(", "));
    }

private:
    std::mt19937 m_random;
};

} // namespace

std::unique_ptr<TZKList> makeRealisticList(int rows, std::uint32_t seed)
{
    Maker make(seed);
    auto list = std::make_unique<TZKList>(kColumnCount, rows, BuiltInColumnDefinitions(), LocaleFormats::russian());
    std::vector<QString> titles;
    for (int i = 0; i < rows; ++i) {
        TzkRow* row = list->AddRow();
        auto& f = row->Fields;
        QString title;
        const int roll = make.between(1, 100);
        if (roll > 5 && roll <= 35 && !titles.empty()) {
            title = titles[size_t(make.between(0, int(titles.size()) - 1))];
            if (roll <= 15)
                title = roll <= 10 ? title.toUpper() : title.toLower();
        } else if (roll > 5) {
            title = make.title();
            titles.push_back(title);
        }
        f[0] = QString::number(row->ID);
        f[1] = title;
        f[2] = make.between(1, 3) == 1 ? QString() : make.title();
        f[3] = QString::number(make.between(300, 4700));
        f[4] = QString::number(make.between(1, 3));
        f[5] = QStringLiteral("XviD, 720x%1, 25.000").arg(make.between(288, 576));
        f[6] = QStringLiteral("MPEG Audio, 2, %1 kbps").arg(make.between(96, 320));
        f[7] = make.between(1, 4) == 1 ? make.phrase(2, 6) : QString();
        f[8] = QString::fromUtf8("Русский");
        f[9] = QString::fromUtf8("Дублированный");
        f[10] = QStringLiteral("DVD");
        f[11] = QString::number(make.between(1950, 2026));
        f[12] = QString::number(make.between(80, 180));
        f[13] = make.people(1);
        f[14] = make.phrase(30, 90);
        f[15] = make.people(make.between(3, 6));
        f[16] = QStringLiteral("%1.%2.%3")
                    .arg(make.between(1, 28), 2, 10, QLatin1Char('0'))
                    .arg(make.between(1, 12), 2, 10, QLatin1Char('0'))
                    .arg(make.between(2000, 2026));
        f[17] = make.phrase(1, 2);
        f[18] = make.phrase(1, 2);
        f[19] = make.between(1, 2) == 1 ? QString::fromUtf8("Россия") : QStringLiteral("USA");
        f[20] = QStringLiteral("00FFFFFF");
    }
    return list;
}

} // namespace reelkeep::bench
